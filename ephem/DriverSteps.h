// The drivers' steps, split where a sweep needs them: the preamble of an
// instant of UT, the geocentric apparent place of a body (which varies slowly
// and depends on the instant only) and the topocentric, horizontal end (which
// follows the sidereal angle). Every driver call is these steps in a row;
// Sweep.h evaluates the middle one at a few instants and interpolates.
#pragma once

#include "Ephemeris.h"

namespace kelvo {

// The preamble (EphemerisPreambleSteps) from the Julian Date of UT ut on,
// without the calendar: the same numbers for p.ut == ut.
void EphemerisPreambleAt(double ut, double longitude, double latitude, bool withDeltaT,
                         bool obliquityJ2000, bool ofDate, EphemerisPreamble& p);

// Local apparent sidereal time (radians, 0..2 pi) from the mean sidereal
// time at Greenwich theta0, the equation of the equinoxes (dpsi cos eps0)
// and the longitude lambda (radians, positive west).
double LocalSiderealAngle(double theta0, double equationOfEquinoxes, double lambda);

// A body's apparent geocentric place: right ascension and declination
// (radians) of the true equator of date and its distance (au for the Sun
// and planets, km for the Moon).
struct GeocentricPlace {
    double Alpha;
    double Delta;
    double Distance;
};

// The planet driver's place of planet (0 Sun, 1..9 except 3) for preamble p.
GeocentricPlace PlanetGeocentric(const PlanetTerms& terms, int planet,
                                 const EphemerisPreamble& p, bool ofDate);

// The Moon driver's place for preamble p.
GeocentricPlace MoonGeocentric(const EphemerisPreamble& p);

// The planet driver's end: parallax (Meeus 40 approximate) and the
// horizontal place with refraction above 0.5667 deg.
void PlanetTopocentric(const GeocentricPlace& g, double theta, double phi, double rhoCos,
                       double rhoSin, double& rightAscension, double& declination,
                       double& azimuth, double& elevation);

// The Moon driver's end: topocentric place (Meeus 40 rigorous) and the
// horizontal place with refraction above 0.
void MoonTopocentric(const GeocentricPlace& g, double theta, double phi, double rhoCos,
                     double rhoSin, double& rightAscension, double& declination,
                     double& azimuth, double& elevation);

}  // namespace kelvo

namespace kelvo {

// The of-date fixed-source driver's place at the Julian Date of UT ut:
// ObservedPlaceOfDate with that driver's refraction above 0 deg.
void FixstarOfDateAt(double ut, double longitude, double latitude, double height,
                     double rightAscension, double declination, double& azimuth,
                     double& elevation, double& apparentRa, double& apparentDec);

}  // namespace kelvo
