// Calendar, time scales and numeric helpers.
// Sources: J. Meeus, Astronomical Algorithms, 2nd ed. (1998), chapters 1, 7, 10.
#pragma once

#include <span>

namespace kelvo {

// A calendar date. Year counts astronomically (the year before 1 is 0);
// Month 1..12; Day is the day of the month with its fraction (4.81 is the 4th
// at 19:26:24). Dates after 1582 October 4 are Gregorian, earlier ones Julian.
struct CalendarDate {
    int Year;
    int Month;
    double Day;
};

// Julian Day of a calendar date. Month and Day are not validated: a day past
// the end of the month runs on into the next. Meeus ch. 7, formula 7.1.
double JulianDay(const CalendarDate& date);

// The calendar date of Julian Day jd (jd >= 0): Meeus ch. 7, "Calculation
// of the calendar date from the JD" (Gregorian from 1582 October 15 on,
// Julian before). The inverse of JulianDay.
CalendarDate CalendarDateOf(double jd);

// Julian centuries of 36525 days since J2000.0 (JD 2451545.0) for Julian Day jd.
double JulianCenturies(double jd);

// Delta T = TD - UT in seconds for T (Julian centuries since J2000.0).
// 1620..2000: interpolation in the table of Meeus ch. 10 (every second year,
// 1992..2000 extrapolated from 1990..1992); after 2000 and before 1620 the
// quadratics of Meeus ch. 10 (102.3 + 123.5 T + 32.5 T^2; 50.6 + 67.5 T +
// 22.5 T^2 from 948; 2715.6 + 573.36 T + 46.5 T^2 before 948).
double DeltaT(double T);

// The Delta T table in units of 0.1 s for 1620, 1622, ... 1992 (187 entries).
std::span<const int> DeltaTTable();

// Horner evaluation of c[0] + c[1] x + ... + c[degree] x^degree.
// c must hold degree + 1 entries; degree >= 0. For degree 0, x is not read.
double Polynomial(const double c[], int degree, double x);

// x truncated toward zero (2.7 -> 2.0, -2.7 -> -2.0).
double IntegerPart(double x);

// Angle x (radians) reduced to 0 <= result < 2 pi.
double NormalizeAngle(double x);

}  // namespace kelvo
