#include <cmath>

#include "Coordinates.h"
#include "DriverSteps.h"
#include "Ephemeris.h"
#include "EphemerisConstants.h"
#include "Moon.h"

namespace kelvo {

void MoonEphemeris(double longitude, double latitude, double timeZone, double height, int year,
                   int month, int day, double hours, double& lst, double& azimuth,
                   double& elevation, double& rightAscension, double& declination,
                   double& julianDate, bool ofDate) {
    EphemerisPreamble p{};
    EphemerisPreambleSteps(longitude, latitude, timeZone, year, month, day, hours, true, false, p,
                           lst, julianDate, ofDate);
    double rhoCos = 0.0;
    double rhoSin = 0.0;
    SiteGeocentricTerms(p.phi, height, rhoCos, rhoSin);

    const GeocentricPlace g = MoonGeocentric(p);
    MoonTopocentric(g, p.theta, p.phi, rhoCos, rhoSin, rightAscension, declination, azimuth,
                    elevation);
}

GeocentricPlace MoonGeocentric(const EphemerisPreamble& p) {
    SphericalCoords moon{};
    MoonPosition(p.TE, moon);
    double alpha = 0.0;
    double delta = 0.0;
    EclipticToEquatorial(moon.Longitude + p.dpsi, moon.Latitude, p.eps0 + p.deps, alpha, delta);
    return {alpha, delta, moon.Radius};
}

void MoonTopocentric(const GeocentricPlace& g, double theta, double phi, double rhoCos,
                     double rhoSin, double& rightAscension, double& declination,
                     double& azimuth, double& elevation) {
    using C = EphemerisConstants;
    const double parallax = std::asin(C::EarthRadius / g.Distance);
    double alpha = g.Alpha;
    double delta = g.Delta;
    TopocentricCorrection(std::sin(parallax), theta, rhoCos, rhoSin, alpha, delta);
    rightAscension = alpha;
    declination = delta;
    HorizontalPlace(alpha, delta, theta, phi, 0.0, azimuth, elevation);
}

}  // namespace kelvo
