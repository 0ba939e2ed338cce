// Constants of the astronomy library and of everything built on it, each
// defined once. Angles in radians unless the name says otherwise.
#pragma once

namespace kelvo {

inline constexpr double Pi = 3.141592653589793;
inline constexpr double TwoPi = 2 * Pi;
inline constexpr double InverseTwoPi = 0.15915494309189535;  // 1 / (2 pi)
inline constexpr double DegToRad = Pi * (1.0 / 180.0);         // one degree
inline constexpr double RadToDeg = 180.0 / Pi;
inline constexpr double ArcSecond = Pi / 648000.0;            // one arc-second
inline constexpr double HourToRad = Pi * (1.0 / 12.0);         // one hour of angle
inline constexpr double RadToHour = 12.0 / Pi;

inline constexpr double J2000 = 2451545.0;             // Julian Day of J2000.0 (TT)
inline constexpr double DaysPerJulianCentury = 36525.0;

// Figure of the Earth, IAU 1976 (Meeus, Astronomical Algorithms, 2nd ed.,
// ch. 11): equatorial radius and flattening 1/298.257.
inline constexpr double EarthEquatorialRadiusKm = 6378.14;
inline constexpr double EarthEquatorialRadiusMetres = 6378140.0;
inline constexpr double EarthPolarRatio = 1.0 - 1.0 / 298.257;  // b / a = 1 - f

}  // namespace kelvo
