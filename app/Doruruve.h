// The main window: readouts, selection menus, chart and time-step table.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Catalogue.h"
#include "Locations.h"
#include "ObservationState.h"
#include "Problems.h"
#include "Readouts.h"
#include "RotatorTracker.h"
#include "SiteFiles.h"
#include "SkyChart.h"
#include "SkyChartForm.h"

// The chart's paint box: shows the chart's image on every repaint; a
// double click asks for the large sky chart.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent);
    kelvo::SkyChart& chart() { return chart_; }
    kelvo::Canvas& canvas() { return chart_.canvas(); }
    // The rotator's reported direction (azimuth, elevation in degrees) shown
    // over the chart, or none.
    void SetRotator(std::optional<QPointF> direction);
    std::optional<QPointF> Rotator() const { return rotator_; }

signals:
    void DoubleClick();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    kelvo::SkyChart chart_;
    std::optional<QPointF> rotator_;
};

// A list box whose click, as the old toolkit's, is a mouse click on an item
// (also on the item already selected) or a key that moves the selection.
class TListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TListBox(QWidget* parent);

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A label whose box follows its text, as the old toolkit's labels did.
class TLabel : public QLabel {
    Q_OBJECT
public:
    TLabel(const QString& text, QWidget* parent, int left, int top, int width, int height);
    void SetCaption(const QString& text);
    void SetFontColor(QColor color);
};

// The file save dialog's settings and the prompt behind it. Prompt returns
// the name the user chose (nothing when cancelled); tests replace it.
struct TSaveDialog {
    QString Title;
    QString FileName = "GRB4711";
    QString DefaultExt = "bmp";
    QString Filter = "Windows Bitmap (*.bmp)|*.bmp";
    std::function<std::optional<QString>(const TSaveDialog&)> Prompt;
    // Shows the prompt; on OK stores the chosen name, with DefaultExt added
    // when it has no extension, and returns true.
    bool Execute();
};

class TForm1 : public QWidget {
    Q_OBJECT
    friend class TManual;

public:
    // Reads kelvo.cfg, horizon.prn and (on every planet request) the terms
    // files where locations finds them: by default the working directory and,
    // for an installed program, the configuration and share/kelvo folders.
    explicit TForm1(kelvo::FileLocations locations = kelvo::ProgramLocations(),
                    QWidget* parent = nullptr);

    const kelvo::FileLocations Locations;
    kelvo::ObservationState State;
    // The clock seam: every reading of the local clock goes through here.
    std::function<kelvo::ClockReading()> Clock = kelvo::ReadLocalClock;
    // How a message box and the beep reach the user; tests replace them.
    std::function<void(const QString&)> ShowMessage;
    std::function<void()> Beep;

    // Controls, named as in the layout.
    TLabel* Label1;  // date readout "Date: dd-mm-yyyy"
    TLabel* Label2;  // local clock time "Local time: hh:mm:ss"
    TLabel* Label3;  // local sidereal time "LST= ..."
    TLabel* Label5;  // Greenwich sidereal time "GHA= ..."
    TLabel* Label4;  // azimuth/elevation readout "AZI=...; ELE=..." (green visible, red not)
    TLabel* Label6;  // right ascension/declination readout "RA =...; DEC=..."
    TLabel* Label7;  // Julian Date "JD =..."
    TLabel* Label8;  // truncated Julian Date and seconds of the day "TJD=... D=...s"
    TLabel* Label9;  // site name "Location: ..."
    TLabel* Label10;  // the day's rise, transit and set under the chart and the table
    TLabel* Label11;  // the rotator's state and reported position, under Track
    QPushButton* Button1;      // time-zone button: opens the TimeZone menu, shows the zone
    QPushButton* Button3;      // source button: opens the Object menu, shows the source
    QPushButton* Button5;      // Redraw: the whole chart at once
    QPushButton* Button7;      // BMP: saves the window as a bitmap
    QPushButton* AboutButton;  // About: the about box
    QPushButton* Button6;      // Timestep: opens the Timeincrement menu
    QPushButton* BitBtn2;      // Help: the help window
    QPushButton* BitBtn1;      // Exit: closes the window and ends the program
    QCheckBox* Horizont;       // draw the horizon profile and test visibility against it
    QCheckBox* Geostat;        // draw the geostationary belt
    QCheckBox* OfDate = nullptr;  // places of date (ERFA) instead of catalogue places
    QCheckBox* Track = nullptr;   // the rotator of rotator.cfg follows the source (off at start)
    TPaintBox* PaintBox1;      // the az/el chart, 189 x 111
    TListBox* ListBox1;        // the time-step table; a click rings the line's place
    QFrame *Bevel1, *Bevel2, *Bevel3, *Bevel5, *Bevel8, *Bevel4, *Bevel9;  // readout frames
    QFrame *Bevel10, *Bevel11;  // JD and TJD frames
    QFrame *Bevel6, *Bevel7;    // etched frames round the menu buttons and the tool buttons
    QTimer* Timer1;             // the update cycle, 10 ms ticks
    QMenu* TimeZone;            // UT, MEZ, MESZ, System
    QMenu* Object;              // the seventeen sources, "Fixstar = individual" and, with a
                                // sources.cat, the Catalogue submenu
    QMenu* Catalogue = nullptr;  // the entries of sources.cat
    QMenu* Timeincrement;       // table steps 60, 30, 12, 6 minutes
    QAction *UT, *MEZ, *MESZ;   // time-zone codes 0, -1, -2
    QAction* System;            // this computer's own zone at each reading
    QAction *Sun, *Merkur, *Venus, *Earth, *Mars, *Jupiter, *Saturn, *Uranus, *Neptun, *Pluto,
        *Moon;                  // planet driver (Moon: Moon driver)
    QAction *CassA1, *CygnusA1, *TaurusA1, *VirgoA1, *SagittariusA1, *OrionM421;  // radio sources
    QAction* Fixstar;           // opens the manual coordinates dialog
    QAction *INC1h1, *INC301, *INC101, *INC61;  // steps 60, 30, 12, 6 minutes
    TSaveDialog SaveDialog1;    // the BMP export's file prompt
    TProblemList* ProblemList;  // problems found in kelvo.cfg and horizon.prn, beside the window
    TSkyChartForm* SkyChart = nullptr;  // the large sky chart, made on the first double click

    // The problems of the site files as last read (and a zone that differs
    // from this computer's), in the order found.
    kelvo::SiteProblems Problems() const;

public slots:
    void Timer1Timer();
    void Button1Click();
    void Button3Click();
    void Button6Click();
    void Button5Click();
    void Button7Click();
    void AboutButtonClick();
    void BitBtn2Click();
    void BitBtn1Click();
    void HorizontClick();
    void GeostatClick();
    void OfDateClick();
    void TrackClick();
    void ListBox1Click();
    void PaintBox1DblClick();
    void UTClick();
    void MEZClick();
    void MESZClick();
    void SystemClick();
    void SunClick();
    void MerkurClick();
    void VenusClick();
    void EarthClick();
    void MarsClick();
    void JupiterClick();
    void SaturnClick();
    void UranusClick();
    void NeptunClick();
    void PlutoClick();
    void MoonClick();
    void CassA1Click();
    void CygnusA1Click();
    void TaurusA1Click();
    void VirgoA1Click();
    void SagittariusA1Click();
    void OrionM421Click();
    void FixstarClick();
    void INC1h1Click();
    void INC301Click();
    void INC101Click();
    void INC61Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ReadHorizonFile();
    void ReadSiteConfiguration();
    // Chart drawing (ChartDrawing.cpp), drawn by the chart class.
    void DrawTrack();
    void DrawHorizonProfile();
    void DrawGeostationaryArc();
    void DrawEventMark(float elevation, float azimuth);

    void SelectTimeZone(int code);
    void SelectStep(int minutes);
    void PopUp(QMenu* menu, QPushButton* button);
    QSize OuterSize() const;
    // Marks the location label and fills the problem list from the problems.
    void ShowProblems();
    bool shownOnce_ = false;
    kelvo::SiteProblems horizonProblems_, siteProblems_;
    kelvo::Catalogue catalogue_;
    void ReadCatalogue();
    std::string siteFile_;  // the kelvo.cfg in use
    int shownDate_ = 0;  // yyyymmdd of the clock at the last update
    // For the sky chart: the event rings since the last full redraw, and
    // the texts of the last update.
    std::vector<QPointF> events_;
    QString shownDateText_, shownZoneText_, shownGalactic_;
    void UpdateSkyChart(const std::vector<kelvo::TrackPoint>& points);
    // Tracking: the tracker of the rotator.cfg read when Track was last
    // ticked (kept while the settings stay the same), its state shown once a
    // second.
    std::unique_ptr<kelvo::RotatorTracker> tracker_;
    kelvo::RotatorConfig trackerConfig_;
    std::pair<double, double> target_{std::nan(""), std::nan("")};  // the source's az, el now
    void ShowRotator();
};

// Set by SIGINT and SIGTERM: the update cycle closes the main window, which
// stops the rotator and ends the program.
extern volatile std::sig_atomic_t EndRequested;

// The windows, created once at start in this order.
extern TForm1* Form1;
