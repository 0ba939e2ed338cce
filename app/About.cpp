#include "About.h"

#include <QStyle>

#include "Fonts.h"
#include "ListDelegate.h"
#include "Icon.h"

TAboutBox* AboutBox = nullptr;

namespace {


QLabel* TextLabel(const QString& text, QWidget* parent, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Info");
    setWindowIcon(ProgramIcon());
    setFont(WindowFont(11));
    setModal(true);
    move(490, 122);
    setFixedSize(266, 243);  // client area; a dialog border, not resizable

    // Panel1 sits at (3, 2) in the box; its children are placed in box
    // coordinates less that offset.
    Panel1 = new QFrame(this);
    Panel1->setGeometry(3, 2, 259, 119);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Image1 = new QLabel(Panel1);
    Image1->setGeometry(13 - 3, 15 - 2, 68, 98);
    Image1->setPixmap(ProgramPicture(68, 98));
    Label6 = TextLabel("KELVO.EXE", Panel1, 111 - 3, 13 - 2);
    QFont bold = WindowFont(15);
    bold.setBold(true);
    Label6->setFont(bold);
    Label6->adjustSize();
    Label5 = TextLabel("Version 3.2/09.04.2008", Panel1, 111 - 3, 33 - 2);
    Label4 = TextLabel("Free for radio observers", Panel1, 111 - 3, 46 - 2);
    Label3 = TextLabel("Brenlow Radioastronomy", Panel1, 111 - 3, 65 - 2);
    Label1 = TextLabel("Group Tarnwick", Panel1, 111 - 3, 78 - 2);
    Label2 = TextLabel("Radio station Tarnwick", Panel1, 111 - 3, 91 - 2);

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(0, 128, 265, 81);
    ListBox1->setFont(FixedFont(12));
    ListBox1->setItemDelegate(new FixedHeightDelegate(15, ListBox1));
    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Base, QColor(192, 192, 192));
    ListBox1->setPalette(palette);
    for (const char* line : {"Algorithms after J. Meeus,", "Astronomical Algorithms,",
                             "Willmann-Bell 1991/1998.", "Planets: VSOP87 theory,",
                             "P. Bretagnon, G. Francou.", "Moon: ELP-2000/82, after",
                             "M. Chapront-Touze, J. Chapront.", "Nutation: IAU 1980 theory.",
                             "Pluto: Meeus, chapter 37."})
        ListBox1->addItem(line);

    BitBtn1 = new QPushButton("&Close", this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BitBtn1->setGeometry(98, 213, 71, 28);
    BitBtn1->setDefault(true);
    BitBtn1->setFocus();  // the credits are for reading, not selecting
    ListBox1->setFocusPolicy(Qt::NoFocus);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
