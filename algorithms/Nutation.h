// Nutation, obliquity of the ecliptic and sidereal time.
// Sources: Meeus, Astronomical Algorithms, 2nd ed., chapters 12 and 22;
// the 1980 IAU theory of nutation (Seidelmann 1982), truncated to 63 terms.
#pragma once

#include <span>

namespace kelvo {

// Nutation in longitude dpsi and in obliquity deps, radians, for T (Julian
// centuries since J2000.0). 1980 IAU series, terms of 0.0003" and larger
// (Meeus table 22.A).
void Nutation(double T, double& dpsi, double& deps);

// Mean obliquity of the ecliptic eps0 in radians for T (Julian centuries since
// J2000.0); Laskar's polynomial in U = T/100, Meeus formula 22.3. Not reduced.
double MeanObliquity(double T);

// Mean sidereal time at Greenwich theta0 in radians, 0 <= theta0 < 2 pi, for
// T = days of 86400 s since J2000.0 / 36525 (UT). Meeus formula 12.4.
double MeanSiderealTime(double T);

// One term of the nutation series (Meeus table 22.A): multipliers of D, M,
// M', F, Omega; sine coefficient of dpsi and cosine coefficient of deps in
// arc-seconds, each a constant and a rate per Julian century.
struct NutationRow {
    int d, m, mp, f, om;
    double psi, psiT;
    double eps, epsT;
};

// The 63 terms, in the order of the table.
std::span<const NutationRow> NutationRows();

}  // namespace kelvo
