// Coordinate transformations, parallax and refraction.
// Sources: Meeus, Astronomical Algorithms, 2nd ed., chapters 11, 13, 16, 33, 40.
#pragma once

namespace kelvo {

// Spherical position: longitude and latitude in radians, radius in the
// caller's unit (astronomical units for the planets, km for the Moon).
struct SphericalCoords {
    double Longitude;
    double Latitude;
    double Radius;
};

// Rectangular position in the unit of the Radius it comes from; X toward
// longitude 0, Y toward longitude 90 deg, Z toward latitude +90 deg.
struct RectangularCoords {
    double X;
    double Y;
    double Z;
};

// Spherical to rectangular coordinates.
void SphericalToRectangular(const SphericalCoords& s, RectangularCoords& r);

// Rectangular to spherical coordinates, 0 <= Longitude < 2 pi. The zero vector
// gives (0, 0, 0).
void RectangularToSpherical(const RectangularCoords& r, SphericalCoords& s);

// Geocentric longitude, latitude and distance of a body from the heliocentric
// positions of the body and of the Earth (same frame and unit). Meeus ch. 33.
void HeliocentricToGeocentric(const SphericalCoords& body, const SphericalCoords& earth,
                              SphericalCoords& geocentric);

// Ecliptic longitude lambda, latitude beta and obliquity eps (radians) to right
// ascension alpha (0 <= alpha < 2 pi) and declination delta. Meeus 13.3, 13.4.
void EclipticToEquatorial(double lambda, double beta, double eps, double& alpha, double& delta);

// rho cos phi' and rho sin phi' (Earth equatorial radii) for geographic
// latitude phi (radians) and height above sea level (metres); flattening
// 1/298.257, equatorial radius 6378140 m. Meeus ch. 11.
void SiteGeocentricTerms(double phi, double height, double& rhoCosPhi, double& rhoSinPhi);

// Topocentric alpha, delta by the approximate formulas of Meeus ch. 40 (40.4,
// 40.5 simplified): parallax in radians used in place of its sine, theta the
// local sidereal time. alpha is not reduced to 0..2 pi. At cos delta = 0 the
// right ascension is left unchanged.
void ParallaxCorrection(double parallax, double theta, double rhoCosPhi, double rhoSinPhi,
                        double& alpha, double& delta);

// Topocentric alpha, delta by the rigorous formulas of Meeus ch. 40 (40.6 form):
// sinParallax the sine of the equatorial horizontal parallax, theta the local
// sidereal time (radians). alpha comes out in 0..2 pi.
void TopocentricCorrection(double sinParallax, double theta, double rhoCosPhi, double rhoSinPhi,
                           double& alpha, double& delta);

// Azimuth A (from south, positive toward west, -pi < A <= pi) and altitude h
// of alpha, delta for local sidereal time theta and latitude phi (radians).
// Meeus 13.5, 13.6.
void EquatorialToHorizontal(double alpha, double delta, double theta, double phi, double& A,
                            double& h);

// Refraction in radians, to be added to the true (airless) altitude h
// (radians); Saemundsson's formula, Meeus 16.4, zero at the zenith. No guard:
// the callers decide above which altitude it applies (pole at h = -5.11 deg).
double Refraction(double h);

}  // namespace kelvo
