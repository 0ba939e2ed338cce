// The azimuth/elevation chart of the day, drawn into an image of any size:
// the horizon profile, the geostationary belt, the source's track with a
// cross at the present moment, and event rings; the rotator's marker goes
// over it. Azimuth 0..360 deg runs left to right from north through east,
// elevation 90..0 deg top to bottom. The main window's chart is 189 x 111
// pixels.
#pragma once

#include <QColor>
#include <QPainter>
#include <vector>

#include "Canvas.h"
#include "ObservationState.h"
#include "Track.h"

namespace kelvo {

// Pixel of azimuth az and elevation el (degrees) on a width x height chart:
// x = trunc(width / 360 * az), y = trunc(height / 90 * (90 - el)). Values that
// are not finite or far outside the chart map far outside it.
void ChartPosition(double az, double el, int width, int height, int& x, int& y);

// The chart's colours.
inline const QColor ChartBackground(0, 0, 128);  // navy
inline const QColor ChartHorizon(0, 128, 0);     // green
inline const QColor ChartTrack(0, 255, 0);       // lime: track and present cross
inline const QColor ChartBelt(255, 255, 0);      // yellow: geostationary belt
inline const QColor ChartEvent(255, 0, 0);       // red: event rings
inline const QColor ChartRotator(0, 255, 255);   // cyan: the rotator's reported direction

// The rotator's reported direction (az, el degrees) over a width x height
// chart on painter: an open square of 9 pixels. Painted over the chart's
// image, not into it, so that it moves without a trail.
void PaintRotatorMarker(QPainter& painter, int width, int height, double az, double el);

class SkyChart {
public:
    SkyChart(int width, int height);

    int Width() const { return canvas_.Width(); }
    int Height() const { return canvas_.Height(); }
    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    const QImage& Image() const { return canvas_.Image(); }

    // ChartPosition on this chart's size.
    void Position(double az, double el, int& x, int& y) const;

    // The background over the whole raster (the brush solid again after an
    // event ring) and a pen 2 pixels wide.
    void Clear();
    // A green column from the bottom edge up to the profile's elevation at
    // each whole degree of azimuth.
    void DrawHorizonProfile(const HorizonProfile& horizon);
    // A yellow pixel for each of the 180 satellites at whole degrees of
    // longitude from 90 deg east to 89 deg west of the site's meridian (its
    // longitude rounded), seen from the site (height m, latitude deg,
    // longitude deg positive west); with a horizon profile only those above
    // it.
    void DrawGeostationaryArc(double siteHeight, double siteLatitude, double siteLongitude,
                              const HorizonProfile* horizon);
    // A lime pixel for each visible point; the last point is the present
    // moment and gets a cross 9 pixels wide when visible.
    void DrawTrack(const std::vector<TrackPoint>& points);
    // A red ring of 10 pixels round the place (the brush left clear).
    void DrawEventMark(float elevation, float azimuth);

    // The whole chart in the main window's order: background, track, belt
    // (when shown), horizon profile (when shown).
    void Draw(const ObservationState& state, const std::vector<TrackPoint>& points);

private:
    Canvas canvas_;
};

}  // namespace kelvo
