#include "Events.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Calendar.h"
#include "Constants.h"
#include "Sweep.h"
#include "Track.h"

namespace kelvo {

namespace {

struct Sample {
    double Hours;
    double Azimuth, Elevation;
    double HourAngle;  // radians, -pi..pi
    bool Up;
};

constexpr double kSecond = 1.0 / 3600.0;  // hours
constexpr double kResolution = 0.01 * kSecond;

class DayScan {
public:
    DayScan(const ObservationState& s, int year, int month, int day)
        : state_(s), year_(year), month_(month), day_(day),
          sweep_(RequestFor(s, year, month, day, 0.0), s.SourceRa, s.SourceDec, 1.0 / 1440.0) {}

    const Sweep& Source() const { return sweep_; }

    Sample At(double hours) {
        constexpr double kHoursToDays = 0.041666666666666664;  // as the drivers take the clock
        const double jd = JulianDay({year_, month_, day_ + hours * kHoursToDays});
        const double ut = jd + ZoneHours(state_, year_, month_, day_, hours) * kHoursToDays;
        const SweepPlace p = sweep_.At(ut);
        lastUt_ = ut;
        return {hours, p.Azimuth, p.Elevation, std::remainder(p.Lst - p.RightAscension, TwoPi),
                IsVisible(state_, p.Azimuth, p.Elevation)};
    }
    double LastUt() const { return lastUt_; }

private:
    const ObservationState& state_;
    int year_, month_, day_;
    Sweep sweep_;
    double lastUt_ = 0.0;
};

double AzimuthStep(const Sample& a, const Sample& b) {
    return std::fabs(std::remainder(b.Azimuth - a.Azimuth, 360.0));
}

}  // namespace

const char* EventName(EventKind kind) {
    switch (kind) {
        case EventKind::Rise: return "rise";
        case EventKind::Transit: return "transit";
        case EventKind::Set: return "set";
    }
    return "";
}

DayEvents EventsOfDay(const ObservationState& s, int year, int month, int day) {
    DayEvents out;
    if (s.Kind == SourceKind::Planet && s.PlanetNumber == 3) {
        out.Usable = false;
        out.Problem = "the Earth has no place in the sky";
        return out;
    }
    DayScan scan(s, year, month, day);
    if (!scan.Source().Status().Usable) {
        out.Usable = false;
        out.Problem = scan.Source().Status().Detail;
        return out;
    }
    // Samples at each minute, and between two of them where the azimuth
    // moves by more than half a degree (down to a second). With the profile,
    // where a sample's profile entry differs from the one before, the pair
    // that straddles the entries' edge within 0.01 s: the up state may change
    // there and change back within seconds.
    const auto entry = [](const Sample& x) { return static_cast<long>(x.Azimuth) % 360; };
    std::vector<Sample> samples;
    samples.reserve(4000);
    auto append = [&](const Sample& next) {
        if (s.ShowHorizon && !samples.empty() && entry(samples.back()) != entry(next)) {
            Sample a = samples.back(), b = next;
            while (b.Hours - a.Hours > kResolution) {
                const Sample m = scan.At(0.5 * (a.Hours + b.Hours));
                (entry(m) == entry(next) ? b : a) = m;
            }
            if (a.Hours != samples.back().Hours) samples.push_back(a);
            if (b.Hours != next.Hours) samples.push_back(b);
        }
        samples.push_back(next);
    };
    append(scan.At(0.0));
    for (int minute = 1; minute <= 1440; ++minute) {
        const Sample next = scan.At(minute / 60.0);
        const double moved = AzimuthStep(samples.back(), next);
        if (moved > 0.5) {
            const int pieces = std::min(60, static_cast<int>(std::ceil(moved / 0.5)));
            const double from = samples.back().Hours;
            for (int k = 1; k < pieces; ++k) append(scan.At(from + (next.Hours - from) * k / pieces));
        }
        append(next);
    }
    auto refine = [&](Sample a, Sample b, auto&& side) {
        // side(sample) is true on b's side.
        while (b.Hours - a.Hours > kResolution) {
            const Sample m = scan.At(0.5 * (a.Hours + b.Hours));
            (side(m) ? b : a) = m;
        }
        const Sample m = scan.At(0.5 * (a.Hours + b.Hours));
        return std::pair{m, scan.LastUt()};
    };
    bool everUp = false, everDown = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& b = samples[i];
        (b.Up ? everUp : everDown) = true;
        if (i == 0) continue;
        const Sample& a = samples[i - 1];
        if (a.Up != b.Up) {
            const bool rising = b.Up;
            auto [m, ut] = refine(a, b, [rising](const Sample& x) { return x.Up == rising; });
            out.Events.push_back({rising ? EventKind::Rise : EventKind::Set, m.Hours, ut,
                                  m.Azimuth, m.Elevation});
        }
        // The hour angle passes 0 upward (not its jump from pi to -pi).
        if (a.HourAngle < 0.0 && b.HourAngle >= 0.0 && b.HourAngle - a.HourAngle < Pi) {
            auto [m, ut] = refine(a, b, [](const Sample& x) { return x.HourAngle >= 0.0; });
            out.Events.push_back({EventKind::Transit, m.Hours, ut, m.Azimuth, m.Elevation});
        }
    }
    out.AlwaysUp = everUp && !everDown;
    out.NeverUp = everDown && !everUp;
    return out;
}

std::string ClockText(double hours) {
    long seconds = std::lround(hours * 3600.0);
    seconds = std::clamp(seconds, 0L, 99L * 3600L);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return buffer;
}

std::string EventsLine(const DayEvents& e) {
    if (!e.Usable) return {};
    std::string line;
    auto add = [&line](const std::string& part) { line += (line.empty() ? "" : "  ") + part; };
    if (e.AlwaysUp) add("Always up");
    if (e.NeverUp) add("Never up");
    for (const SkyEvent& v : e.Events) {
        switch (v.Kind) {
            case EventKind::Rise: add("Rise " + ClockText(v.Hours)); break;
            case EventKind::Set: add("Set " + ClockText(v.Hours)); break;
            case EventKind::Transit: {
                char elevation[24];
                std::snprintf(elevation, sizeof elevation, " (%.1f\xB0)", v.Elevation);
                add("Transit " + ClockText(v.Hours) + elevation);
                break;
            }
        }
    }
    return line;
}

}  // namespace kelvo
