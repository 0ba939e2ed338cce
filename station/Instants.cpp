#include "Instants.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "Calendar.h"
#include "Text.h"

namespace kelvo {

namespace {

bool Digits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

int Field(std::string_view t, std::size_t pos, std::size_t len) {
    int v = 0;
    for (char c : t.substr(pos, len)) v = v * 10 + (c - '0');
    return v;
}

constexpr double kHoursToDays = 0.041666666666666664;

}  // namespace

std::optional<TypedInstant> ParseInstant(std::string_view t) {
    bool utc = false;
    if (!t.empty() && (t.back() == 'Z' || t.back() == 'z')) {
        utc = true;
        t.remove_suffix(1);
    }
    // YYYY-MM-DD?HH:MM[:SS]
    if ((t.size() != 16 && t.size() != 19) || t[4] != '-' || t[7] != '-' ||
        (t[10] != ' ' && t[10] != 'T' && t[10] != 't') || t[13] != ':' ||
        (t.size() == 19 && t[16] != ':'))
        return std::nullopt;
    for (auto [pos, len] : {std::pair{0, 4}, {5, 2}, {8, 2}, {11, 2}, {14, 2}})
        if (!Digits(t.substr(pos, len))) return std::nullopt;
    if (t.size() == 19 && !Digits(t.substr(17, 2))) return std::nullopt;
    const int y = Field(t, 0, 4), mo = Field(t, 5, 2), d = Field(t, 8, 2);
    const int h = Field(t, 11, 2), mi = Field(t, 14, 2), s = t.size() == 19 ? Field(t, 17, 2) : 0;
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (y < 1 || mo < 1 || mo > 12 || d < 1 || d > days[mo - 1] || (mo == 2 && d == 29 && !leap) ||
        h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    const auto u = [](int v) { return static_cast<std::uint16_t>(v); };
    return TypedInstant{{u(y), u(mo), u(d), u(h), u(mi), u(s), 0}, utc};
}

std::optional<double> ParseDuration(std::string_view text) {
    if (text.size() < 2) return std::nullopt;
    double unit = 0.0;
    switch (text.back()) {
        case 's': unit = 1.0 / 86400.0; break;
        case 'm': unit = 1.0 / 1440.0; break;
        case 'h': unit = 1.0 / 24.0; break;
        case 'd': unit = 1.0; break;
        default: return std::nullopt;
    }
    text.remove_suffix(1);
    bool point = false;
    for (char c : text) {
        if (c == '.' && !point) point = true;
        else if (c < '0' || c > '9') return std::nullopt;
    }
    if (text == ".") return std::nullopt;
    const NumberField f = ScanReal(text);
    if (f.OutOfRange || !(f.Value > 0.0)) return std::nullopt;
    return f.Value * unit;
}

double UtOfClock(const ObservationState& s, const ClockReading& c) {
    const double hours = ClockHours(c);
    const double jd = JulianDay({c.Year, c.Month, c.Day + hours * kHoursToDays});
    return jd + ZoneHours(s, c.Year, c.Month, c.Day, hours) * kHoursToDays;
}

double ClockJulianDate(const ObservationState& s, double ut) {
    if (!s.SystemZone) return ut - s.TimeZoneCode * kHoursToDays;
    const double seconds = std::floor((ut - 2440587.5) * 86400.0 + 0.5);
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!std::isfinite(seconds) || !localtime_r(&t, &local)) return ut;
    return ut + static_cast<double>(local.tm_gmtoff) / 86400.0;
}

ClockReading ClockReadingOf(double jd) {
    // Whole milliseconds first, so that 59.9996 s becomes the next minute.
    const double day0 = std::floor(jd - 0.5) + 0.5;
    long long ms = std::llround((jd - day0) * 86400000.0);
    double start = day0;
    if (ms >= 86400000LL) {
        ms -= 86400000LL;
        start += 1.0;
    }
    const CalendarDate d = CalendarDateOf(start);
    const auto u = [](long long v) { return static_cast<std::uint16_t>(v); };
    return {u(d.Year),          u(d.Month),          u(std::lround(d.Day - 0.5)),
            u(ms / 3600000),    u(ms / 60000 % 60),  u(ms / 1000 % 60),
            u(ms % 1000)};
}

std::string IsoText(double jd, char separator) {
    const ClockReading c = ClockReadingOf(jd);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d%c%02d:%02d:%02d", c.Year, c.Month, c.Day,
                  separator, c.Hour, c.Minute, c.Second);
    std::string out = buffer;
    if (c.Millisecond) {
        std::snprintf(buffer, sizeof buffer, ".%03d", c.Millisecond);
        out += buffer;
    }
    return out;
}

}  // namespace kelvo
