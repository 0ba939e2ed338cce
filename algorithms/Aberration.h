// Annual aberration with the terms of the Earth's orbital eccentricity.
// Sources: Meeus, Astronomical Algorithms, 2nd ed., chapters 23 (23.3, 23.4)
// and 25 (Sun's mean elements, equation of the centre).
#pragma once

namespace kelvo {

// Constant of aberration kappa = 20.49552", in radians.
inline constexpr double ConstantOfAberration = 9.936508497454117e-05;

// Sun's true geometric longitude (radians, not reduced) and the eccentricity
// of the Earth's orbit for T (Julian centuries since J2000.0). Meeus 25.2-25.4
// with the equation of the centre expanded in e.
void SunTrueLongitude(double T, double& longitude, double& eccentricity);

// Adds the annual aberration to alpha and delta (radians, read and
// overwritten) for T (Julian centuries) and obliquity eps (radians).
// Meeus 23.3 with the e, perihelion terms. alpha is not reduced to 0..2 pi;
// at cos delta = 0 it is left unchanged.
void AberrationEquatorial(double T, double eps, double& alpha, double& delta);

}  // namespace kelvo
