#include "Help.h"

#include <QStyle>

#include "Fonts.h"
#include "ListDelegate.h"
#include "WindowSize.h"
#include "Icon.h"

THelpForm* HelpForm = nullptr;

namespace {

// The help text, line by line ("\xB0" is the degree sign).
const char* const kHelpLines[] = {
    "Abbreviations:",
    "Date = PC-date with day-month-year",
    "Time = PC-time with hour:minute:second",
    "LST  = Local Sideral Time in degree and hour:minute:second",
    "GHA  = Greenwich Hour Angle in degree and hour:minute:second",
    "AZI  = Azimut in degree, where 0\xB0"" is north, 180\xB0"" south ...(nautical method)",
    "ELE  = Elevation or altitude in degree above horizon (military method)",
    "RA   = Right Ascension in hour:minute:second",
    "DEC  = Declination in (decimal-) degree",
    "JD   = Julian Date",
    "TJD  = Tuncated Julian Date = JD-2440000.5",
    "D    = Time in decimal seconds of day",
    "",
    "Keys:",
    "TimeZone    : allows to change between UT, MEZ or MESZ",
    "Sourceobject: here, you may select one of the strongest sources or any planet.  ",
    "     The last entry allows you to put in your own rightascension, declination and sourcename,",
    "     e.g. an event taken from BATSE-experiment on COMPTON-observatory, a pulsar or any other source",
    "About       : shows version and author of this highly usefull program",
    "Redraw      : erases and redraws the graphical output",
    "Timestep    : allows to select a time-increment and redraws the table on the right side",
    "Help        : shows this listbox",
    "Horizont    : draws the horizon, if saved in horizon.prn (360 values in degree)",
    "Geostat.    : draws the geostationary curve if marked",
    "Grid        : draws gridlines and marks directions and elevation",
    "BMP         : save the entire image into a windows bmp-files",
    "Print       : prints the entire image onto a graphic printer",
    "Close       : leaves this programm",
    " ",
    "All sidereal-coordinates are taken from SIMBAD for AR2000",
    "The yellow line shows the curve of the geostationary satellites, while",
    "the green dots represent the curve of the actual source. The green",
    "cross marks the actual position of the source.",
    "If you press the left mouse cursor within the listbox a red circle will",
    "be plotted in the azimut/elevation-graphic. This may be usefull to mark",
    "gamma ray events or other fixstar-positions. The circle can be deleted by",
    "pressing the redraw button.",
};


}  // namespace

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("Help");
    setWindowIcon(ProgramIcon());
    setFont(WindowFont(10));
    move(331, 216);

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(7, 23, 735, 280);
    ListBox1->setFont(FixedFont(12));
    ListBox1->setItemDelegate(new FixedHeightDelegate(15, ListBox1));
    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    ListBox1->setPalette(palette);
    for (const char* line : kHelpLines) ListBox1->addItem(QString::fromLatin1(line));

    BitBtn1 = new QPushButton("&Close", this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BitBtn1->setGeometry(7, 0, 82, 28);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::hide);
    setTabOrder(ListBox1, BitBtn1);

    // Width: the list's right edge + 20; the Close button 10 below the list;
    // height: the button's bottom + 40.
    OuterSize.setWidth(ListBox1->x() + ListBox1->width() + 20);
    BitBtn1->move(BitBtn1->x(), ListBox1->y() + ListBox1->height() + 10);
    OuterSize.setHeight(BitBtn1->y() + BitBtn1->height() + 40);
    resize(OuterSize);
}

void THelpForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ResizeOuterOnShow(this, OuterSize);
}
