#include "Coordinates.h"

#include <cmath>

#include "Calendar.h"
#include "Constants.h"

namespace kelvo {

namespace {
constexpr double k10_3Degrees = 10.3 * DegToRad;
}  // namespace

void SphericalToRectangular(const SphericalCoords& s, RectangularCoords& r) {
    const double cosB = std::cos(s.Latitude);
    r.X = cosB * (std::cos(s.Longitude) * s.Radius);
    r.Y = cosB * (std::sin(s.Longitude) * s.Radius);
    r.Z = std::sin(s.Latitude) * s.Radius;
}

void RectangularToSpherical(const RectangularCoords& r, SphericalCoords& s) {
    double lon = std::atan2(r.Y, r.X);
    if (lon < 0.0) lon += TwoPi;
    if (lon >= TwoPi) lon = 0.0;  // -tiny + 2 pi rounding up to 2 pi
    const double radius = std::sqrt(r.X * r.X + r.Y * r.Y + r.Z * r.Z);
    s.Longitude = lon;
    s.Radius = radius;
    // Body and Earth coinciding give no direction: latitude 0 rather than 0/0.
    s.Latitude = radius > 0.0 ? std::asin(r.Z / radius) : 0.0;
}

void HeliocentricToGeocentric(const SphericalCoords& body, const SphericalCoords& earth,
                              SphericalCoords& geocentric) {
    RectangularCoords b;
    RectangularCoords e;
    SphericalToRectangular(body, b);
    SphericalToRectangular(earth, e);
    const RectangularCoords d{b.X - e.X, b.Y - e.Y, b.Z - e.Z};
    RectangularToSpherical(d, geocentric);
}

void EclipticToEquatorial(double lambda, double beta, double eps, double& alpha, double& delta) {
    const double cosB = std::cos(beta);
    const double sinB = std::sin(beta);
    const double cosE = std::cos(eps);
    const double sinE = std::sin(eps);
    const double sinL = std::sin(lambda);
    double a = std::atan2(cosB * sinL * cosE - sinB * sinE, cosB * std::cos(lambda));
    if (a < 0.0) a += TwoPi;
    alpha = a;
    delta = std::asin(sinB * cosE + cosB * sinE * sinL);
}

void SiteGeocentricTerms(double phi, double height, double& rhoCosPhi, double& rhoSinPhi) {
    const double h = height / EarthEquatorialRadiusMetres;
    const double u = std::atan(EarthPolarRatio * std::tan(phi));
    rhoSinPhi = EarthPolarRatio * std::sin(u) + h * std::sin(phi);
    rhoCosPhi = std::cos(u) + h * std::cos(phi);
}

void ParallaxCorrection(double parallax, double theta, double rhoCosPhi, double rhoSinPhi,
                        double& alpha, double& delta) {
    const double H = theta - alpha;
    const double cosD = std::cos(delta);
    const double sinD = std::sin(delta);
    const double cosH = std::cos(H);
    // At the celestial pole the right ascension is undefined; leave it alone
    // rather than divide by (nearly) zero.
    if (std::fabs(cosD) > 1e-12) alpha = alpha - parallax * rhoCosPhi * std::sin(H) / cosD;
    delta = delta - parallax * (rhoSinPhi * cosD - rhoCosPhi * cosH * sinD);
}

void TopocentricCorrection(double sinParallax, double theta, double rhoCosPhi, double rhoSinPhi,
                           double& alpha, double& delta) {
    const double H = theta - alpha;
    const double cosD = std::cos(delta);
    const double a = cosD * std::sin(H);
    const double b = cosD * std::cos(H) - rhoCosPhi * sinParallax;
    const double c = std::sin(delta) - rhoSinPhi * sinParallax;
    const double q = std::sqrt(a * a + b * b + c * c);
    alpha = NormalizeAngle(theta - std::atan2(a, b));
    delta = std::asin(c / q);
}

void EquatorialToHorizontal(double alpha, double delta, double theta, double phi, double& A,
                            double& h) {
    const double H = theta - alpha;
    const double sinP = std::sin(phi);
    const double cosP = std::cos(phi);
    A = std::atan2(std::sin(H), std::cos(H) * sinP - std::tan(delta) * cosP);
    h = std::asin(sinP * std::sin(delta) + cosP * std::cos(delta) * std::cos(H));
}

double Refraction(double h) {
    const double arcMinutes = 1.02 / std::tan(h + k10_3Degrees / (h * RadToDeg + 5.11));
    return (arcMinutes + 0.0019279) * DegToRad / 60.0;
}

}  // namespace kelvo
