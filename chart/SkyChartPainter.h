// The large sky chart: the day of one source drawn with anti-aliasing on any
// paint device (an image, an SVG file, a window) at any size, as a
// rectangular azimuth/elevation chart or as a polar view of the sky dome.
// Contents: azimuth and elevation grid with labels, the horizon profile
// filled, the geostationary belt, the day's track coloured by visibility
// with hour labels, the present position, event rings, the rotator's
// reported direction while tracking, a legend and a title line.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ObservationState.h"
#include "Track.h"

namespace kelvo {

enum class ChartView { Rectangular, Polar };

// Everything the chart shows, taken from the main window or kelvo-ephem.
struct ChartScene {
    QString Title;                       // site, date, source, zone
    HorizonProfile Horizon{};            // degrees at each whole degree of azimuth
    bool ShowHorizon = true;
    bool ShowGeostationary = true;
    double SiteHeight = 0.0, SiteLatitude = 0.0, SiteLongitude = 0.0;  // m, deg, deg west
    std::vector<TrackPoint> Track;       // the day's points; the last is the present moment
    std::vector<QPointF> Events;         // rings: (azimuth, elevation) in degrees
    QString Note;                        // more about the source (galactic place, LSR)
    std::optional<QPointF> Rotator;      // where the rotator points: (azimuth, elevation), degrees
};

// The scene of a state and its track (title from the readouts' texts).
ChartScene SceneOf(const ObservationState& state, const std::vector<TrackPoint>& track,
                   const QString& date, const QString& zone);

// The chart's colours: none of the track's can be taken for the horizon's.
struct SkyChartColours {
    static inline const QColor Sky{12, 20, 60};
    static inline const QColor Grid{90, 110, 160};
    static inline const QColor Label{220, 225, 240};
    static inline const QColor Horizon{40, 120, 40};           // filled ground
    static inline const QColor Belt{255, 220, 0};             // geostationary belt
    static inline const QColor Visible{255, 140, 0};          // track above the horizon
    static inline const QColor Hidden{150, 150, 170};         // track below it
    static inline const QColor Present{255, 255, 255};        // the present position
    static inline const QColor Event{255, 40, 40};            // event rings
    static inline const QColor Rotator{0, 230, 230};          // the rotator's reported direction
};

// The plot area of a chart of this size (the rest holds title, labels and
// legend), and where azimuth az and elevation el (degrees) fall in it. In
// the rectangular view azimuth 0..360 runs left to right and elevation
// 0..90 bottom to top; in the polar view the zenith is the centre, the
// horizon the rim, north up and east to the right (as on a compass).
QRectF PlotArea(QSizeF size, ChartView view);
QPointF ChartPoint(double az, double el, const QRectF& plot, ChartView view);

// Paints the whole chart into size on painter (whose device it fills).
void PaintSkyChart(QPainter& painter, QSizeF size, const ChartScene& scene, ChartView view);

// Writes the chart as PNG or SVG (by the file name's ending) at width x
// height pixels. On failure returns the reason; nothing is left behind.
std::optional<std::string> ExportSkyChart(const std::string& path, int width, int height,
                                          const ChartScene& scene, ChartView view);

}  // namespace kelvo
