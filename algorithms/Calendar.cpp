#include "Calendar.h"

#include <cmath>

#include "Constants.h"

namespace kelvo {

namespace {

// Delta T in units of 0.1 s for 1620, 1622, ..., 1992 (Meeus ch. 10, table 10.A).
constexpr int kDeltaTTable[187] = {
    1240, 1150, 1060, 980, 910, 850, 790, 740, 700, 650, // 1620
    620, 580, 550, 530, 500, 480, 460, 440, 420, 400, // 1640
    370, 350, 330, 310, 280, 260, 240, 220, 200, 180, // 1660
    160, 140, 130, 120, 110, 100, 90, 90, 90, 90, // 1680
    90, 90, 90, 90, 100, 100, 100, 100, 100, 110, // 1700
    110, 110, 110, 110, 110, 110, 110, 120, 120, 120, // 1720
    120, 120, 130, 130, 130, 130, 140, 140, 140, 150, // 1740
    150, 150, 150, 160, 160, 160, 160, 160, 170, 170, // 1760
    170, 170, 170, 170, 170, 170, 160, 160, 150, 140, // 1780
    137, 131, 127, 125, 125, 125, 125, 125, 125, 123, // 1800
    120, 114, 106, 96, 86, 75, 66, 60, 57, 56, // 1820
    57, 59, 62, 65, 68, 71, 73, 75, 77, 78, // 1840
    79, 75, 64, 54, 29, 16, -10, -27, -36, -47, // 1860
    -54, -52, -55, -56, -58, -59, -62, -64, -61, -47, // 1880
    -27, 0, 26, 54, 77, 105, 134, 160, 182, 202, // 1900
    212, 224, 235, 239, 243, 240, 239, 239, 237, 240, // 1920
    243, 253, 262, 273, 282, 291, 300, 307, 314, 322, // 1940
    331, 340, 350, 365, 383, 402, 422, 445, 465, 485, // 1960
    505, 522, 538, 549, 558, 569, 580, // 1980
};

}  // namespace

std::span<const int> DeltaTTable() { return kDeltaTTable; }

double IntegerPart(double x) { return std::trunc(x); }

double JulianDay(const CalendarDate& date) {
    int y = date.Year;
    int m = date.Month;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    const int a = y / 100;  // integer division truncates toward zero
    const bool gregorian =
        date.Year > 1582 ||
        (date.Year == 1582 && (date.Month > 10 || (date.Month == 10 && date.Day > 4.0)));
    const int b = gregorian ? 2 - a + a / 4 : 0;
    return IntegerPart(30.6001 * (m + 1)) + IntegerPart(365.25 * (y + 4716)) + date.Day + b -
           1524.5;
}

CalendarDate CalendarDateOf(double jd) {
    const double z = std::floor(jd + 0.5);
    const double f = jd + 0.5 - z;
    double a = z;
    if (z >= 2299161.0) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1.0 + alpha - std::floor(alpha / 4.0);
    }
    const double b = a + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    const int month = static_cast<int>(e < 14.0 ? e - 1.0 : e - 13.0);
    const int year = static_cast<int>(month > 2 ? c - 4716.0 : c - 4715.0);
    return {year, month, b - d - std::floor(30.6001 * e) + f};
}

double JulianCenturies(double jd) {
    constexpr double kInverseCentury = 1.0 / DaysPerJulianCentury;
    return (jd - J2000) * kInverseCentury;
}

double DeltaT(double T) {
    const double year = 100.0 * T + 2000.0;
    if (year > 2000.0) return (32.5 * T + 123.5) * T + 102.3;
    if (year >= 1620.0) {
        int i = static_cast<int>((year - 1620.0) * 0.5);
        if (i > 185) i = 185;
        const double f = year * 0.5 - i - 810.0;
        const int difference = kDeltaTTable[i + 1] - kDeltaTTable[i];
        return (kDeltaTTable[i] + difference * f) * 0.1;
    }
    if (year >= 948.0) return (22.5 * T + 67.5) * T + 50.6;
    return (46.5 * T + 573.36) * T + 2715.6;
}

double Polynomial(const double c[], int degree, double x) {
    double r = c[degree];
    for (int k = degree - 1; k >= 0; --k) r = r * x + c[k];
    return r;
}

double NormalizeAngle(double x) {
    double r = x - std::floor(x * InverseTwoPi) * TwoPi;
    // A tiny negative x gives floor = -1 and a result that rounds up to 2 pi
    // exactly; keep the promised half-open range.
    if (r >= TwoPi) r -= TwoPi;
    return r;
}

}  // namespace kelvo
