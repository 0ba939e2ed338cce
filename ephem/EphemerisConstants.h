// Constants shared by the windows, the ephemeris drivers and the
// geostationary look angles.
#pragma once

struct EphemerisConstants {
    static constexpr double Pi = 3.141592653589793;
    static constexpr double TwoPi = 2 * Pi;
    static constexpr double DegToRad = Pi * (1.0 / 180.0);
    static constexpr double HourToRad = Pi * (1.0 / 12.0);
    static constexpr double RadToDeg = 180.0 / Pi;
    static constexpr double RadToHour = 12.0 / Pi;
    static constexpr double EarthRadius = 6378.14;  // equatorial radius, km
    // 8.794" in radians.
    static constexpr double SolarParallax = 8.794 * DegToRad / 3600.0;
    // Seconds to Julian centuries: 1 / (86400 * 36525).
    static constexpr double SecondsToCenturies = 1.0 / (86400.0 * 36525.0);
    // Light time for one au, 0.0057755183 d (499.00478 s), in Julian centuries.
    static constexpr double LightTimePerAu = 0.0057755183 / 36525.0;
    static constexpr double ObliquityJ2000 = 23.43929111 * DegToRad;
    static constexpr double StandardAltitudeStar = -0.5667 * DegToRad;
};
