#include "SkyChart.h"

#include <cmath>

#include "Satellit.h"

namespace kelvo {

namespace {

// Truncation toward zero for pixel coordinates; anything not finite or far
// away lands far outside any chart instead of overflowing the conversion.
int PixelOf(double v) {
    if (!std::isfinite(v)) return -1000000;
    if (v > 1e6) return 1000000;
    if (v < -1e6) return -1000000;
    return static_cast<int>(v);
}

}  // namespace

void ChartPosition(double az, double el, int width, int height, int& x, int& y) {
    x = PixelOf((width * (1.0 / 360.0)) * az);
    y = PixelOf((height * (1.0 / 90.0)) * (90.0 - el));
}

void PaintRotatorMarker(QPainter& painter, int width, int height, double az, double el) {
    int x = 0, y = 0;
    ChartPosition(az, el, width, height, x, y);
    painter.save();
    painter.setPen(QPen(ChartRotator, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(x - 4, y - 4, 8, 8);
    painter.restore();
}

SkyChart::SkyChart(int width, int height) : canvas_(width, height, Qt::black) {}

void SkyChart::Position(double az, double el, int& x, int& y) const {
    ChartPosition(az, el, Width(), Height(), x, y);
}

void SkyChart::Clear() {
    canvas_.SetBrushColor(ChartBackground);
    canvas_.FillRect(0, 0, Width(), Height());
    canvas_.SetPenWidth(2);
}

void SkyChart::DrawHorizonProfile(const HorizonProfile& horizon) {
    canvas_.SetPenColor(ChartHorizon);
    for (int j = 0; j < 360; ++j) {
        int x = 0, y = 0;
        Position(j, horizon[static_cast<std::size_t>(j)], x, y);
        canvas_.MoveTo(x, Height());
        canvas_.LineTo(x, y);
    }
}

void SkyChart::DrawGeostationaryArc(double siteHeight, double siteLatitude, double siteLongitude,
                                    const HorizonProfile* horizon) {
    // The 180 satellites at whole degrees of longitude from 90 deg east to 89
    // deg west of the site's own meridian: the whole belt a site can see,
    // wherever it is.
    const double own = std::isfinite(siteLongitude) ? std::remainder(siteLongitude, 360.0) : 0.0;
    const int centre = static_cast<int>(std::lround(own));
    for (int k = centre - 90; k <= centre + 89; ++k) {  // degrees, positive west
        float a = 0, e = 0;
        GeostationaryElevation(static_cast<float>(k), siteHeight, siteLatitude, siteLongitude, a,
                               e);
        if (horizon && !(HorizonAt(*horizon, a) < e)) continue;
        int x = 0, y = 0;
        Position(a, e, x, y);
        canvas_.SetPixel(x, y, ChartBelt);
    }
}

void SkyChart::DrawTrack(const std::vector<TrackPoint>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TrackPoint& p = points[i];
        if (!p.Visible) continue;
        int x = 0, y = 0;
        Position(p.Azimuth, p.Elevation, x, y);
        canvas_.SetPixel(x, y, ChartTrack);
        if (i + 1 == points.size()) {  // the present moment: a cross
            canvas_.SetPenColor(ChartTrack);
            canvas_.SetPenWidth(2);
            canvas_.MoveTo(x, y - 4);
            canvas_.LineTo(x, y + 4);
            canvas_.MoveTo(x - 4, y);
            canvas_.LineTo(x + 4, y);
        }
    }
}

void SkyChart::DrawEventMark(float elevation, float azimuth) {
    int x = 0, y = 0;
    Position(azimuth, elevation, x, y);
    canvas_.SetBrushColor(ChartEvent);
    canvas_.SetPenColor(ChartEvent);
    canvas_.SetBrushStyle(Canvas::BrushStyle::Clear);
    canvas_.Ellipse(x - 5, y - 5, x + 5, y + 5);
}

void SkyChart::Draw(const ObservationState& s, const std::vector<TrackPoint>& points) {
    Clear();
    DrawTrack(points);
    if (s.ShowGeostationary)
        DrawGeostationaryArc(s.SiteHeight, s.SiteLatitude, s.SiteLongitude,
                             s.ShowHorizon ? &s.Horizon : nullptr);
    if (s.ShowHorizon) DrawHorizonProfile(s.Horizon);
}

}  // namespace kelvo
