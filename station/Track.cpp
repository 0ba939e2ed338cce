#include "Track.h"

#include <cmath>
#include <optional>
#include <cstdio>

#include "Text.h"

namespace kelvo {

std::string FormatTableLine(double hours, double azimuth, double elevation) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%04.1fh a=%06.2f\xB0  e=%+05.2f\xB0", hours, azimuth,
                  elevation);
    return buffer;
}

float HorizonAt(const HorizonProfile& horizon, double azimuth) {
    if (!std::isfinite(azimuth)) return 90.0f;
    long k = static_cast<long>(std::fmod(azimuth, 360.0));
    if (k < 0) k += 360;
    return horizon[static_cast<std::size_t>(k % 360)];
}

bool IsVisible(const ObservationState& s, double azimuth, double elevation) {
    if (!s.ShowHorizon) return elevation > 0.0;
    return HorizonAt(s.Horizon, azimuth) < elevation;
}

std::vector<TrackPoint> ComputeTrack(ObservationState& s, const ClockReading& clock,
                                     bool loadTermsOnce) {
    const int step = s.StepMinutes > 0 ? s.StepMinutes : 30;
    const int n = 1440 / step;
    EphemerisRequest request = RequestFor(s, clock.Year, clock.Month, clock.Day, 0.0);
    std::optional<PlanetTerms> terms;
    if (loadTermsOnce && s.Kind == SourceKind::Planet)
        terms = LoadTermsFor(s.Terms, s.PlanetNumber);
    std::vector<TrackPoint> points;
    points.reserve(static_cast<std::size_t>(n) + 2);
    // Filled by the drivers and, as in the cycle, not reset between points: a
    // driver that leaves azimuth and elevation alone (the Earth) gives 0, 0.
    double lst = 0.0, azimuth = 0.0, elevation = 0.0;
    for (int i = 0; i <= n + 1; ++i) {
        const double t = i <= n ? (static_cast<double>(i) / n) * 24.0 : ClockHours(clock);
        if (s.SystemZone) request.timeZone = SystemZoneHours(clock.Year, clock.Month, clock.Day, t);
        const PlaceStatus status =
            terms ? PlanetEphemeris(*terms, request.longitude, request.latitude, request.timeZone,
                                    request.height, request.planet, clock.Year, clock.Month,
                                    clock.Day, t, lst, azimuth, elevation, s.SourceRa, s.SourceDec,
                                    s.JulianDate, request.ofDate)
                  : CallEphemerisDriver(request, clock.Year, clock.Month, clock.Day, t, lst,
                                        azimuth, elevation, s.SourceRa, s.SourceDec,
                                        s.JulianDate);
        TrackPoint p{t, azimuth, elevation, status.Usable && IsVisible(s, azimuth, elevation),
                     false, {}};
        if (status.Usable && i <= n && std::lround(t * 60.0) % step == 0) {
            p.Tabulated = true;
            p.Line = FormatTableLine(t, azimuth, elevation);
        }
        points.push_back(std::move(p));
    }
    return points;
}

double ListNumber(const std::string& text, int start, int count) {
    if (start < 0 || count <= 0 || static_cast<std::size_t>(start) >= text.size()) return 0.0;
    return ParseReal(std::string_view(text).substr(static_cast<std::size_t>(start),
                                                   static_cast<std::size_t>(count)));
}

}  // namespace kelvo
