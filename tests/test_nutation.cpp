// Nutation, obliquity and sidereal time against Meeus examples 22.a, 12.a, 12.b.
#include <gtest/gtest.h>

#include "Calendar.h"
#include "Nutation.h"
#include "Units.h"

using namespace kelvo;

struct NutationCase {
    const char* name;
    double T;
    double dpsiArcsec, depsArcsec, tolArcsec;
};

class NutationTable : public ::testing::TestWithParam<NutationCase> {};

TEST_P(NutationTable, MatchesWorkedValues) {
    const NutationCase c = GetParam();
    double dpsi = 0, deps = 0;
    Nutation(c.T, dpsi, deps);
    EXPECT_NEAR(dpsi / kArcsec, c.dpsiArcsec, c.tolArcsec) << c.name;
    EXPECT_NEAR(deps / kArcsec, c.depsArcsec, c.tolArcsec) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Meeus22, NutationTable,
    ::testing::Values(NutationCase{"J2000", 0.0, -13.923, -5.774, 0.0006},
                      NutationCase{"1987-04-10", -0.12729637234770705, -3.788, 9.443, 0.0006}));

TEST(MeanObliquity, AtJ2000AndMeeus22a) {
    EXPECT_NEAR(MeanObliquity(0.0), 0.40909280422232897, 1e-16);
    EXPECT_NEAR(MeanObliquity(-0.12729637234770705) / kDeg, Dms(23, 26, 27.407), 0.0005 / 3600);
    // Not reduced, stays near 0.409 rad over ten thousand years.
    EXPECT_NEAR(MeanObliquity(100.0), 0.41, 0.02);
}

TEST(MeanSiderealTime, MeeusExamples12aAnd12b) {
    EXPECT_NEAR(MeanSiderealTime(0.0), 4.894961212735793, 1e-15);
    const double t12a = JulianCenturies(2446895.5);
    EXPECT_NEAR(MeanSiderealTime(t12a) / kPi * 12.0, Hms(13, 10, 46.3668), 0.0001 / 3600);
    const double t12b = JulianCenturies(2446896.30625);
    EXPECT_NEAR(MeanSiderealTime(t12b) / kPi * 12.0, Hms(8, 34, 57.0896), 0.001 / 3600);
}

TEST(MeanSiderealTime, NeverNegativeLongBeforeJ2000) {
    for (double T = -40.0; T < 0.0; T += 0.37) {
        const double theta = MeanSiderealTime(T);
        EXPECT_GE(theta, 0.0) << T;
        EXPECT_LT(theta, 2 * kPi) << T;
    }
}
