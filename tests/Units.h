// Unit helpers for the tests.
#pragma once

#include <cmath>

#include "Constants.h"

inline constexpr double kPi = kelvo::Pi;
inline constexpr double kDeg = kelvo::DegToRad;
inline constexpr double kArcsec = kelvo::ArcSecond;

inline double Dms(double d, double m, double s) {
    const double sign = (d < 0 || m < 0 || s < 0) ? -1.0 : 1.0;
    return sign * (std::fabs(d) + std::fabs(m) / 60.0 + std::fabs(s) / 3600.0);
}
inline double Hms(double h, double m, double s) { return h + m / 60.0 + s / 3600.0; }
