// Coordinate transformations, parallax and refraction: Meeus examples 13.a,
// 13.b, 11.a, 16.a and the limits of the formulas.
#include <gtest/gtest.h>

#include <cmath>

#include "Coordinates.h"
#include "Units.h"

using namespace kelvo;

TEST(EclipticToEquatorial, MeeusExample13a) {
    double alpha = 0, delta = 0;
    EclipticToEquatorial(113.215630 * kDeg, 6.684170 * kDeg, 23.4392911 * kDeg, alpha, delta);
    EXPECT_NEAR(alpha / kDeg, 116.328942, 1e-6);
    EXPECT_NEAR(delta / kDeg, 28.026183, 1e-6);
}

TEST(EclipticToEquatorial, RightAscensionInOneTurn) {
    double alpha = 0, delta = 0;
    EclipticToEquatorial(-0.01, 0.0, 23.44 * kDeg, alpha, delta);
    EXPECT_GT(alpha, 6.0);
    EXPECT_LT(alpha, 2 * kPi);
}

struct SiteCase {
    double latitudeDeg, height, rhoSin, rhoCos, tol;
};

class SiteTerms : public ::testing::TestWithParam<SiteCase> {};

TEST_P(SiteTerms, MatchWorkedValues) {
    const SiteCase c = GetParam();
    double rc = 0, rs = 0;
    SiteGeocentricTerms(c.latitudeDeg * kDeg, c.height, rc, rs);
    EXPECT_NEAR(rs, c.rhoSin, c.tol) << c.latitudeDeg;
    EXPECT_NEAR(rc, c.rhoCos, c.tol) << c.latitudeDeg;
}

INSTANTIATE_TEST_SUITE_P(
    Meeus11, SiteTerms,
    ::testing::Values(SiteCase{Dms(33, 21, 22), 1706, 0.546861, 0.836339, 1e-6},  // Palomar
                      SiteCase{0.0, 0.0, 0.0, 1.0, 1e-15},
                      SiteCase{90.0, 0.0, 0.996647, 0.0, 1e-6},
                      SiteCase{-33.356111, 1706, -0.546861, 0.836339, 1e-6}));

TEST(EquatorialToHorizontal, MeeusExample13b) {
    const double alpha = Hms(23, 9, 16.641) * 15 * kDeg;
    const double delta = Dms(-6, 43, 11.61) * kDeg;
    const double phi = Dms(38, 55, 17) * kDeg;
    const double theta = Hms(8, 34, 56.853) * 15 * kDeg - Dms(77, 3, 56) * kDeg;
    double A = 0, h = 0;
    EquatorialToHorizontal(alpha, delta, theta, phi, A, h);
    EXPECT_NEAR(A / kDeg, 68.0336, 0.00005);
    EXPECT_NEAR(h / kDeg, 15.1250, 0.00005);
    EXPECT_NEAR(A / kDeg + 180.0, 248.0336, 0.00005);
}

TEST(EquatorialToHorizontal, MeridianSouthAndNorth) {
    double A = 0, h = 0;
    const double phi = 50 * kDeg;
    EquatorialToHorizontal(1.0, 10 * kDeg, 1.0, phi, A, h);  // south of the zenith
    EXPECT_NEAR(A, 0.0, 1e-15);
    EquatorialToHorizontal(1.0, 70 * kDeg, 1.0, phi, A, h);  // north of the zenith
    EXPECT_NEAR(std::fabs(A), kPi, 1e-15);
}

struct RefractionCase {
    double altitudeDeg, arcMinutes, tol;
};

class RefractionTable : public ::testing::TestWithParam<RefractionCase> {};

TEST_P(RefractionTable, Saemundsson) {
    const RefractionCase c = GetParam();
    EXPECT_NEAR(Refraction(c.altitudeDeg * kDeg) / kDeg * 60.0, c.arcMinutes, c.tol)
        << c.altitudeDeg;
}

INSTANTIATE_TEST_SUITE_P(Meeus16, RefractionTable,
                         ::testing::Values(RefractionCase{0.0, 28.98, 0.005},
                                           RefractionCase{10.0, 5.41, 0.005},
                                           RefractionCase{45.0, 1.01, 0.005},
                                           RefractionCase{90.0, 0.0, 1e-7}));

TEST(Refraction, AtHorizonInRadians) { EXPECT_NEAR(Refraction(0.0), 0.0084311, 1e-7); }

TEST(RectangularToSpherical, LongitudeRangeAndZeroVector) {
    SphericalCoords s{};
    RectangularToSpherical({-1, 0, 0}, s);
    EXPECT_DOUBLE_EQ(s.Longitude, kPi);
    RectangularToSpherical({1, -1e-9, 0}, s);
    EXPECT_LT(s.Longitude, 2 * kPi);
    EXPECT_GT(s.Longitude, 2 * kPi - 1e-8);
    RectangularToSpherical({0, 0, 0}, s);  // body and Earth coincide
    EXPECT_EQ(s.Longitude, 0.0);
    EXPECT_EQ(s.Latitude, 0.0);
    EXPECT_EQ(s.Radius, 0.0);
}

TEST(HeliocentricToGeocentric, RoundTripThroughRectangular) {
    const SphericalCoords body{1.0, 0.1, 5.2};
    const SphericalCoords earth{0.0, 0.0, 0.0};
    SphericalCoords geo{};
    HeliocentricToGeocentric(body, earth, geo);
    EXPECT_NEAR(geo.Longitude, 1.0, 1e-15);
    EXPECT_NEAR(geo.Latitude, 0.1, 1e-15);
    EXPECT_NEAR(geo.Radius, 5.2, 1e-14);
}

TEST(ParallaxCorrection, ApproximateAgreesWithRigorousForTheSun) {
    // For a body at 1 au the two formulas agree to far below an arc-second.
    double rc = 0, rs = 0;
    SiteGeocentricTerms(50 * kDeg, 250, rc, rs);
    const double par = 8.794 * kArcsec;
    double a1 = 2.0, d1 = 0.3, a2 = 2.0, d2 = 0.3;
    ParallaxCorrection(par, 3.0, rc, rs, a1, d1);
    TopocentricCorrection(std::sin(par), 3.0, rc, rs, a2, d2);
    EXPECT_NEAR(a1, a2, 1e-3 * kArcsec);
    EXPECT_NEAR(d1, d2, 1e-3 * kArcsec);
    EXPECT_GT(std::fabs(d1 - 0.3), 1.0 * kArcsec);  // but the shift itself is real
}

TEST(ParallaxCorrection, RightAscensionNotReducedButTopocentricIs) {
    double rc = 0, rs = 0;
    SiteGeocentricTerms(50 * kDeg, 0, rc, rs);
    double a = 1e-9, d = 0.0;
    ParallaxCorrection(8.794 * kArcsec, 0.3, rc, rs, a, d);  // west of the meridian
    EXPECT_LT(a, 0.0);
    double a2 = 1e-9, d2 = 0.0;
    TopocentricCorrection(std::sin(0.95 * kDeg), 6.0, rc, rs, a2, d2);
    EXPECT_GE(a2, 0.0);
    EXPECT_LT(a2, 2 * kPi);
}

TEST(ParallaxCorrection, AtThePoleStaysFinite) {
    double a = 1.0, d = kPi / 2;
    ParallaxCorrection(8.794 * kArcsec, 2.0, 0.64, 0.76, a, d);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_TRUE(std::isfinite(d));
    EXPECT_EQ(a, 1.0);
}

TEST(TopocentricCorrection, MeridianChangesDeclinationOnly) {
    double rc = 0, rs = 0;
    SiteGeocentricTerms(50 * kDeg, 0, rc, rs);
    double a = 1.2, d = 0.2;
    TopocentricCorrection(std::sin(0.95 * kDeg), 1.2, rc, rs, a, d);
    EXPECT_NEAR(a, 1.2, 1e-15);
    EXPECT_LT(d, 0.2 - 0.5 * kDeg);
}
