#include "Aberration.h"
#include "Coordinates.h"
#include "Constants.h"
#include "DriverSteps.h"
#include "Ephemeris.h"
#include "EphemerisConstants.h"
#include "OfDate.h"
#include "PlanetTerms.h"
#include "Planets.h"

namespace kelvo {

namespace {

// Pluto's theory is referred to J2000.0, so its Earth comes from the J2000.0
// set (slot 0); every other target uses the Earth of date (slot 3).
int EarthSlotFor(int planet) { return planet == 9 ? 0 : 3; }

}  // namespace

PlaceStatus PlanetEphemeris(const PlanetTerms& terms, double longitude, double latitude,
                            double timeZone, double height, int planet, int year, int month,
                            int day, double hours, double& lst, double& azimuth,
                            double& elevation, double& rightAscension, double& declination,
                            double& julianDate, bool ofDate) {
    const bool pluto = planet == 9;
    EphemerisPreamble p{};
    // Of date, Pluto's J2000.0 place is rotated to the true equator of date,
    // so its preamble has the obliquity of date like every other body.
    EphemerisPreambleSteps(longitude, latitude, timeZone, year, month, day, hours, true,
                           pluto && !ofDate, p, lst, julianDate, ofDate);
    const int earthSlot = EarthSlotFor(planet);

    double rhoCos = 0.0;
    double rhoSin = 0.0;
    SiteGeocentricTerms(p.phi, height, rhoCos, rhoSin);

    if (planet == 3) {  // the Earth itself: no place in the sky
        rightAscension = 0.0;
        declination = 0.0;
        return {};
    }
    PlaceStatus status;
    // The target's series (Mercury to Neptune) and the Earth's.
    for (int slot : {planet >= 1 && planet <= 8 ? planet : -1, earthSlot}) {
        if (slot < 0 || !status.Usable) continue;
        std::string why = UnusableSlot(terms, slot);
        if (why.empty()) continue;
        status.Usable = false;
        status.FilesMissing = (terms.Problems[slot] & (TermsIndexMissing | TermsDataMissing)) != 0;
        status.Detail = std::move(why);
    }

    const GeocentricPlace g = PlanetGeocentric(terms, planet, p, ofDate);
    PlanetTopocentric(g, p.theta, p.phi, rhoCos, rhoSin, rightAscension, declination, azimuth,
                      elevation);
    return status;
}

GeocentricPlace PlanetGeocentric(const PlanetTerms& terms, int planet,
                                 const EphemerisPreamble& p, bool ofDate) {
    using C = EphemerisConstants;
    const int earthSlot = EarthSlotFor(planet);
    SphericalCoords body{0.0, 0.0, 0.0};  // the Sun: the heliocentric origin
    if (planet != 0) HeliocentricPosition(terms, planet, p.TE, body);
    SphericalCoords earth{};
    HeliocentricPosition(terms, earthSlot, p.TE, earth);
    SphericalCoords geo{};
    HeliocentricToGeocentric(body, earth, geo);
    if (planet != 0) {
        // One light-time step: the planet where it was when the light left it.
        HeliocentricPosition(terms, planet, p.TE - geo.Radius * C::LightTimePerAu, body);
        HeliocentricToGeocentric(body, earth, geo);
    }

    double alpha = 0.0;
    double delta = 0.0;
    if (planet == 9 && ofDate) {
        // The mean equator of J2000.0, then precession-nutation to date.
        EclipticToEquatorial(geo.Longitude, geo.Latitude, C::ObliquityJ2000, alpha, delta);
        ToTrueEquatorOfDate(J2000 + p.TE * DaysPerJulianCentury, alpha, delta);
    } else {
        EclipticToEquatorial(geo.Longitude + p.dpsi, geo.Latitude, p.eps0 + p.deps, alpha, delta);
    }
    AberrationEquatorial(p.T, p.eps0, alpha, delta);
    return {alpha, delta, geo.Radius};
}

void PlanetTopocentric(const GeocentricPlace& g, double theta, double phi, double rhoCos,
                       double rhoSin, double& rightAscension, double& declination,
                       double& azimuth, double& elevation) {
    using C = EphemerisConstants;
    double alpha = g.Alpha;
    double delta = g.Delta;
    // Without usable terms files the Earth's radius vector sums to 0 and so
    // may the distance; there is no parallax to apply then.
    const double parallax = g.Distance > 0.0 ? C::SolarParallax / g.Distance : 0.0;
    ParallaxCorrection(parallax, theta, rhoCos, rhoSin, alpha, delta);
    rightAscension = alpha;
    declination = delta;
    HorizontalPlace(alpha, delta, theta, phi, -C::StandardAltitudeStar, azimuth, elevation);
}

PlaceStatus PlanetEphemeris(const TermsSource& source, double longitude, double latitude,
                            double timeZone, double height, int planet, int year, int month,
                            int day, double hours, double& lst, double& azimuth,
                            double& elevation, double& rightAscension, double& declination,
                            double& julianDate, bool ofDate) {
    // The series are read afresh for every call and released when it returns.
    const PlanetTerms terms = LoadTermsFor(source, planet);
    return PlanetEphemeris(terms, longitude, latitude, timeZone, height, planet, year, month, day,
                           hours, lst, azimuth, elevation, rightAscension, declination,
                           julianDate, ofDate);
}

PlanetTerms LoadTermsFor(const TermsSource& source, int planet) {
    // The lines of this load: at most two per slot.
    std::string_view lines[8];
    std::size_t count = 0;
    const TermsMessageSink say = [&](std::string_view line) {
        if (!source.Report)
            PrintTermsMessage(line);
        else if (count < std::size(lines))
            lines[count++] = line;  // the fixed texts outlive the call
    };
    PlanetTerms terms;
    if (planet >= 1 && planet <= 8) LoadPlanetTerms(terms, source.Directory, planet, say);
    const int earthSlot = EarthSlotFor(planet);
    if (earthSlot != planet) LoadPlanetTerms(terms, source.Directory, earthSlot, say);
    if (source.Report) source.Report({lines, lines + count});
    return terms;
}

void PlanetEphemeris(double longitude, double latitude, double timeZone, double height, int planet,
                     int year, int month, int day, double hours, double& lst, double& azimuth,
                     double& elevation, double& rightAscension, double& declination,
                     double& julianDate) {
    static const TermsSource workingDirectory{};
    PlanetEphemeris(workingDirectory, longitude, latitude, timeZone, height, planet, year, month,
                    day, hours, lst, azimuth, elevation, rightAscension, declination, julianDate);
}

}  // namespace kelvo
