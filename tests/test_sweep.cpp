// Sweeps against the per-call drivers: the same places within 0.001" for
// every kind of source, at northern, southern and polar sites, over dates
// that cross the jumps of Delta T and leap seconds, of date or not.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "Calendar.h"
#include "Constants.h"
#include "Ephemeris.h"
#include "Sweep.h"

using namespace kelvo;

namespace {

const TermsSource kShipped{KELVO_DATA_DIR, {}};

struct Site {
    const char* Name;
    double Longitude, Latitude, Height;  // degrees west, degrees, metres
};
constexpr Site kSites[] = {{"north", -15.0, 50.0, 250.0},
                           {"south", 70.4, -24.6, 2600.0},
                           {"polar", -11.9, 78.9, 10.0}};

struct Case {
    const char* Name;
    SourceKind Kind;
    int Planet;
    double Ra, Dec;  // degrees, fixed sources
};
constexpr Case kSources[] = {
    {"Sun", SourceKind::Planet, 0, 0, 0},      {"Mercury", SourceKind::Planet, 1, 0, 0},
    {"Mars", SourceKind::Planet, 4, 0, 0},     {"Saturn", SourceKind::Planet, 6, 0, 0},
    {"Neptune", SourceKind::Planet, 8, 0, 0},  {"Pluto", SourceKind::Planet, 9, 0, 0},
    {"Moon", SourceKind::Moon, 3, 0, 0},       {"Cas A", SourceKind::Fixstar, 0, 350.85, 58.815},
    {"Sgr A", SourceKind::Fixstar, 0, 266.3012914, -28.8048772},
};

constexpr double kArcsec = DegToRad / 3600.0;
constexpr double kTolerance = 0.001;  // arcseconds

// The angle between two directions given as (longitude, latitude), arcsec.
double Separation(double a1, double d1, double a2, double d2) {
    const double x = std::sin((d2 - d1) / 2), y = std::sin((a2 - a1) / 2);
    return 2 * std::asin(std::sqrt(x * x + std::cos(d1) * std::cos(d2) * y * y)) / kArcsec;
}

struct Worst {
    double Horizontal = 0, Equatorial = 0, Lst = 0;
};

// Places at instants (UT Julian Dates, the clock on UT) through the sweep and
// through the driver on the same terms; the largest differences.
Worst Compare(const Case& c, const Site& site, bool ofDate, const std::vector<double>& instants,
              double stepDays = 0.0) {
    const EphemerisRequest request{site.Longitude, site.Latitude, 0.0, site.Height, c.Kind,
                                   c.Planet,       &kShipped,     ofDate};
    const double ra = c.Ra * DegToRad, dec = c.Dec * DegToRad;
    Sweep sweep(request, ra, dec, stepDays);
    EXPECT_TRUE(sweep.Status().Usable);
    const PlanetTerms terms = LoadTermsFor(kShipped, c.Planet);
    Worst w;
    for (double ut : instants) {
        // The clock reading of ut, as a driver takes it.
        const double day0 = std::floor(ut - 0.5) + 0.5;
        const double hours = (ut - day0) * 24.0;
        const CalendarDate date = CalendarDateOf(day0);
        const int y = date.Year, m = date.Month, d = static_cast<int>(std::lround(date.Day));
        double lst, az, el, r = ra, de = dec, jd;
        PlaceStatus s;
        if (c.Kind == SourceKind::Planet)
            s = PlanetEphemeris(terms, site.Longitude, site.Latitude, 0.0, site.Height, c.Planet,
                                y, m, d, hours, lst, az, el, r, de, jd, ofDate);
        else {
            EphemerisRequest q = request;
            s = CallEphemerisDriver(q, y, m, d, hours, lst, az, el, r, de, jd);
            if (ofDate && c.Kind == SourceKind::Fixstar) {
                r = s.ApparentRa;
                de = s.ApparentDec;
            }
        }
        const SweepPlace p = sweep.At(jd);  // the driver's instant itself
        w.Horizontal = std::max(
            w.Horizontal, Separation(az * DegToRad, el * DegToRad, p.Azimuth * DegToRad,
                                     p.Elevation * DegToRad));
        w.Equatorial = std::max(w.Equatorial, Separation(r, de, p.RightAscension, p.Declination));
        w.Lst = std::max(w.Lst, std::fabs(std::remainder(lst - p.Lst, TwoPi)) / kArcsec);
    }
    return w;
}

// Random instants over 1900..2100 and a few hundred around the places where
// the time scales jump: Delta T's formulas change at 2000 January 1.5, a leap
// second at 2017 January 1.0.
std::vector<double> Instants(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> any(2415020.5, 2488069.5), near(-1.5, 1.5);
    std::vector<double> t;
    for (int i = 0; i < 150; ++i) t.push_back(any(random));
    for (double jump : {2451545.0, 2457754.5})
        for (int i = 0; i < 60; ++i) t.push_back(jump + near(random));
    return t;
}

}  // namespace

TEST(Sweep, GivesTheDriversPlacesWithinAMilliarcsecond) {
    for (const Case& c : kSources)
        for (const Site& site : kSites)
            for (bool ofDate : {false, true}) {
                SCOPED_TRACE(std::string(c.Name) + " " + site.Name + (ofDate ? " of date" : ""));
                const Worst w = Compare(c, site, ofDate, Instants(7 + c.Planet));
                EXPECT_LE(w.Horizontal, kTolerance);
                EXPECT_LE(w.Equatorial, kTolerance);
                EXPECT_LE(w.Lst, kTolerance);
            }
}

TEST(Sweep, MinuteStepsOverADayAndCoarseStepsAgree) {
    // A day at one-minute steps walks through the spans in order; daily steps
    // use the driver steps at every instant.
    std::vector<double> minutes, days;
    for (int i = 0; i <= 1440; ++i) minutes.push_back(2461385.5 + i / 1440.0);
    for (int i = 0; i < 40; ++i) days.push_back(2461385.5 + i * 1.013);
    for (const Case& c : kSources) {
        SCOPED_TRACE(c.Name);
        EXPECT_LE(Compare(c, kSites[0], false, minutes).Horizontal, kTolerance);
        EXPECT_LE(Compare(c, kSites[1], false, days, 1.013).Horizontal, kTolerance);
    }
}

TEST(Sweep, TermsMissingAreNotUsable) {
    const TermsSource nowhere{"/nonexistent-kelvo-folder", [](const auto&) {}};
    const EphemerisRequest request{-15, 50, 0, 250, SourceKind::Planet, 6, &nowhere, false};
    Sweep sweep(request);
    EXPECT_FALSE(sweep.Status().Usable);
    EXPECT_TRUE(sweep.Status().FilesMissing);
    const EphemerisRequest moon{-15, 50, 0, 250, SourceKind::Moon, 3, &nowhere, false};
    EXPECT_TRUE(Sweep(moon).Status().Usable);
}
