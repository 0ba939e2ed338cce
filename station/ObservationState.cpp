#include "ObservationState.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace kelvo {

double SystemZoneHours(int year, int month, int day, double hours) {
    if (!std::isfinite(hours)) return 0.0;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    const double whole = std::floor(hours * 3600.0);
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = static_cast<int>(std::clamp(whole, -1e6, 1e6));
    local.tm_isdst = -1;  // as the clock shows it: summer time or not
    if (std::mktime(&local) == static_cast<std::time_t>(-1)) return 0.0;
    return -static_cast<double>(local.tm_gmtoff) / 3600.0;
}

double ZoneHours(const ObservationState& s, int year, int month, int day, double hours) {
    return s.SystemZone ? SystemZoneHours(year, month, day, hours)
                        : static_cast<double>(s.TimeZoneCode);
}

EphemerisRequest RequestFor(const ObservationState& s, int year, int month, int day,
                            double hours) {
    return {s.SiteLongitude, s.SiteLatitude, ZoneHours(s, year, month, day, hours), s.SiteHeight,
            s.Kind,          s.PlanetNumber, &s.Terms,
            s.OfDate};
}

}  // namespace kelvo
