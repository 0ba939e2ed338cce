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
#include <functional>
#include <optional>

#include "Canvas.h"
#include "ObservationState.h"
#include "Readouts.h"

// The chart's paint box: shows the canvas image on every repaint.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent);
    Canvas& canvas() { return canvas_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Canvas canvas_;
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
    explicit TForm1(QWidget* parent = nullptr);

    ObservationState State;
    // The clock seam: every reading of the local clock goes through here.
    std::function<ClockReading()> Clock = ReadLocalClock;
    // How a message box and the beep reach the user; tests replace them.
    std::function<void(const QString&)> ShowMessage;
    std::function<void()> Beep;

    // Controls, named as in the layout.
    TLabel *Label1, *Label2, *Label3, *Label5, *Label4, *Label6, *Label7, *Label8, *Label9;
    QPushButton *Button1, *Button3, *Button5, *Button7, *AboutButton, *Button6, *BitBtn2, *BitBtn1;
    QCheckBox *Horizont, *Geostat;
    TPaintBox* PaintBox1;
    QListWidget* ListBox1;
    QFrame *Bevel1, *Bevel2, *Bevel3, *Bevel5, *Bevel8, *Bevel4, *Bevel9, *Bevel10, *Bevel11,
        *Bevel6, *Bevel7;
    QTimer* Timer1;
    QMenu *TimeZone, *Object, *Timeincrement;
    QAction *UT, *MEZ, *MESZ;
    QAction *Sun, *Merkur, *Venus, *Earth, *Mars, *Jupiter, *Saturn, *Uranus, *Neptun, *Pluto,
        *Moon, *CassA1, *CygnusA1, *TaurusA1, *VirgoA1, *SagittariusA1, *OrionM421, *Fixstar;
    QAction *INC1h1, *INC301, *INC101, *INC61;
    TSaveDialog SaveDialog1;

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
    void ListBox1Click();
    void UTClick();
    void MEZClick();
    void MESZClick();
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
    // Chart drawing (chart/ChartDrawing.cpp).
    void DrawTrack();
    void DrawHorizonProfile();
    void DrawGeostationaryArc();
    void DrawEventMark(float elevation, float azimuth);
    void ChartPosition(double az, double el, int& x, int& y) const;

    void SelectTimeZone(int code);
    void SelectStep(int minutes);
    void PopUp(QMenu* menu, QPushButton* button);
    QSize OuterSize() const;
    bool shownOnce_ = false;
};

// The windows, created once at start in this order.
extern TForm1* Form1;
