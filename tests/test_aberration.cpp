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

TEST(AberrationEquatorial, WithoutThePerihelionTermsMeeusGetsLess) {
    // Meeus 23.a: the classic formula (23.3, Sun's true longitude only) gives
    // +29.794" and +6.488"; the e and perihelion terms add 0.255" and 0.205".
    const double T = 0.28867049965776714;
    const double a = 41.5599646 * kDeg, d = 49.3520685 * kDeg, e = 23.436 * kDeg;
    double sun = 0, ecc = 0;
    SunTrueLongitude(T, sun, ecc);
    const double k = ConstantOfAberration;
    const double classicA = -k * (std::cos(a) * std::cos(sun) * std::cos(e) +
                                  std::sin(a) * std::sin(sun)) / std::cos(d);
    const double classicD =
        -k * (std::cos(sun) * std::cos(e) * (std::tan(e) * std::cos(d) -
                                             std::sin(a) * std::sin(d)) +
              std::cos(a) * std::sin(d) * std::sin(sun));
    EXPECT_NEAR(classicA / kArcsec, 29.794, 0.001);
    EXPECT_NEAR(classicD / kArcsec, 6.488, 0.001);
    double alpha = a, delta = d;
    AberrationEquatorial(T, e, alpha, delta);
    EXPECT_NEAR((alpha - a - classicA) / kArcsec, 30.049 - 29.794, 0.002);
    EXPECT_NEAR((delta - d - classicD) / kArcsec, 6.693 - 6.488, 0.002);
}

TEST(AberrationEquatorial, AtThePoleStaysFinite) {
    double a = 1.0, d = -kPi / 2;
    AberrationEquatorial(0.1, 23.44 * kDeg, a, d);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_TRUE(std::isfinite(d));
}
