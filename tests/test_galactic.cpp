// Galactic coordinates against their defining and published values, and the
// velocity correction to the LSR against an independent computation
// (python3-erfa, an equinox-based path), kept as fixtures.
#include <gtest/gtest.h>

#include <cmath>

#include "Calendar.h"
#include "Galactic.h"
#include "LsrReferences.h"
#include "Units.h"

using namespace kelvo;

TEST(Galactic, DefiningPointsOfTheSystem) {
    // Hipparcos Catalogue vol. 1, 1.5.3: the north galactic pole at ICRS
    // 192.85948, +27.12825 deg; the centre (l = b = 0) at 266.40499,
    // -28.93617 deg (five decimals: 0.04").
    double l = 0, b = 0;
    GalacticOf(192.85948 * kDeg, 27.12825 * kDeg, l, b);
    EXPECT_NEAR(b / kDeg, 90.0, 0.1 / 3600);
    GalacticOf(266.40499 * kDeg, -28.93617 * kDeg, l, b);
    EXPECT_NEAR(std::remainder(l / kDeg, 360.0), 0.0, 0.1 / 3600);
    EXPECT_NEAR(b / kDeg, 0.0, 0.1 / 3600);
    // Sgr A* (Reid & Brunthaler 2004, ICRS 17h45m40.0409s -29d00m28.118s):
    // l = 359.944, b = -0.046, as published to three decimals.
    GalacticOf(Hms(17, 45, 40.0409) * 15 * kDeg, Dms(-29, 0, 28.118) * kDeg, l, b);
    EXPECT_NEAR(l / kDeg, 359.944, 0.0005);
    EXPECT_NEAR(b / kDeg, -0.046, 0.0005);
}

class LsrCorrections : public ::testing::TestWithParam<LsrReference> {};

TEST_P(LsrCorrections, AgreeWithAnIndependentComputation) {
    const LsrReference& r = GetParam();
    const double ut = JulianDay({r.year, r.month, r.day + r.hours / 24.0});
    const LsrCorrection c = LsrCorrectionOf(r.ra * kDeg, r.dec * kDeg, r.lon, r.lat, r.height, ut);
    EXPECT_NEAR(c.Total, r.total, 0.005) << r.year << " " << r.lat;
    EXPECT_NEAR(c.Diurnal, r.diurnal, 0.005);
    EXPECT_NEAR(c.Annual, r.annual, 0.005);
    EXPECT_NEAR(c.Solar, r.solar, 0.005);
}

INSTANTIATE_TEST_SUITE_P(Erfa, LsrCorrections, ::testing::ValuesIn(kLsrReferences));

TEST(LsrCorrection, DiurnalAndAnnualPartsBehave) {
    // A source on the celestial equator seen from the equator: the site's
    // rotation, 0.465 km/s, swings through it once a day.
    double low = 1, high = -1;
    for (double h = 0; h < 24; h += 0.1) {
        const double ut = JulianDay({2026, 3, 20 + h / 24.0});
        const double d = LsrCorrectionOf(90 * kDeg, 0, 0, 0, 0, ut).Diurnal;
        low = std::min(low, d);
        high = std::max(high, d);
    }
    EXPECT_GT(high, 0.46);
    EXPECT_LE(high, 0.47);
    EXPECT_LT(low, -0.46);
    EXPECT_GE(low, -0.47);
    // At the pole there is no rotation toward anything.
    EXPECT_NEAR(LsrCorrectionOf(90 * kDeg, 0, 0, 90, 0, JulianDay({2026, 3, 20.3})).Diurnal, 0,
                1e-6);
    // The annual part toward the ecliptic pole is small; toward the apex of
    // the Earth's motion it reaches about 30 km/s, half a year apart with
    // opposite signs.
    const double march = LsrCorrectionOf(270 * kDeg, -23.44 * kDeg, 0, 0, 0,
                                         JulianDay({2026, 3, 21.0})).Annual;
    const double september = LsrCorrectionOf(270 * kDeg, -23.44 * kDeg, 0, 0, 0,
                                             JulianDay({2026, 9, 21.0})).Annual;
    EXPECT_GT(std::fabs(march), 29.0);
    EXPECT_LT(march * september, 0);
    EXPECT_LT(std::fabs(LsrCorrectionOf(270 * kDeg, 66.56 * kDeg, 0, 0, 0,
                                        JulianDay({2026, 3, 21.0})).Annual),
              1.0);
    // The solar motion: +20 km/s toward its apex, -20 away from it.
    EXPECT_NEAR(LsrCorrectionOf(270.8 * kDeg, 30.0 * kDeg, 0, 0, 0, JulianDay({2026, 3, 21.0})).Solar,
                20.0, 0.05);
}
