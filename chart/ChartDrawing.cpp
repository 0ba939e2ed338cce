// The chart of the main window: full redraw, track and table, geostationary
// arc, horizon profile, event marks and the bitmap export.
#include <QFile>
#include <QPixmap>

#include "Doruruve.h"
#include "Satellit.h"
#include "Track.h"

namespace {
const QColor kNavy(0, 0, 128);
const QColor kGreen(0, 128, 0);
const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
}  // namespace

void TForm1::ChartPosition(double az, double el, int& x, int& y) const {
    ::ChartPosition(az, el, PaintBox1->width(), PaintBox1->height(), x, y);
}

void TForm1::Button5Click() {
    Canvas& c = PaintBox1->canvas();
    c.SetBrushColor(kNavy);  // solid again after an event mark
    c.FillRect(0, 0, PaintBox1->width(), PaintBox1->height());
    c.SetPenWidth(2);
    DrawTrack();
    if (State.ShowGeostationary) DrawGeostationaryArc();
    if (State.ShowHorizon) DrawHorizonProfile();
    PaintBox1->update();
}

void TForm1::DrawHorizonProfile() {
    Canvas& c = PaintBox1->canvas();
    const int W = PaintBox1->width();
    const int H = PaintBox1->height();
    c.SetPenColor(kGreen);
    for (int j = 0; j < 360; ++j) {
        int x = 0, y = 0;
        ::ChartPosition(j, State.Horizon[j], W, H, x, y);
        c.MoveTo(x, H);
        c.LineTo(x, y);
    }
}

void TForm1::DrawTrack() {
    Canvas& c = PaintBox1->canvas();
    const std::vector<TrackPoint> points = ComputeTrack(State, Clock());
    if (State.RedrawPending) {
        ListBox1->setUpdatesEnabled(false);
        ListBox1->clear();
        for (const TrackPoint& p : points)
            if (p.Tabulated) ListBox1->addItem(QString::fromLatin1(p.Line));
        ListBox1->setUpdatesEnabled(true);
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TrackPoint& p = points[i];
        if (!p.Visible) continue;
        int x = 0, y = 0;
        ChartPosition(p.Azimuth, p.Elevation, x, y);
        c.SetPixel(x, y, kLime);
        if (i + 1 == points.size()) {  // the present moment: a cross
            c.SetPenColor(kLime);
            c.SetPenWidth(2);
            c.MoveTo(x, y - 4);
            c.LineTo(x, y + 4);
            c.MoveTo(x - 4, y);
            c.LineTo(x + 4, y);
        }
    }
    // Green when the source is visible now, red when not (the present moment
    // is the last point of the pass).
    Label4->SetFontColor(!points.empty() && points.back().Visible ? kGreen : kRed);
    PaintBox1->update();
}

void TForm1::DrawGeostationaryArc() {
    Canvas& c = PaintBox1->canvas();
    for (int k = -90; k <= 89; ++k) {
        float a = 0, e = 0;
        GeostationaryElevation(static_cast<float>(k), State.SiteHeight, State.SiteLatitude,
                               State.SiteLongitude, a, e);
        if (State.ShowHorizon && !(HorizonAt(State.Horizon, a) < e)) continue;
        int x = 0, y = 0;
        ChartPosition(a, e, x, y);
        c.SetPixel(x, y, kYellow);
    }
}

void TForm1::DrawEventMark(float elevation, float azimuth) {
    Canvas& c = PaintBox1->canvas();
    int x = 0, y = 0;
    ChartPosition(azimuth, elevation, x, y);
    c.SetBrushColor(kRed);
    c.SetPenColor(kRed);
    c.SetBrushStyle(Canvas::BrushStyle::Clear);
    c.Ellipse(x - 5, y - 5, x + 5, y + 5);
    PaintBox1->update();
}

void TForm1::ListBox1Click() {
    for (int i = 0; i < ListBox1->count(); ++i) {
        if (!ListBox1->item(i)->isSelected()) continue;
        const std::string text = ListBox1->item(i)->text().toLatin1().toStdString();
        const auto a = static_cast<float>(ListNumber(text, 8, 6));
        const auto e = static_cast<float>(ListNumber(text, 19, 6));
        DrawEventMark(e, a);
    }
}

void TForm1::Button7Click() {
    // The window as the user sees it now, before the dialog opens.
    const QPixmap picture = grab(QRect(0, 0, width(), height()));
    SaveDialog1.Title = "Save Image as bmp-file";
    if (!SaveDialog1.Execute()) return;
    const QString name = SaveDialog1.FileName;
    if (QFile::exists(name)) QFile::remove(name);
    if (!picture.toImage().save(name, "BMP")) {
        QFile::remove(name);  // no partial file
        ShowMessage("Error: Bitmap saving");
        return;
    }
    Beep();
}
