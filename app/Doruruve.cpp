#include "Doruruve.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QCloseEvent>
#include <QShowEvent>
#include <QKeyEvent>
#include <QStyle>
#include <cstdio>

#include "About.h"
#include "EphemerisConstants.h"
#include "Fonts.h"
#include "ListDelegate.h"
#include "Help.h"
#include "Icon.h"
#include "SiteFiles.h"
#include "Sources.h"
#include "Text.h"
#include "Unit2.h"
#include "WindowSize.h"

TForm1* Form1 = nullptr;
volatile std::sig_atomic_t EndRequested = 0;

using namespace kelvo;
using C = EphemerisConstants;

// ---------------------------------------------------------------------------
// Small controls

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent), chart_(189, 111) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawImage(0, 0, chart_.Image());
    if (rotator_)
        PaintRotatorMarker(p, chart_.Width(), chart_.Height(), rotator_->x(), rotator_->y());
}

void TPaintBox::SetRotator(std::optional<QPointF> direction) {
    if (direction == rotator_) return;
    rotator_ = direction;
    update();
}

void TPaintBox::mouseDoubleClickEvent(QMouseEvent*) { emit DoubleClick(); }

TListBox::TListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemClicked, this, &TListBox::Click);
}

void TListBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) emit Click();
}

TLabel::TLabel(const QString& text, QWidget* parent, int left, int top, int width, int height)
    : QLabel(text, parent) {
    setGeometry(left, top, width, height);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::SetCaption(const QString& text) {
    if (text == this->text()) return;
    setText(text);
    resize(sizeHint().expandedTo(QSize(1, height())));
}

void TLabel::SetFontColor(QColor color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

bool TSaveDialog::Execute() {
    if (!Prompt) return false;
    const std::optional<QString> chosen = Prompt(*this);
    if (!chosen || chosen->isEmpty()) return false;
    QString name = *chosen;
    if (QFileInfo(name).suffix().isEmpty()) name += "." + DefaultExt;
    FileName = name;
    return true;
}

namespace {


QFrame* Bevel(QWidget* parent, int left, int top, int width, int height, bool frameOnly) {
    auto* f = new QFrame(parent);
    f->setGeometry(left, top, width, height);
    if (frameOnly)
        f->setFrameStyle(QFrame::Box | QFrame::Sunken);  // an etched frame
    else
        f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    f->setLineWidth(1);
    return f;
}

QPushButton* Button(const QString& caption, QWidget* parent, int left, int top, int width,
                    int height) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(left, top, width, height);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

std::optional<QString> AskForFileName(const TSaveDialog& d) {
    QFileDialog dialog(nullptr, d.Title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilter(d.Filter.section('|', 0, 0));  // "Windows Bitmap (*.bmp)"
    dialog.setDefaultSuffix(d.DefaultExt);
    dialog.selectFile(d.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction

TForm1::TForm1(FileLocations locations, QWidget* parent)
    : QWidget(parent), Locations(std::move(locations)) {
    State.Terms.Directory = Locations.TermsFolder();
    // The terms loader's lines, on standard output when a problem starts or
    // changes (not 240 times a second while it lasts).
    State.Terms.Report = PrintWhenChanged(stdout);
    setWindowTitle("Brenlow Radioastronomy Group Tarnwick");
    setWindowIcon(ProgramIcon());
    setFont(WindowFont(10));
    setAutoFillBackground(true);
    move(210, 156);

    // Frames first, so that they lie beneath the controls they surround.
    Bevel1 = Bevel(this, 7, 7, 143, 26, false);
    Bevel2 = Bevel(this, 163, 7, 202, 26, false);
    Bevel3 = Bevel(this, 163, 39, 202, 27, false);
    Bevel5 = Bevel(this, 163, 72, 202, 26, false);
    Bevel8 = Bevel(this, 163, 104, 202, 27, false);
    Bevel4 = Bevel(this, 163, 137, 202, 26, false);
    Bevel9 = Bevel(this, 163, 169, 202, 124, false);
    Bevel10 = Bevel(this, 376, 8, 161, 25, false);
    Bevel11 = Bevel(this, 376, 40, 161, 25, false);
    Bevel6 = Bevel(this, 7, 39, 143, 85, true);
    Bevel7 = Bevel(this, 7, 130, 143, 163, true);

    const QFont readout = ReadoutFont();
    auto readoutLabel = [&](const char* text, int l, int t, int w, int h) {
        auto* label = new TLabel(text, this, l, t, w, h);
        label->setFont(readout);
        return label;
    };
    Label1 = readoutLabel("Datum", 13, 13, 35, 16);
    Label2 = readoutLabel("Lokalzeit", 169, 13, 63, 16);
    Label3 = readoutLabel("LST", 169, 46, 21, 16);
    Label5 = readoutLabel("GHA", 169, 78, 21, 16);
    Label4 = readoutLabel("AziEle", 169, 111, 42, 16);
    Label6 = readoutLabel("RA+DEC", 169, 143, 42, 16);
    Label7 = readoutLabel("Label7", 384, 16, 42, 16);
    Label8 = readoutLabel("Label8", 384, 48, 42, 16);
    Label9 = new TLabel("Location: ", this, 16, 104, 57, 16);
    Label9->setFont(WindowFont(13));
    Label10 = new TLabel("", this, 13, 296, 527, 15);
    Label10->setFont(WindowFont(11));
    Label10->setToolTip("Rise, transit (with its elevation) and set of the day, clock time:\n"
                        "against the horizon profile when Horizont is ticked, else at\n"
                        "elevation 0. Updated with the chart.");

    Button1 = Button("TimeZone", this, 13, 46, 131, 20);
    Button3 = Button("Object", this, 13, 74, 131, 20);
    AboutButton = Button("About", this, 13, 187, 53, 20);
    BitBtn2 = Button("&Help", this, 13, 239, 53, 20);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    BitBtn1 = Button("&Exit", this, 13, 267, 53, 20);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Button5 = Button("Redraw", this, 13, 135, 53, 20);
    Button6 = Button("Timestep", this, 13, 215, 53, 20);
    ListBox1 = new TListBox(this);
    ListBox1->setGeometry(377, 72, 163, 221);
    ListBox1->setItemDelegate(new FixedHeightDelegate(13, ListBox1));
    ListBox1->setUniformItemSizes(true);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Horizont = new QCheckBox("Horizont", this);
    Horizont->setGeometry(72, 137, 65, 13);
    Horizont->setChecked(true);
    Button7 = Button("BMP", this, 13, 163, 53, 20);
    Geostat = new QCheckBox("Geostat.", this);
    Geostat->setGeometry(72, 152, 97, 17);
    Geostat->setChecked(true);
    OfDate = new QCheckBox("Of date", this);
    OfDate->setGeometry(72, 170, 70, 17);
    OfDate->setToolTip("Places of date: precession, nutation, aberration and light deflection\n"
                       "(IAU 2006/2000A through ERFA), TT from the leap-second table.\n"
                       "Off: the catalogue places used as places of date.");

    Track = new QCheckBox("Track", this);
    Track->setGeometry(72, 188, 70, 17);
    Track->setToolTip("The rotator of rotator.cfg follows the source (see the README);\n"
                      "off: the rotator is stopped.");
    Label11 = new TLabel("", this, 72, 207, 74, 15);
    Label11->setFont(WindowFont(11));

    PaintBox1 = new TPaintBox(this);
    PaintBox1->setGeometry(169, 176, 189, 111);
    PaintBox1->setToolTip("Double-click: the large sky chart");

    // Tab order of the layout: Button1, Button3, About, Exit, Help, Redraw,
    // Timestep, list, Horizont, BMP, Geostat.
    QWidget* order[] = {Button1, Button3, AboutButton, BitBtn1, BitBtn2, Button5,
                        Button6, ListBox1, Horizont, Button7, Geostat, OfDate, Track};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(AboutButton, &QPushButton::clicked, this, &TForm1::AboutButtonClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(Horizont, &QCheckBox::clicked, this, &TForm1::HorizontClick);
    connect(Geostat, &QCheckBox::clicked, this, &TForm1::GeostatClick);
    connect(OfDate, &QCheckBox::clicked, this, &TForm1::OfDateClick);
    connect(Track, &QCheckBox::clicked, this, &TForm1::TrackClick);
    connect(ListBox1, &TListBox::Click, this, &TForm1::ListBox1Click);
    connect(PaintBox1, &TPaintBox::DoubleClick, this, &TForm1::PaintBox1DblClick);

    // Pop-up menus.
    TimeZone = new QMenu(this);
    UT = TimeZone->addAction("UT", this, &TForm1::UTClick);
    MEZ = TimeZone->addAction("MEZ", this, &TForm1::MEZClick);
    MESZ = TimeZone->addAction("MESZ", this, &TForm1::MESZClick);
    System = TimeZone->addAction("System", this, &TForm1::SystemClick);
    Object = new QMenu(this);
    Sun = Object->addAction(SourceCatalogue[0].Caption, this, &TForm1::SunClick);
    Merkur = Object->addAction(SourceCatalogue[1].Caption, this, &TForm1::MerkurClick);
    Venus = Object->addAction(SourceCatalogue[2].Caption, this, &TForm1::VenusClick);
    Earth = Object->addAction(SourceCatalogue[3].Caption, this, &TForm1::EarthClick);
    Mars = Object->addAction(SourceCatalogue[4].Caption, this, &TForm1::MarsClick);
    Jupiter = Object->addAction(SourceCatalogue[5].Caption, this, &TForm1::JupiterClick);
    Saturn = Object->addAction(SourceCatalogue[6].Caption, this, &TForm1::SaturnClick);
    Uranus = Object->addAction(SourceCatalogue[7].Caption, this, &TForm1::UranusClick);
    Neptun = Object->addAction(SourceCatalogue[8].Caption, this, &TForm1::NeptunClick);
    Pluto = Object->addAction(SourceCatalogue[9].Caption, this, &TForm1::PlutoClick);
    Moon = Object->addAction(SourceCatalogue[10].Caption, this, &TForm1::MoonClick);
    CassA1 = Object->addAction(SourceCatalogue[11].Caption, this, &TForm1::CassA1Click);
    CygnusA1 = Object->addAction(SourceCatalogue[12].Caption, this, &TForm1::CygnusA1Click);
    TaurusA1 = Object->addAction(SourceCatalogue[13].Caption, this, &TForm1::TaurusA1Click);
    VirgoA1 = Object->addAction(SourceCatalogue[14].Caption, this, &TForm1::VirgoA1Click);
    SagittariusA1 = Object->addAction(SourceCatalogue[15].Caption, this, &TForm1::SagittariusA1Click);
    OrionM421 = Object->addAction(SourceCatalogue[16].Caption, this, &TForm1::OrionM421Click);
    Fixstar = Object->addAction("Fixstar = individual", this, &TForm1::FixstarClick);
    Timeincrement = new QMenu(this);
    INC1h1 = Timeincrement->addAction("INC 1h", this, &TForm1::INC1h1Click);
    INC301 = Timeincrement->addAction("INC 30'", this, &TForm1::INC301Click);
    INC101 = Timeincrement->addAction("INC 12'", this, &TForm1::INC101Click);
    INC61 = Timeincrement->addAction("INC 6'", this, &TForm1::INC61Click);

    SaveDialog1.Prompt = AskForFileName;
    ShowMessage = [this](const QString& text) { QMessageBox::warning(this, QString(), text); };
    Beep = [] { QApplication::beep(); };

    ProblemList = new TProblemList(this);
    ReadCatalogue();
    ReadHorizonFile();
    ResizeOuter(this, OuterSize());
    ReadSiteConfiguration();

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->setInterval(10);
    Timer1->start();
}

// The outer size (frame included) is ListBox1's right edge + 20 by its
// bottom edge + 40: 560 x 333 (see WindowSize.h for how the frame is taken
// off).
QSize TForm1::OuterSize() const {
    return QSize(ListBox1->x() + ListBox1->width() + 20, ListBox1->y() + ListBox1->height() + 40);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;  // later the user's size stands
    shownOnce_ = true;
    ResizeOuterOnShow(this, OuterSize());
    if (ProblemList->ListBox1->count() > 0) {
        // Beside the main window, below it; shown without taking the focus.
        ProblemList->setAttribute(Qt::WA_ShowWithoutActivating);
        ProblemList->move(frameGeometry().left(), frameGeometry().bottom() + 8);
        ProblemList->show();
    }
}

// Closing the main window, by Exit or by its own close control, ends the
// program, also while the help window is open beside it.
void TForm1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted()) return;
    tracker_.reset();  // the rotator stopped before the program ends
    QCoreApplication::quit();
}

// ---------------------------------------------------------------------------
// Site files

void TForm1::ReadHorizonFile() {
    horizonProblems_.clear();
    ReadHorizonProfile(Locations.StationFile("horizon.prn").c_str(), State, &horizonProblems_);
    ShowProblems();
}

void TForm1::ReadSiteConfiguration() {
    const std::string path = Locations.StationFile("kelvo.cfg");
    siteFile_ = path;
    siteProblems_.clear();
    ReadSiteFile(path.c_str(), State, &siteProblems_);
    if (!State.SystemZone)
        if (auto mismatch = ZoneMismatch(path.c_str(), State.TimeZoneCode, LocalUtcOffsetSeconds()))
            siteProblems_.push_back(*mismatch);
    if (OfDate) OfDate->setChecked(State.OfDate);
    Label9->SetCaption(QString::fromLatin1("Location: ") +
                       QString::fromStdString(NameAsUtf8(State.SiteName)));
    ShowProblems();
}

SiteProblems TForm1::Problems() const {
    SiteProblems all = horizonProblems_;
    all.insert(all.end(), siteProblems_.begin(), siteProblems_.end());
    all.insert(all.end(), catalogue_.Problems.begin(), catalogue_.Problems.end());
    return all;
}

// The catalogue's sources as a submenu after the eighteen entries of the
// object menu; they are fixed sources under their own names.
void TForm1::ReadCatalogue() {
    catalogue_ = kelvo::ReadCatalogue(Locations.CatalogueFile());
    if (catalogue_.Entries.empty()) return;
    Catalogue = Object->addMenu("Catalogue");
    for (const CatalogueEntry& e : catalogue_.Entries) {
        QString text = QString::fromStdString(e.Name);
        if (!e.Note.empty()) text += "  (" + QString::fromStdString(e.Note) + ")";
        text.replace('&', "&&");  // no accelerators in names
        Catalogue->addAction(text, this, [this, &e] { SelectCatalogueEntry(State, e); });
    }
}

// Problems show in red on the location label, with the list as its tooltip
// and in the problem window; nothing waits for the observer.
void TForm1::ShowProblems() {
    QStringList lines;
    for (const SiteProblem& p : Problems()) lines << QString::fromStdString(Describe(p));
    ProblemList->SetProblems(lines);
    const QString file = "Site file: " + QString::fromStdString(siteFile_);
    if (lines.isEmpty()) {
        Label9->setPalette(palette());
        Label9->setToolTip(file);
        return;
    }
    Label9->SetFontColor(Qt::red);
    Label9->setToolTip(file + "\nProblems in the station's files:\n" + lines.join('\n'));
}

// ---------------------------------------------------------------------------
// Update cycle

// Every 90th tick of 10 ms (about once a second, with the event loop's own
// latency) reads the clock and updates the readouts; a new second of the
// clock also refreshes the chart.
void TForm1::Timer1Timer() {
    if (EndRequested) {  // Ctrl+C or SIGTERM
        EndRequested = 0;
        close();
        return;
    }
    ObservationState& s = State;
    if (s.TickCount == 90) {
        s.TickCount = 0;
        const ClockReading clock = Clock();
        double lst = 0, azimuth = 0, elevation = 0;
        s.CurrentSecond = clock.Second;
        const Readouts r = UpdateReadouts(s, clock, lst, azimuth, elevation);
        Label1->SetCaption(QString::fromLatin1(r.Date));
        shownDateText_ = QString::fromLatin1(r.Date.substr(6));  // without "Date: "
        shownZoneText_ = QString::fromLatin1(r.TimeZone);
        shownGalactic_ = r.Galactic.empty() ? QString()
                                            : "Galactic " + QString::fromLatin1(r.Galactic);
        Label2->SetCaption(QString::fromLatin1(r.LocalTime));
        Label3->SetCaption(QString::fromLatin1(r.Lst));
        Label5->SetCaption(QString::fromLatin1(r.Gha));
        Label4->SetCaption(QString::fromLatin1(r.AziEle));
        Label6->SetCaption(QString::fromLatin1(r.RaDec));
        // A place that could not be computed: the readouts say so, in red,
        // with the file and the problem as their tooltip.
        const QString problem = QString::fromStdString(r.Problem);
        if (Label4->toolTip() != problem) {
            Label4->setToolTip(problem);
            Label6->SetFontColor(r.PlaceUsable ? palette().color(QPalette::WindowText) : Qt::red);
        }
        QStringList tips;
        if (!problem.isEmpty()) tips << problem;
        if (r.PlaceUsable && s.OfDate)
            tips << "RAnow, DEC: the topocentric apparent place of date (Of date ticked)";
        if (!r.Galactic.empty())
            tips << "Galactic " + QString::fromLatin1(r.Galactic) +
                        "\n(IAU 1958; the LSR correction added to a topocentric radial velocity "
                        "gives the LSR velocity)";
        const QString raDecTip = tips.join('\n');
        if (Label6->toolTip() != raDecTip) Label6->setToolTip(raDecTip);
        Label7->SetCaption(QString::fromLatin1(r.Jd));
        Label8->SetCaption(QString::fromLatin1(r.Tjd));
        target_ = TrackTarget(s, r.PlaceUsable, azimuth, elevation);
        if (tracker_) tracker_->Aim(target_.first, target_.second);
        ShowRotator();
        Button1->setText(QString::fromLatin1(r.TimeZone));
        Button3->setText(QString::fromLatin1(r.Source));
        // A new day (local midnight, or a clock set to another date): the
        // track and the table are the new day's.
        const int date = clock.Year * 10000 + clock.Month * 100 + clock.Day;
        if (date != shownDate_) {
            shownDate_ = date;
            s.RedrawPending = true;
        }
        if (s.CurrentSecond != s.LastSecond) {
            s.LastSecond = s.CurrentSecond;
            if (s.RedrawPending) {
                Button5Click();
                s.RedrawPending = false;
            } else {
                DrawTrack();
            }
        }
    }
    ++s.TickCount;
}

// ---------------------------------------------------------------------------
// Buttons and menus

void TForm1::PopUp(QMenu* menu, QPushButton* button) {
    const QRect outer = frameGeometry();
    menu->popup(QPoint(outer.left() + button->x() + button->width(), outer.top() + button->y()));
}

void TForm1::Button1Click() { PopUp(TimeZone, Button1); }
void TForm1::Button3Click() { PopUp(Object, Button3); }
void TForm1::Button6Click() { PopUp(Timeincrement, Button6); }

void TForm1::AboutButtonClick() {
    if (AboutBox) AboutBox->exec();
}

void TForm1::BitBtn2Click() {
    if (!HelpForm) return;
    HelpForm->show();
    HelpForm->raise();
    HelpForm->activateWindow();
}

void TForm1::BitBtn1Click() { close(); }

void TForm1::SelectTimeZone(int code) {
    State.TimeZoneCode = code;
    State.SystemZone = false;
    State.RedrawPending = true;
}

void TForm1::SystemClick() {
    State.SystemZone = true;
    State.RedrawPending = true;
}
void TForm1::UTClick() { SelectTimeZone(0); }
void TForm1::MEZClick() { SelectTimeZone(-1); }
void TForm1::MESZClick() { SelectTimeZone(-2); }

// Object commands: the entries of the source catalogue, in menu order.
void TForm1::SunClick() { SelectSource(State, SourceCatalogue[0]); }
void TForm1::MerkurClick() { SelectSource(State, SourceCatalogue[1]); }
void TForm1::VenusClick() { SelectSource(State, SourceCatalogue[2]); }
void TForm1::EarthClick() { SelectSource(State, SourceCatalogue[3]); }
void TForm1::MarsClick() { SelectSource(State, SourceCatalogue[4]); }
void TForm1::JupiterClick() { SelectSource(State, SourceCatalogue[5]); }
void TForm1::SaturnClick() { SelectSource(State, SourceCatalogue[6]); }
void TForm1::UranusClick() { SelectSource(State, SourceCatalogue[7]); }
void TForm1::NeptunClick() { SelectSource(State, SourceCatalogue[8]); }
void TForm1::PlutoClick() { SelectSource(State, SourceCatalogue[9]); }
void TForm1::MoonClick() { SelectSource(State, SourceCatalogue[10]); }
void TForm1::CassA1Click() { SelectSource(State, SourceCatalogue[11]); }
void TForm1::CygnusA1Click() { SelectSource(State, SourceCatalogue[12]); }
void TForm1::TaurusA1Click() { SelectSource(State, SourceCatalogue[13]); }
void TForm1::VirgoA1Click() { SelectSource(State, SourceCatalogue[14]); }
void TForm1::SagittariusA1Click() { SelectSource(State, SourceCatalogue[15]); }
void TForm1::OrionM421Click() { SelectSource(State, SourceCatalogue[16]); }

void TForm1::FixstarClick() {
    if (!Manual) return;
    char text[32];
    std::snprintf(text, sizeof text, "%6.3f", State.SourceRa / C::DegToRad);
    Manual->Edit1->setText(QString::fromLatin1(text));
    std::snprintf(text, sizeof text, "%6.3f", State.SourceDec / C::DegToRad);
    Manual->Edit2->setText(QString::fromLatin1(text));
    Manual->Edit3->setText(QString::fromLatin1(State.SourceName));
    Manual->exec();
    State.Kind = SourceKind::Fixstar;
    State.RedrawPending = true;
}

void TForm1::SelectStep(int minutes) {
    State.StepMinutes = minutes;
    State.RedrawPending = true;
}
void TForm1::INC1h1Click() { SelectStep(60); }
void TForm1::INC301Click() { SelectStep(30); }
void TForm1::INC101Click() { SelectStep(12); }
void TForm1::INC61Click() { SelectStep(6); }

void TForm1::HorizontClick() {
    State.ShowHorizon = !State.ShowHorizon;
    Horizont->setChecked(State.ShowHorizon);
    Button5Click();
}

void TForm1::OfDateClick() {
    State.OfDate = !State.OfDate;
    OfDate->setChecked(State.OfDate);
    Button5Click();
}

void TForm1::GeostatClick() {
    State.ShowGeostationary = !State.ShowGeostationary;
    Geostat->setChecked(State.ShowGeostationary);
    Button5Click();
}

// ---------------------------------------------------------------------------
// Rotator

// Ticked: reads rotator.cfg (again: it may have been edited) and starts
// tracking; a problem in it is shown and the box stays clear. Cleared: the
// rotator is stopped.
void TForm1::TrackClick() {
    if (!Track->isChecked()) {
        if (tracker_) tracker_->Track(false);
        ShowRotator();
        return;
    }
    const RotatorConfigReading reading = ReadRotatorConfig(Locations.StationFile("rotator.cfg"));
    if (!reading.Problems.empty()) {
        Track->setChecked(false);
        tracker_.reset();  // (off already) its state would hide the problem
        QStringList lines;
        for (const std::string& p : reading.Problems) lines << QString::fromStdString(p);
        const QString text = "Tracking does not start:\n" + lines.join('\n');
        Label11->SetCaption("no rotator");
        Label11->SetFontColor(Qt::red);
        Label11->setToolTip(text);
        ShowMessage(text);
        return;
    }
    if (!tracker_ || !(reading.Config == trackerConfig_)) {
        tracker_.reset();
        trackerConfig_ = reading.Config;
        tracker_ = std::make_unique<RotatorTracker>(trackerConfig_, &State.Horizon);
    }
    tracker_->Aim(target_.first, target_.second);
    tracker_->Track(true);
    ShowRotator();
}

// The tracker's state under Track, coloured, with the details as tooltip;
// the rotator's direction on the charts while it reports one.
void TForm1::ShowRotator() {
    if (!tracker_) return;
    const RotatorStatus status = tracker_->Status();
    using S = RotatorStatus::State;
    QColor colour = palette().color(QPalette::WindowText);
    switch (status.What) {
        case S::OnTarget: colour = QColor(0, 128, 0); break;
        case S::Moving: colour = QColor(176, 96, 0); break;
        case S::Holding:
        case S::Parked: colour = QColor(0, 0, 160); break;
        case S::Error:
        case S::Lost: colour = Qt::red; break;
        case S::Off:
        case S::Connecting: break;
    }
    Label11->SetCaption(QString::fromLatin1(StatusLines(status)));
    Label11->SetFontColor(colour);
    const QString details = QString::fromLatin1(StatusDetails(status, trackerConfig_));
    if (Label11->toolTip() != details) Label11->setToolTip(details);
    std::optional<QPointF> direction;
    if (status.Reported) {
        const auto [az, el] = PointingOf(status.Reported->first, status.Reported->second);
        direction = QPointF(az, el);
    }
    PaintBox1->SetRotator(direction);  // the large chart takes it with the next second
}
