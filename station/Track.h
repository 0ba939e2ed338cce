// The source's track over the clock's day and the time-step table lines; no
// drawing here.
#pragma once

#include <string>
#include <vector>

#include "ObservationState.h"
#include "Readouts.h"

namespace kelvo {

// One point of the day's track.
struct TrackPoint {
    double Hours;      // clock time of the point, decimal hours
    double Azimuth;    // degrees from north through east
    double Elevation;  // degrees
    bool Visible;      // above the horizon profile (or above 0 without it); never when the
                       // place could not be computed
    bool Tabulated;    // a table line belongs to the point (not the present moment)
    std::string Line;  // the table line (Latin-1), empty for the present moment
};

// "%04.1fh a=%06.2f°  e=%+05.2f°" in Latin-1.
std::string FormatTableLine(double hours, double azimuth, double elevation);

// The profile's entry for an azimuth in degrees truncated to a whole degree;
// 360 and beyond wrap round (an azimuth of exactly 360 uses entry 0). Not
// finite: 90 (hidden).
float HorizonAt(const HorizonProfile& horizon, double azimuth);

// With the horizon shown: Horizon[trunc(az)] < el (azimuth 360 uses entry 0);
// otherwise el > 0.
bool IsVisible(const ObservationState& state, double azimuth, double elevation);

// The n + 2 points of a pass (n = 1440 / StepMinutes): 0, step, ..., 24 h of
// the clock's date, then the present moment of the clock reading. Calls the
// state's driver once per point; SourceRa, SourceDec and JulianDate hold the
// present moment's values afterwards. Points whose place could not be
// computed (planetary terms missing or damaged) are neither visible nor
// tabulated: no track and no table for them.
// loadTermsOnce: the planetary terms are read once for the pass instead of in
// every driver call (the same numbers; for kelvo-ephem and the large chart,
// while the window's pass reads them per call as it always has).
std::vector<TrackPoint> ComputeTrack(ObservationState& state, const ClockReading& clock,
                                     bool loadTermsOnce = false);

// Where a table line keeps its numbers: in "00.5h a=123.46°  e=-5.25°" the
// azimuth stands in the 6 characters from position 8 and the elevation in the
// 6 from position 19 (0-based; the degree sign is one Latin-1 byte).
inline constexpr int TableAzimuthColumn = 8;
inline constexpr int TableElevationColumn = 19;
inline constexpr int TableNumberWidth = 6;

// The number in count characters of text from position start, converted like
// strtod (0 when there is none).
double ListNumber(const std::string& text, int start, int count);

}  // namespace kelvo
