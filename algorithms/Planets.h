// Heliocentric positions of the Earth and the planets.
// Sources: VSOP87 (Bretagnon & Francou 1988) series from the terms store with
// the FK5 correction of Meeus, Astronomical Algorithms, 2nd ed., 32.3; Pluto
// from the 43-term theory of Meeus chapter 37 (Chapront & Francou).
#pragma once

#include <span>

#include "Coordinates.h"
#include "PlanetTerms.h"

namespace kelvo {

// Heliocentric ecliptic position of the body of terms slot 0..8 (as loaded in
// terms) for T (Julian centuries since J2000.0): longitude (not reduced after
// the FK5 correction) and latitude in radians, radius vector in au. A slot
// whose run is empty, or a number outside 0..8, evaluates as zero sums.
void PlanetHeliocentric(const PlanetTerms& terms, int slot, double T, SphericalCoords& result);

// Pluto's heliocentric position, mean ecliptic and equinox J2000.0, for T
// (Julian centuries); valid 1885-2099. Longitude 0..2 pi, latitude radians,
// radius vector au.
void PlutoHeliocentric(double T, SphericalCoords& result);

// Planet 9: PlutoHeliocentric (terms not used); any other number:
// PlanetHeliocentric.
void HeliocentricPosition(const PlanetTerms& terms, int planet, double T,
                          SphericalCoords& result);

// A row of Pluto's theory (Meeus table 37.A): multipliers of J, S, P; sine
// and cosine coefficients of longitude and latitude (1e-6 degree) and of the
// radius vector (1e-7 au).
struct PlutoRow {
    int j, s, p;
    double lSin, lCos;
    double bSin, bCos;
    double rSin, rCos;
};

// The 43 rows, in the order of the table.
std::span<const PlutoRow> PlutoTermTable();

}  // namespace kelvo
