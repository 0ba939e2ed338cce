#include "Readouts.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <cstdio>
#include <ctime>

#include "Calendar.h"
#include "EphemerisConstants.h"
#include "Galactic.h"
#include "OfDate.h"

namespace kelvo {

using C = EphemerisConstants;

ClockReading ReadLocalClock() {
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return {static_cast<std::uint16_t>(local.tm_year + 1900),
            static_cast<std::uint16_t>(local.tm_mon + 1),
            static_cast<std::uint16_t>(local.tm_mday),
            static_cast<std::uint16_t>(local.tm_hour),
            static_cast<std::uint16_t>(local.tm_min),
            static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec),
            static_cast<std::uint16_t>(now.tv_nsec / 1000000)};
}

double ClockHours(const ClockReading& c) {
    return c.Hour + c.Minute * (1.0 / 60.0) + c.Second * (1.0 / 3600.0);
}

namespace {

// Truncation toward zero stored as a 16-bit unsigned value (wrapping as the
// conversion to an unsigned 16-bit field does); 0 for values beyond any use.
std::uint16_t Field(double x) {
    if (!std::isfinite(x) || std::fabs(x) > 1e15) return 0;
    return static_cast<std::uint16_t>(static_cast<long long>(x));
}

std::string Format(const char* format, auto... args) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

}  // namespace

void HoursToHms(double x, std::uint16_t& hours, std::uint16_t& minutes, std::uint16_t& seconds) {
    if (!std::isfinite(x)) {
        hours = minutes = seconds = 0;
        return;
    }
    const double h = std::trunc(x);
    const double m = std::trunc((x - h) * 60.0);
    const double s = std::trunc(((x - h) * 60.0 - m) * 60.0 + 0.5);
    hours = Field(h);
    minutes = Field(m);
    seconds = Field(s);
}

double GreenwichHours(double lst, double longitude) {
    double g = lst * C::RadToHour + longitude * C::DegToRad * C::RadToHour;
    if (!std::isfinite(g)) return 0.0;
    g = std::fmod(g, 24.0);  // same as repeated +-24 for any finite value
    if (g < 0.0) g += 24.0;
    if (g >= 24.0) g -= 24.0;
    return g;
}

std::string TimeZoneCaption(std::int32_t code) {
    switch (code) {
        case -2: return "Timezone: MESZ";
        case -1: return "Timezone: MEZ";
        case 0: return "Timezone: UT";
        default: return "Timezone:unknown";
    }
}

std::string FormatLst(double lst) {
    std::uint16_t h = 0, m = 0, s = 0;
    HoursToHms(lst * C::RadToHour, h, m, s);
    return Format("LST= %6.2f\xB0 = %02u:%02u:%02u", lst * C::RadToDeg, unsigned{h}, unsigned{m},
                  unsigned{s});
}

std::string FormatGha(double lst, double longitude) {
    const double g = GreenwichHours(lst, longitude);
    std::uint16_t h = 0, m = 0, s = 0;
    HoursToHms(g, h, m, s);
    return Format("GHA= %6.2f\xB0 = %02u:%02u:%02u", g * C::HourToRad * C::RadToDeg, unsigned{h},
                  unsigned{m}, unsigned{s});
}

std::string FormatAziEle(double azimuth, double elevation) {
    return Format("AZI=%7.2f\xB0; ELE=%6.2f\xB0", azimuth, elevation);
}

std::string SystemZoneCaption(double offsetSeconds) {
    const long minutes = std::isfinite(offsetSeconds) ? std::lround(offsetSeconds / 60.0) : 0;
    if (minutes == 0) return "Timezone: UT";
    const long m = std::labs(minutes);
    if (m % 60 == 0) return Format("Timezone: UT%c%ld", minutes < 0 ? '-' : '+', m / 60);
    return Format("Timezone: UT%c%ld:%02ld", minutes < 0 ? '-' : '+', m / 60, m % 60);
}

std::string FormatRaDec(double rightAscension, double declination, bool ofDate) {
    // The planet driver's right ascension may lie a few tens of arc-seconds
    // outside 0..2 pi after aberration and parallax; show it as the time of
    // day it stands for.
    double hours = rightAscension * C::RadToHour;
    if (std::isfinite(hours)) {
        hours = std::fmod(hours, 24.0);
        if (hours < 0.0) hours += 24.0;
    }
    std::uint16_t h = 0, m = 0, s = 0;
    HoursToHms(hours, h, m, s);
    const char* format = ofDate ? "RAnow=%02u:%02u:%02u; DEC=%6.2f\xB0"  // place of date
                                : "RA =%02u:%02u:%02u; DEC=%6.2f\xB0";
    return Format(format, unsigned{h}, unsigned{m}, unsigned{s}, declination * C::RadToDeg);
}

std::string FormatJd(double julianDate) { return Format("JD =%15.5f", julianDate); }

std::string FormatTjd(double julianDate) {
    const double t = julianDate - 2440000.5;
    const int n = std::isfinite(t) && std::fabs(t) < 2e9 ? static_cast<int>(t) : 0;
    return Format("TJD=%6i D=%6.0fs", n, (t - n) * 86400.0);
}

Readouts UpdateReadouts(ObservationState& s, const ClockReading& c, double& lst, double& azimuth,
                        double& elevation) {
    Readouts r;
    r.Date = Format("Date: %02u-%02u-%04u", unsigned{c.Day}, unsigned{c.Month}, unsigned{c.Year});
    r.LocalTime =
        Format("Local time: %02u:%02u:%02u", unsigned{c.Hour}, unsigned{c.Minute}, unsigned{c.Second});
    lst = azimuth = elevation = 0.0;
    const double hours = ClockHours(c);
    const EphemerisRequest request = RequestFor(s, c.Year, c.Month, c.Day, hours);
    const PlaceStatus status =
        CallEphemerisDriver(request, c.Year, c.Month, c.Day, hours, lst, azimuth, elevation,
                            s.SourceRa, s.SourceDec, s.JulianDate);
    r.Lst = FormatLst(lst);
    r.Gha = FormatGha(lst, s.SiteLongitude);
    r.PlaceUsable = status.Usable;
    if (status.Usable) {
        r.AziEle = FormatAziEle(azimuth, elevation);
        const bool apparent = std::isfinite(status.ApparentRa);
        r.Ra = apparent ? status.ApparentRa : s.SourceRa;
        r.Dec = apparent ? status.ApparentDec : s.SourceDec;
        r.RaDec = FormatRaDec(r.Ra, r.Dec, s.OfDate);
    } else {
        r.AziEle = UnusableAziEle(status);
        r.RaDec = UnusableRaDec(status);
        r.Problem = status.Detail;
    }
    const double ut = JulianDay({c.Year, c.Month, c.Day + hours / 24.0}) + request.timeZone / 24.0;
    const bool body = s.Kind != SourceKind::Fixstar && !(s.Kind == SourceKind::Planet &&
                                                         s.PlanetNumber == 3);
    if (status.Usable && s.Kind == SourceKind::Fixstar) {
        double l = 0.0, b = 0.0;
        GalacticOf(s.SourceRa, s.SourceDec, l, b);
        r.GalacticL = l * C::RadToDeg;
        r.GalacticB = b * C::RadToDeg;
        r.LsrCorrection =
            LsrCorrectionOf(s.SourceRa, s.SourceDec, s.SiteLongitude, s.SiteLatitude,
                            s.SiteHeight, ut)
                .Total;
        r.Galactic = Format("l=%6.2f\xB0 b=%6.2f\xB0; vLSR corr. %+7.3f km/s", r.GalacticL,
                            r.GalacticB, r.LsrCorrection);
    } else if (status.Usable && body) {
        // The Sun, a planet, the Moon: the galactic place of their apparent
        // place of date (carried back to J2000.0). They move with the solar
        // system, so no LSR correction applies to them.
        double ra = s.SourceRa, dec = s.SourceDec, l = 0.0, b = 0.0;
        FromTrueEquatorOfDate(TimeScalesOf(ut).Tt, ra, dec);
        GalacticOf(ra, dec, l, b);
        r.GalacticL = l * C::RadToDeg;
        r.GalacticB = b * C::RadToDeg;
        r.Galactic = Format("l=%6.2f\xB0 b=%6.2f\xB0", r.GalacticL, r.GalacticB);
    }
    r.Jd = FormatJd(s.JulianDate);
    r.Tjd = FormatTjd(s.JulianDate);
    r.TimeZone = s.SystemZone ? SystemZoneCaption(-request.timeZone * 3600.0)
                              : TimeZoneCaption(s.TimeZoneCode);
    r.Source = std::string("Sourceobject: ") + s.SourceName;
    return r;
}

std::string UnusableAziEle(const PlaceStatus& status) {
    return status.FilesMissing ? "AZI/ELE: terms missing" : "AZI/ELE: terms damaged";
}

std::string UnusableRaDec(const PlaceStatus& status) {
    return status.FilesMissing ? "RA/DEC: no PLANETS.NDX/DAT" : "RA/DEC: see PLANETS.NDX/DAT";
}

TermsReport PrintWhenChanged(std::FILE* out) {
    auto last = std::make_shared<std::vector<std::string_view>>();
    return [out, last](const std::vector<std::string_view>& lines) {
        for (auto it = lines.begin(); it != lines.end(); ++it) {
            const std::string_view line = *it;
            if (std::find(last->begin(), last->end(), line) != last->end()) continue;
            if (std::find(lines.begin(), it, line) != it) continue;  // said in this call
            std::fwrite(line.data(), 1, line.size(), out);
            std::fputc('\n', out);
        }
        if (!lines.empty()) std::fflush(out);
        *last = lines;  // the loader's fixed texts outlive every call
    };
}

}  // namespace kelvo
