// The main window's chart handlers: full redraw, track and table, the
// geostationary arc, the horizon profile, event marks and the bitmap export.
// The drawing itself is the chart class's.
#include <QPixmap>
#include <QSaveFile>

#include "Events.h"
#include "Doruruve.h"
#include "Track.h"

using namespace kelvo;

namespace {
const QColor kVisible(0, 128, 0);  // green
const QColor kHidden(255, 0, 0);   // red
}  // namespace

void TForm1::Button5Click() {
    events_.clear();
    PaintBox1->chart().Clear();
    DrawTrack();
    if (State.ShowGeostationary) DrawGeostationaryArc();
    if (State.ShowHorizon) DrawHorizonProfile();
    PaintBox1->update();
    const ClockReading clock = Clock();
    const DayEvents events = EventsOfDay(State, clock.Year, clock.Month, clock.Day);
    Label10->setText(events.Usable ? QString::fromLatin1(EventsLine(events)) : QString());
}

void TForm1::DrawHorizonProfile() { PaintBox1->chart().DrawHorizonProfile(State.Horizon); }

void TForm1::DrawTrack() {
    const std::vector<TrackPoint> points = ComputeTrack(State, Clock());
    if (State.RedrawPending) {
        ListBox1->setUpdatesEnabled(false);
        ListBox1->clear();
        for (const TrackPoint& p : points)
            if (p.Tabulated) ListBox1->addItem(QString::fromLatin1(p.Line));
        ListBox1->setUpdatesEnabled(true);
    }
    PaintBox1->chart().DrawTrack(points);
    // Green when the source is visible now, red when not (the present moment
    // is the last point of the pass).
    Label4->SetFontColor(!points.empty() && points.back().Visible ? kVisible : kHidden);
    PaintBox1->update();
    UpdateSkyChart(points);
}

// The large chart follows the small one, with the same track.
void TForm1::UpdateSkyChart(const std::vector<TrackPoint>& points) {
    if (!SkyChart || !SkyChart->isVisible()) return;
    ChartScene scene = SceneOf(State, points, shownDateText_, shownZoneText_);
    scene.Events = events_;
    scene.Note = shownGalactic_;
    scene.Rotator = PaintBox1->Rotator();
    SkyChart->SetScene(scene);
}

void TForm1::PaintBox1DblClick() {
    if (!SkyChart) SkyChart = new TSkyChartForm(this);
    SkyChart->show();
    SkyChart->raise();
    SkyChart->activateWindow();
    DrawTrack();  // at once, not at the next second
}

void TForm1::DrawGeostationaryArc() {
    PaintBox1->chart().DrawGeostationaryArc(State.SiteHeight, State.SiteLatitude,
                                            State.SiteLongitude,
                                            State.ShowHorizon ? &State.Horizon : nullptr);
}

void TForm1::DrawEventMark(float elevation, float azimuth) {
    events_.emplace_back(azimuth, elevation);
    PaintBox1->chart().DrawEventMark(elevation, azimuth);
    PaintBox1->update();
}

void TForm1::ListBox1Click() {
    for (int i = 0; i < ListBox1->count(); ++i) {
        if (!ListBox1->item(i)->isSelected()) continue;
        const std::string text = ListBox1->item(i)->text().toLatin1().toStdString();
        const auto a = static_cast<float>(ListNumber(text, TableAzimuthColumn, TableNumberWidth));
        const auto e = static_cast<float>(ListNumber(text, TableElevationColumn, TableNumberWidth));
        DrawEventMark(e, a);
    }
}

void TForm1::Button7Click() {
    // The window as the user sees it now, before the dialog opens.
    const QPixmap picture = grab(QRect(0, 0, width(), height()));
    SaveDialog1.Title = "Save Image as bmp-file";
    if (!SaveDialog1.Execute()) return;
    // Written to a temporary file in the same folder, every write and the
    // close checked, then renamed over the name: a full disk or any other
    // failure leaves no partial file and the old file as it was.
    QSaveFile file(SaveDialog1.FileName);
    QString error;
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
    } else if (!picture.toImage().save(&file, "BMP")) {
        error = file.error() != QFileDevice::NoError ? file.errorString()
                                                     : QString("the picture could not be written");
        file.cancelWriting();
    } else if (!file.commit()) {
        error = file.errorString();
    }
    if (!error.isEmpty()) {
        ShowMessage("Error: Bitmap saving\n" + error);
        return;
    }
    Beep();
}
