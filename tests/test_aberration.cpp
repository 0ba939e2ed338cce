// Aberration and the Sun's true longitude: Meeus examples 23.a and 25.a.
#include <gtest/gtest.h>

#include <cmath>

#include "Aberration.h"
#include "Units.h"

using namespace kelvo;

TEST(SunTrueLongitude, AtJ2000AndMeeus25a) {
    double L = 0, e = 0;
    SunTrueLongitude(0.0, L, e);
    EXPECT_NEAR(L / kDeg, 280.38215806, 2e-8);
    EXPECT_DOUBLE_EQ(e, 0.016708617);
    SunTrueLongitude(-0.072183436, L, e);
    EXPECT_NEAR(std::fmod(L / kDeg, 360.0) + 360.0, 199.90988, 2e-5);
    EXPECT_NEAR(e, 0.01671165, 1e-8);
}

TEST(SunTrueLongitude, NotReduced) {
    double L = 0, e = 0;
    SunTrueLongitude(0.09, L, e);
    EXPECT_GT(L / kDeg, 3500.0);
}

TEST(AberrationEquatorial, MeeusExample23a) {
    const double T = 0.28867049965776714;
    double alpha = 41.5599646 * kDeg, delta = 49.3520685 * kDeg;
    AberrationEquatorial(T, 23.436 * kDeg, alpha, delta);
    EXPECT_NEAR((alpha - 41.5599646 * kDeg) / kArcsec, 30.049, 0.001);
    EXPECT_NEAR((delta - 49.3520685 * kDeg) / kArcsec, 6.693, 0.001);
}

TEST(AberrationEquatorial, AtThePoleStaysFinite) {
    double a = 1.0, d = -kPi / 2;
    AberrationEquatorial(0.1, 23.44 * kDeg, a, d);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_TRUE(std::isfinite(d));
}
