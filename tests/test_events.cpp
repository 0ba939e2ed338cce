// Rise, transit and set: against a dense scan of the per-call drivers (to one
// second) at northern, southern and polar sites, with a flat and a ragged
// horizon; against the Swiss Ephemeris' rise and set (fixtures).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Constants.h"
#include "Events.h"
#include "RiseSetReferences.h"
#include "Sources.h"
#include "Track.h"

using namespace kelvo;

namespace {

const TermsSource kShipped{KELVO_DATA_DIR, {}};

ObservationState Station(double lonWest, double lat, double height, const char* source,
                         bool horizon) {
    ObservationState s;
    s.SiteLongitude = lonWest;
    s.SiteLatitude = lat;
    s.SiteHeight = height;
    s.TimeZoneCode = -1;
    s.Terms = kShipped;
    s.ShowHorizon = horizon;
    SelectSource(s, *FindSource(source));
    // A ragged profile: 3 deg everywhere, a ridge of 15 deg from 140 to 150
    // deg and one of 30 deg from 200 to 202, single-degree notches down to 0
    // at 90, 91 and 270, and a saw of 10 and 20 deg from 340 through north
    // to 20 (where Cas A culminates below the pole at 50 deg north).
    s.Horizon.fill(3.0f);
    for (int a = 140; a < 150; ++a) s.Horizon[a] = 15.0f;
    for (int a = 200; a < 203; ++a) s.Horizon[a] = 30.0f;
    for (int a : {90, 91, 270}) s.Horizon[a] = 0.0f;
    for (int a = 340; a < 380; ++a) s.Horizon[a % 360] = a % 2 ? 20.0f : 10.0f;
    return s;
}

struct Reading {
    bool Up;
    double HourAngle;
};

// The per-call driver at a clock time, terms loaded once.
class Driver {
public:
    Driver(ObservationState& s, int y, int m, int d) : s_(s), y_(y), m_(m), d_(d) {
        if (s.Kind == SourceKind::Planet) terms_ = LoadTermsFor(s.Terms, s.PlanetNumber);
        ra_ = s.SourceRa;
        dec_ = s.SourceDec;
    }
    Reading At(double hours) {
        const EphemerisRequest r = RequestFor(s_, y_, m_, d_, hours);
        double lst, az, el, ra = ra_, dec = dec_, jd;
        if (s_.Kind == SourceKind::Planet)
            PlanetEphemeris(terms_, r.longitude, r.latitude, r.timeZone, r.height, r.planet, y_,
                            m_, d_, hours, lst, az, el, ra, dec, jd);
        else
            CallEphemerisDriver(r, y_, m_, d_, hours, lst, az, el, ra, dec, jd);
        return {IsVisible(s_, az, el), std::remainder(lst - ra, TwoPi)};
    }

private:
    ObservationState& s_;
    int y_, m_, d_;
    PlanetTerms terms_;
    double ra_, dec_;
};

// The events of a dense scan: every 10 s, then second by second inside each
// change; an event lies in (t - 1 s, t].
std::vector<std::pair<EventKind, double>> DenseScan(ObservationState& s, int y, int m, int d) {
    Driver driver(s, y, m, d);
    std::vector<std::pair<EventKind, double>> events;
    Reading previous = driver.At(0.0);
    for (int t = 10; t <= 86400; t += 10) {
        const Reading next = driver.At(t / 3600.0);
        const bool changed = next.Up != previous.Up;
        const bool transit = previous.HourAngle < 0 && next.HourAngle >= 0 &&
                             next.HourAngle - previous.HourAngle < Pi;
        if (changed || transit) {
            Reading a = previous;
            for (int u = t - 9; u <= t; ++u) {
                const Reading b = driver.At(u / 3600.0);
                if (a.Up != b.Up) events.push_back({b.Up ? EventKind::Rise : EventKind::Set, u});
                if (a.HourAngle < 0 && b.HourAngle >= 0 && b.HourAngle - a.HourAngle < Pi)
                    events.push_back({EventKind::Transit, u});
                a = b;
            }
        }
        previous = next;
    }
    return events;
}

struct DenseCase {
    const char* Source;
    double LonWest, Lat, Height;
    int Year, Month, Day;
    bool Horizon;
    const char* Expect;  // "", "always up", "never up"
};

constexpr DenseCase kDenseCases[] = {
    {"Sun", -15.0, 50.0, 250, 2026, 12, 11, false, ""},
    {"Sun", -15.0, 50.0, 250, 2026, 12, 11, true, ""},  // behind the ridge and out again
    {"Sun", 70.4, -24.6, 2600, 2026, 6, 21, true, ""},
    {"Sun", -11.9, 78.9, 10, 2026, 12, 11, false, "never up"},
    {"Sun", -11.9, 78.9, 10, 2026, 6, 21, false, "always up"},
    {"Moon", -15.0, 50.0, 250, 2026, 12, 11, false, ""},
    {"Moon", -15.0, 50.0, 250, 2026, 12, 11, true, ""},
    {"Moon", 70.4, -24.6, 2600, 2027, 3, 3, true, ""},
    {"Moon", -11.9, 78.9, 10, 2027, 1, 9, false, "never up"},
    {"Moon", -11.9, 78.9, 10, 2027, 1, 16, false, "always up"},
    {"Moon", -11.9, 78.9, 10, 2027, 1, 13, false, ""},
    {"Saturn", -15.0, 50.0, 250, 2026, 12, 11, true, ""},
    {"Saturn", 70.4, -24.6, 2600, 2026, 9, 1, false, ""},
    {"Cass A", -15.0, 50.0, 250, 2026, 12, 11, false, "always up"},
    {"Cass A", -15.0, 50.0, 250, 2026, 12, 11, true, ""},  // through the saw in the north-west
    {"Cass A", -18.47, -33.93, 10, 2026, 12, 11, false, "never up"},
    {"Sagitt A", 70.4, -24.6, 2600, 2026, 4, 2, true, ""},
    {"Sagitt A", -11.9, 78.9, 10, 2026, 4, 2, false, "never up"},
};

std::string Describe(EventKind k) { return EventName(k); }

}  // namespace

TEST(Events, AgreeWithADenseScanOfTheDriversToASecond) {
    for (const DenseCase& c : kDenseCases) {
        SCOPED_TRACE(std::string(c.Source) + " at " + std::to_string(c.Lat) + " on " +
                     std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" +
                     std::to_string(c.Day) + (c.Horizon ? " with the profile" : ""));
        ObservationState s = Station(c.LonWest, c.Lat, c.Height, c.Source, c.Horizon);
        const DayEvents events = EventsOfDay(s, c.Year, c.Month, c.Day);
        ASSERT_TRUE(events.Usable);
        const auto dense = DenseScan(s, c.Year, c.Month, c.Day);
        std::string scanned;
        for (const auto& [kind, t] : dense)
            scanned += std::string(EventName(kind)) + " " + ClockText(t / 3600.0) + " ";
        ASSERT_EQ(events.Events.size(), dense.size()) << EventsLine(events) << "\n" << scanned;
        for (std::size_t i = 0; i < dense.size(); ++i) {
            EXPECT_EQ(Describe(events.Events[i].Kind), Describe(dense[i].first));
            const double seconds = events.Events[i].Hours * 3600.0;
            EXPECT_GT(seconds, dense[i].second - 1.0) << i;
            EXPECT_LE(seconds, dense[i].second + 0.01) << i;
        }
        EXPECT_EQ(events.AlwaysUp, std::string(c.Expect) == "always up");
        EXPECT_EQ(events.NeverUp, std::string(c.Expect) == "never up");
        if (c.Horizon && std::string(c.Expect).empty() && c.Lat > 0 &&
            std::string(c.Source) != "Moon") {
            EXPECT_GT(dense.size(), 3u) << "the profile should give more than one rise";
        }
    }
}

TEST(Events, AgreeWithTheSwissEphemerisRiseAndSet) {
    // Disc centre at the mathematical horizon without refraction is where
    // our airless elevation crosses 0: the drivers add refraction above 0
    // (the Moon) or 0.5667 deg (the Sun) only. UT days; times in hours of
    // UT from 0h of the date (the next day's events count from 24 h).
    double worst[2] = {0, 0};
    for (const RiseSetReference& r : kRiseSetReferences) {
        ObservationState s = Station(r.lon, r.lat, r.height, r.body ? "Moon" : "Sun", false);
        s.TimeZoneCode = 0;
        std::vector<SkyEvent> events;
        for (int day = 0; day < 2; ++day) {
            DayEvents e = EventsOfDay(s, r.year, r.month, r.day + day);
            for (SkyEvent& v : e.Events) {
                v.Hours += 24.0 * day;
                events.push_back(v);
            }
        }
        for (auto [kind, expected] : {std::pair{EventKind::Rise, r.rise}, {EventKind::Set, r.set}}) {
            SCOPED_TRACE(std::string(r.body ? "Moon " : "Sun ") + EventName(kind) + " " +
                         std::to_string(r.year) + "-" + std::to_string(r.month) + "-" +
                         std::to_string(r.day) + " lat " + std::to_string(r.lat));
            const SkyEvent* first = nullptr;
            for (const SkyEvent& v : events)
                if (v.Kind == kind) {
                    first = &v;
                    break;
                }
            ASSERT_NE(first, nullptr);
            const double seconds = std::fabs(first->Hours - expected) * 3600.0;
            worst[r.body] = std::max(worst[r.body], seconds);
            EXPECT_LE(seconds, r.body ? 10.0 : 5.0);
        }
    }
    std::printf("largest difference: Sun %.2f s, Moon %.2f s\n", worst[0], worst[1]);
}

TEST(Events, TheLineAndTheCasesWithoutAPlace) {
    ObservationState s = Station(-15.0, 50.0, 250, "Sun", false);
    const std::string line = EventsLine(EventsOfDay(s, 2026, 12, 11));
    // Rise, transit, set at 15 deg east in December (MEZ), one line.
    EXPECT_EQ(line.substr(0, 6), "Rise 0") << line;
    EXPECT_NE(line.find("  Transit 11:53:"), std::string::npos) << line;
    EXPECT_NE(line.find("\xB0)  Set 15:"), std::string::npos) << line;
    SelectSource(s, *FindSource("Earth"));
    EXPECT_FALSE(EventsOfDay(s, 2026, 12, 11).Usable);
    SelectSource(s, *FindSource("Saturn"));
    s.Terms = {"/nonexistent-kelvo-folder", [](const auto&) {}};
    const DayEvents none = EventsOfDay(s, 2026, 12, 11);
    EXPECT_FALSE(none.Usable);
    EXPECT_NE(none.Problem.find("PLANETS"), std::string::npos) << none.Problem;
    EXPECT_EQ(EventsLine(none), "");
    EXPECT_EQ(ClockText(23.99999), "24:00:00");
    EXPECT_EQ(ClockText(7.5 + 12.4 / 3600), "07:30:12");
}
