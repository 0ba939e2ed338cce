// Geocentric position of the Moon: ELP-2000/82 truncated to the main terms
// (Chapront-Touze and Chapront 1988), as given in Meeus, Astronomical
// Algorithms, chapter 47 (tables 47.A and 47.B, the same in both editions).
// The argument polynomials L', D, M, M', F (47.1-47.5) are those of the FIRST
// edition (1991), with every T^3 and T^4 coefficient positive and D's T^4
// coefficient 8.84447e-06 as this system has always used. The second edition
// (1998) revised them (L' = 218.3164477 + 481267.88123421 T ..., D's T^4
// term -1/113065000); within 1900-2100 the two differ by less than 0.03".
#pragma once

#include <span>

#include "Coordinates.h"

namespace kelvo {

// Arguments of the lunar series: D, M, M', F in radians (0..2 pi), the
// eccentricity factor E and E^2.
struct LunarArguments {
    double D;
    double M;
    double Mp;
    double F;
    double E;
    double E2;
};

// D, M, M', F (radians, 0..2 pi) and E for T (Julian centuries since J2000.0).
// Meeus 47.2-47.6.
void MoonArguments(double T, double& D, double& M, double& Mp, double& F, double& E);

// Periodic sums of Meeus table 47.A/B: longitude and latitude in degrees,
// distance in kilometres.
double MoonLongitudeSum(const LunarArguments& args);
double MoonLatitudeSum(const LunarArguments& args);
double MoonDistanceSum(const LunarArguments& args);

// Geocentric ecliptic longitude and latitude of the Moon (radians, mean
// equinox of date) and distance between the centres of Earth and Moon (km)
// for T (Julian centuries since J2000.0, dynamical time).
void MoonPosition(double T, SphericalCoords& result);

// A row of Meeus table 47.A: multipliers of D, M, M', F; the longitude
// coefficient (degrees, sine) and the distance coefficient (km, cosine), 0
// where the row has no such term.
struct LongitudeDistanceRow {
    int d, m, mp, f;
    double longitude;
    double distance;
};

// A row of Meeus table 47.B: multipliers and the latitude coefficient
// (degrees, sine).
struct LatitudeRow {
    int d, m, mp, f;
    double latitude;
};

// The 60 + 60 rows, in the order of the tables.
std::span<const LongitudeDistanceRow> MoonLongitudeDistanceTerms();
std::span<const LatitudeRow> MoonLatitudeTerms();

}  // namespace kelvo
