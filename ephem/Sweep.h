// Many places of one source from one site: a range of instants, a rise and
// set search, a table. The drivers' numbers, within 0.001", at a fraction of
// their cost.
//
// The planetary terms are read once. A body's geocentric apparent place (its
// direction, its distance) and the equation of the equinoxes vary slowly;
// they are computed by the drivers' own steps (DriverSteps.h) at the
// Chebyshev nodes of spans of at most one day of UT and interpolated there
// (as the large numerical ephemerides store their series); each instant then
// goes through the drivers' sidereal time, parallax, horizontal place and
// refraction as a driver call does. Spans begin at 0h UT, where leap seconds
// are inserted, and end at the jumps of Meeus' Delta T; each fit is checked
// at the span's midpoint against the drivers and the span halved when it is
// off by more than 2e-5". A fixed source of date goes through the of-date
// driver at every instant.
#pragma once

#include <array>
#include <vector>

#include "Ephemeris.h"
#include "PlanetTerms.h"

namespace kelvo {

// What a driver call gives for an instant.
struct SweepPlace {
    double Lst;             // local apparent sidereal time, radians, 0..2 pi
    double Azimuth;         // degrees from north through east
    double Elevation;       // degrees, the driver's refraction included
    double RightAscension;  // topocentric (a fixed source: as the driver gives it), radians
    double Declination;     // radians
};

class Sweep {
public:
    // request: the site and source (timeZone is not used: instants are UT);
    // a planet's terms are read once from request.terms (null: the working
    // directory, messages on standard output). ra, dec: a fixed source's
    // catalogue place (radians). stepDays: the expected distance between
    // instants; beyond two hours every instant is a driver computation.
    explicit Sweep(const EphemerisRequest& request, double ra = 0.0, double dec = 0.0,
                   double stepDays = 0.0);

    // Whether the places can be trusted (planetary terms present and sound).
    const PlaceStatus& Status() const { return status_; }

    // The place at the Julian Date of UT ut.
    SweepPlace At(double ut);

    // Nodes per span; the fitted functions: x, y, z of the direction, the
    // distance and the equation of the equinoxes.
    static constexpr int Nodes = 12;
    static constexpr int Functions = 5;

private:
    struct Span {
        double Start = 0.0, End = 0.0;
        std::array<std::array<double, Nodes>, Functions> Coefficients{};
    };
    // The drivers' slow part at ut: the five functions.
    std::array<double, Functions> Slow(double ut) const;
    const Span& SpanAt(double ut);
    bool Fit(double start, double end, Span& span) const;

    EphemerisRequest request_;
    double ra_, dec_;
    bool direct_;
    PlanetTerms terms_;
    PlaceStatus status_;
    double rhoCos_ = 0.0, rhoSin_ = 0.0;
    std::vector<Span> spans_;  // the last few spans used
    std::size_t next_ = 0;     // the span to replace next
};

}  // namespace kelvo
