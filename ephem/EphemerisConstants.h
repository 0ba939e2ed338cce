// The named constants shared by the windows, the ephemeris drivers and the
// geostationary look angles. The angle factors are the library's own
// (Constants.h), named here as the drivers and windows use them.
#pragma once

#include "Constants.h"

namespace kelvo {

struct EphemerisConstants {
    static constexpr double Pi = kelvo::Pi;
    static constexpr double TwoPi = kelvo::TwoPi;
    static constexpr double DegToRad = kelvo::DegToRad;
    static constexpr double HourToRad = kelvo::HourToRad;
    static constexpr double RadToDeg = kelvo::RadToDeg;
    static constexpr double RadToHour = kelvo::RadToHour;
    static constexpr double EarthRadius = EarthEquatorialRadiusKm;  // km
    // 8.794" in radians.
    static constexpr double SolarParallax = 8.794 * DegToRad / 3600.0;
    // Seconds to Julian centuries: 1 / (86400 * 36525).
    static constexpr double SecondsToCenturies = 1.0 / (86400.0 * DaysPerJulianCentury);
    // Light time for one au, 0.0057755183 d (499.00478 s), in Julian centuries.
    static constexpr double LightTimePerAu = 0.0057755183 / DaysPerJulianCentury;
    static constexpr double ObliquityJ2000 = 23.43929111 * DegToRad;
    // Altitude of a star's centre at rising, refraction included.
    static constexpr double StandardAltitudeStar = -0.5667 * DegToRad;
};

}  // namespace kelvo
