#include "Aberration.h"
#include "Coordinates.h"
#include "Ephemeris.h"
#include "EphemerisConstants.h"
#include "PlanetTerms.h"
#include "Planets.h"

namespace kelvo {

void PlanetEphemeris(double longitude, double latitude, double timeZone, double height, int planet,
                     int year, int month, int day, double hours, double& lst, double& azimuth,
                     double& elevation, double& rightAscension, double& declination,
                     double& julianDate) {
    using C = EphemerisConstants;
    const bool pluto = planet == 9;
    EphemerisPreamble p{};
    EphemerisPreambleSteps(longitude, latitude, timeZone, year, month, day, hours, true, pluto, p,
                           lst, julianDate);

    // Pluto's theory is referred to J2000.0, so its Earth comes from the
    // J2000.0 set (slot 0); every other target uses the Earth of date (slot 3).
    const int earthSlot = pluto ? 0 : 3;
    InitPlanetTerms();
    if (planet >= 1 && planet <= 8) LoadPlanetTerms(planet);
    if (earthSlot != planet) LoadPlanetTerms(earthSlot);

    double rhoCos = 0.0;
    double rhoSin = 0.0;
    SiteGeocentricTerms(p.phi, height, rhoCos, rhoSin);

    if (planet == 3) {  // the Earth itself: no place in the sky
        rightAscension = 0.0;
        declination = 0.0;
        FreeAllPlanetTerms();
        return;
    }

    SphericalCoords body{0.0, 0.0, 0.0};  // the Sun: the heliocentric origin
    if (planet != 0) HeliocentricPosition(planet, p.TE, body);
    SphericalCoords earth{};
    HeliocentricPosition(earthSlot, p.TE, earth);
    SphericalCoords geo{};
    HeliocentricToGeocentric(body, earth, geo);
    if (planet != 0) {
        // One light-time step: the planet where it was when the light left it.
        HeliocentricPosition(planet, p.TE - geo.Radius * C::LightTimePerAu, body);
        HeliocentricToGeocentric(body, earth, geo);
    }

    double alpha = 0.0;
    double delta = 0.0;
    EclipticToEquatorial(geo.Longitude + p.dpsi, geo.Latitude, p.eps0 + p.deps, alpha, delta);
    AberrationEquatorial(p.T, p.eps0, alpha, delta);
    // Without usable terms files the Earth's radius vector sums to 0 and so
    // may the distance; there is no parallax to apply then.
    const double parallax = geo.Radius > 0.0 ? C::SolarParallax / geo.Radius : 0.0;
    ParallaxCorrection(parallax, p.theta, rhoCos, rhoSin, alpha, delta);
    rightAscension = alpha;
    declination = delta;

    double A = 0.0;
    double h = 0.0;
    EquatorialToHorizontal(alpha, delta, p.theta, p.phi, A, h);
    const double R = h > -C::StandardAltitudeStar ? Refraction(h) : 0.0;
    azimuth = A * C::RadToDeg + 180.0;
    elevation = (h + R) * C::RadToDeg;
    FreeAllPlanetTerms();
}

}  // namespace kelvo
