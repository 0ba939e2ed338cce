#include <cmath>

#include "Coordinates.h"
#include "Ephemeris.h"
#include "EphemerisConstants.h"
#include "Moon.h"

namespace kelvo {

void MoonEphemeris(double longitude, double latitude, double timeZone, double height, int year,
                   int month, int day, double hours, double& lst, double& azimuth,
                   double& elevation, double& rightAscension, double& declination,
                   double& julianDate, bool ofDate) {
    using C = EphemerisConstants;
    EphemerisPreamble p{};
    EphemerisPreambleSteps(longitude, latitude, timeZone, year, month, day, hours, true, false, p,
                           lst, julianDate, ofDate);
    double rhoCos = 0.0;
    double rhoSin = 0.0;
    SiteGeocentricTerms(p.phi, height, rhoCos, rhoSin);

    SphericalCoords moon{};
    MoonPosition(p.TE, moon);
    const double parallax = std::asin(C::EarthRadius / moon.Radius);

    double alpha = 0.0;
    double delta = 0.0;
    EclipticToEquatorial(moon.Longitude + p.dpsi, moon.Latitude, p.eps0 + p.deps, alpha, delta);
    TopocentricCorrection(std::sin(parallax), p.theta, rhoCos, rhoSin, alpha, delta);
    rightAscension = alpha;
    declination = delta;
    HorizontalPlace(alpha, delta, p.theta, p.phi, 0.0, azimuth, elevation);
}

}  // namespace kelvo
