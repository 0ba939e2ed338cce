// The ephemeris drivers: site, time-zone code, clock date and clock time in;
// local apparent sidereal time, azimuth, elevation, right ascension,
// declination and Julian Date out.
//
// Common arguments: longitude (degrees, positive west), latitude (degrees,
// positive north), timeZone (hours to add to the clock to obtain UT: 0 UT,
// -1 MEZ, -2 MESZ), height (metres), year/month/day of the clock, hours (clock
// time of day, 0..24). Outputs: lst (radians, 0..2 pi), azimuth (degrees from
// north through east, (0, 360]), elevation (degrees, refraction included above
// the driver's threshold), julianDate (of the clock reading itself, without
// the time-zone offset). No precession is applied, except in the places of
// date (ofDate, OfDate.h), which are computed with ERFA.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "PlanetTerms.h"

namespace kelvo {

// The three kinds of source, one driver each.
enum class SourceKind : std::uint8_t { Planet = 0, Moon = 1, Fixstar = 2 };

// Result of the steps every driver begins with.
struct EphemerisPreamble {
    double lambda;  // site longitude, radians, positive west
    double phi;     // site latitude, radians
    double ut;      // Julian Date of UT (the clock reading plus the zone's hours)
    double T;       // Julian centuries of UT since J2000.0
    double TE;      // Julian centuries of dynamical time (Planet and Moon only)
    double eps0;    // mean obliquity, radians
    double dpsi;    // nutation in longitude, radians
    double deps;    // nutation in obliquity, radians
    double theta;   // local apparent sidereal time, radians, 0..2 pi
};

// The common preamble (Meeus ch. 7, 10, 12, 22): Julian Date of the clock
// reading, T of UT, Delta T and TE (when withDeltaT), the obliquity (the
// constant of J2000.0 when obliquityJ2000, else the mean obliquity of T), the
// nutation and the local apparent sidereal time theta = theta0 + dpsi cos eps0
// - lambda in 0..2 pi. Writes julianDate, then lst. ofDate: TE from the
// leap-second table instead (TimeScalesOf).
void EphemerisPreambleSteps(double longitude, double latitude, double timeZone, int year,
                            int month, int day, double hours, bool withDeltaT,
                            bool obliquityJ2000, EphemerisPreamble& p, double& lst,
                            double& julianDate, bool ofDate = false);

// The horizontal step every driver ends with: azimuth (degrees from north
// through east, (0, 360]) and elevation (degrees) of alpha, delta (radians)
// for the local sidereal time theta and latitude phi (radians), Meeus 13.5,
// 13.6. Refraction (Meeus 16.4) is added when the airless altitude exceeds
// refractionAbove (radians): 0 for the Moon and fixed sources, 0.5667 deg
// (-StandardAltitudeStar) for the Sun and planets.
void HorizontalPlace(double alpha, double delta, double theta, double phi, double refractionAbove,
                     double& azimuth, double& elevation);

// The loader's message lines of one driver call.
using TermsReport = std::function<void(const std::vector<std::string_view>& lines)>;

// Where the planet driver finds the terms files and where the loader's
// message lines go.
struct TermsSource {
    std::string Directory;  // empty: the working directory
    // Receives the lines of each call together (an empty list for a call
    // without problems); null: each line goes to standard output at once.
    TermsReport Report;
};

// Whether a driver's place can be trusted. Only the planet driver can fail:
// when the terms of the target or of the Earth are missing or damaged, its
// numbers are not a place in the sky.
struct PlaceStatus {
    bool Usable = true;
    bool FilesMissing = false;  // a terms file could not be opened (else: damaged)
    std::string Detail;         // when not usable: the file and the problem
    // A fixed source of date: its topocentric apparent place (radians), which
    // differs from the catalogue place the driver was given. NaN otherwise.
    double ApparentRa = std::numeric_limits<double>::quiet_NaN();
    double ApparentDec = std::numeric_limits<double>::quiet_NaN();
};

// Sun (planet 0), Mercury 1 .. Neptune 8 (3: the Earth, which writes only
// julianDate and lst and sets rightAscension = declination = 0), Pluto 9.
// Reads PLANETS.NDX and PLANETS.DAT from the working directory on every call
// and writes the loader's lines to standard output.
void PlanetEphemeris(double longitude, double latitude, double timeZone, double height, int planet,
                     int year, int month, int day, double hours, double& lst, double& azimuth,
                     double& elevation, double& rightAscension, double& declination,
                     double& julianDate);

// The same, reading both files afresh on this call from source's directory
// and reporting the loader's lines to it; says whether the place is usable.
PlaceStatus PlanetEphemeris(const TermsSource& source, double longitude, double latitude,
                            double timeZone, double height, int planet, int year, int month,
                            int day, double hours, double& lst, double& azimuth,
                            double& elevation, double& rightAscension, double& declination,
                            double& julianDate, bool ofDate = false);

// The same on terms already loaded: the target's slot (1..8) and the Earth's
// (3, or 0 for Pluto) are taken from terms; nothing is read or written. Not
// usable when either slot is (UnusableSlot); the numbers are computed all
// the same.
PlaceStatus PlanetEphemeris(const PlanetTerms& terms, double longitude, double latitude,
                            double timeZone, double height, int planet, int year, int month,
                            int day, double hours, double& lst, double& azimuth, double& elevation,
                            double& rightAscension, double& declination, double& julianDate,
                            bool ofDate = false);
// ofDate (both forms): dynamical time from the leap-second table; Pluto's
// J2000.0 place carried to the true equator and equinox of date by the IAU
// 2006/2000A precession-nutation (ERFA) instead of the nutation alone.

// The terms that the planet driver needs for planet (its slot and the
// Earth's), read from source's directory and reported to it as one call of
// the driver would: for many places of one planet, load once and use the
// terms form of the driver (the same numbers as the per-call form).
PlanetTerms LoadTermsFor(const TermsSource& source, int planet);

// The Moon, apparent topocentric place. ofDate: dynamical time from the
// leap-second table.
void MoonEphemeris(double longitude, double latitude, double timeZone, double height, int year,
                   int month, int day, double hours, double& lst, double& azimuth,
                   double& elevation, double& rightAscension, double& declination,
                   double& julianDate, bool ofDate = false);

// A source with fixed J2000.0 right ascension and declination (radians), used
// as coordinates of date. height is accepted and not used.
void FixstarEphemeris(double longitude, double latitude, double timeZone, double height, int year,
                      int month, int day, double hours, double rightAscension, double declination,
                      double& lst, double& azimuth, double& elevation, double& julianDate);

// A source with ICRS (J2000.0) right ascension and declination (radians) at
// its observed place of date (ObservedPlaceOfDate: precession-nutation,
// aberration, light deflection, the site's height included), with this
// driver's refraction above 0 deg; lst and julianDate as every driver gives
// them. apparentRa, apparentDec: the topocentric apparent place of date.
void FixstarEphemerisOfDate(double longitude, double latitude, double timeZone, double height,
                            int year, int month, int day, double hours, double rightAscension,
                            double declination, double& lst, double& azimuth, double& elevation,
                            double& julianDate, double& apparentRa, double& apparentDec);

// The site, time zone and source that a driver call needs, and where the
// planet driver reads its terms (null: the working directory, messages on
// standard output).
struct EphemerisRequest {
    double longitude;
    double latitude;
    double timeZone;
    double height;
    SourceKind kind;
    int planet;
    const TermsSource* terms = nullptr;
    bool ofDate = false;  // places of date (ERFA) instead of the catalogue places
};

// Calls the driver for request.kind. rightAscension and declination are the
// Fixstar driver's inputs and the other drivers' outputs. Says whether the
// place is usable.
PlaceStatus CallEphemerisDriver(const EphemerisRequest& request, int year, int month, int day,
                         double hours, double& lst, double& azimuth, double& elevation,
                         double& rightAscension, double& declination, double& julianDate);

}  // namespace kelvo
