// The lunar series: Meeus' worked example (ch. 47) and regression pins.
#include <gtest/gtest.h>

#include <cmath>

#include "Moon.h"
#include "Units.h"

using namespace kelvo;

struct MoonCase {
    double T, lambdaDeg, betaDeg, distanceKm;
};

// Regression pins: this code's own output at T = 0 and T = 0.1 (as the
// system's design states them), not an independent check. The independent
// check is Meeus' example 47.a below.
class MoonTable : public ::testing::TestWithParam<MoonCase> {};

TEST_P(MoonTable, OwnPositionAtEpoch) {
    const MoonCase c = GetParam();
    SphericalCoords m{};
    MoonPosition(c.T, m);
    EXPECT_NEAR(m.Longitude / kDeg, c.lambdaDeg, 6e-6);
    EXPECT_NEAR(m.Latitude / kDeg, c.betaDeg, 6e-6);
    EXPECT_NEAR(m.Radius, c.distanceKm, 0.0006);
}

INSTANTIATE_TEST_SUITE_P(RegressionPins, MoonTable,
                         ::testing::Values(MoonCase{0.0, 223.31872, 5.17128, 402444.816},
                                           MoonCase{0.1, 103.22734, 0.72468, 359367.303}));

TEST(MoonArguments, AtJ2000) {
    double D, M, Mp, F, E;
    MoonArguments(0.0, D, M, Mp, F, E);
    EXPECT_NEAR(D / kDeg, 297.8502042, 1e-10);
    EXPECT_NEAR(M / kDeg, 357.5291092, 1e-10);
    EXPECT_NEAR(Mp / kDeg, 134.9634114, 1e-10);
    EXPECT_NEAR(F / kDeg, 93.2720993, 1e-10);
    EXPECT_EQ(E, 1.0);
    MoonArguments(0.1, D, M, Mp, F, E);
    EXPECT_NEAR(E, 0.999748326, 1e-9);
}

TEST(MoonPosition, MeeusExample47a) {
    // 1992 April 12.0 TD: lambda = 133.162655 deg, beta = -3.229126 deg,
    // Delta = 368409.7 km. The second edition's example uses slightly revised
    // mean elements (L' = 218.3164477 + 481267.88123421 T); ours are those of
    // the first edition, about 0.02" apart at this date.
    SphericalCoords m{};
    MoonPosition(-0.077221081451, m);
    EXPECT_NEAR(m.Longitude / kDeg, 133.162655, 1e-5);
    EXPECT_NEAR(m.Latitude / kDeg, -3.229126, 1e-5);
    EXPECT_NEAR(m.Radius, 368409.7, 0.1);
}

TEST(MoonSums, SquaredEccentricityCarriesTheRowsWithTwiceM) {
    // The difference between E^2 = 1 and E^2 = 0 is exactly the six longitude
    // rows with M multiplier +-2 of Meeus table 47.A.
    LunarArguments a{1.0, 0.5, 2.0, 0.3, 1.0, 1.0};
    const double withE2 = MoonLongitudeSum(a);
    a.E2 = 0.0;
    const double withoutE2 = MoonLongitudeSum(a);
    const double D = 1.0, M = 0.5, Mp = 2.0;
    const double expected = 0.002236 * std::sin(2 * D - 2 * M) - 0.002069 * std::sin(2 * M) +
                            0.002048 * std::sin(2 * D - 2 * M - Mp) -
                            0.000713 * std::sin(2 * M - Mp) - 0.0007 * std::sin(2 * D + 2 * M - Mp) -
                            0.000323 * std::sin(2 * M + Mp);
    EXPECT_NEAR(withE2 - withoutE2, expected, 1e-15);
}
