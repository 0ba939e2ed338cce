#include "Nutation.h"

#include <cmath>

#include "Calendar.h"

namespace kelvo {

namespace {

constexpr double kDegree = 0.017453292519943295;     // radians per degree
constexpr double kArcSecond = 4.84813681109536e-06;  // radians per arc-second

// Fundamental arguments, degrees, coefficients of T^0..T^3 (Meeus ch. 22).
constexpr double kElongationD[4] = {297.8503631, 445267.11148, -0.0019142, 0.000005278};
constexpr double kSunAnomalyM[4] = {357.5277233, 35999.05034, -0.0001603, -0.00000333};
constexpr double kMoonAnomalyMp[4] = {134.9629814, 477198.8673981, 0.0086972, 0.00001778};
constexpr double kLatitudeF[4] = {93.2719103, 483202.0175381, -0.0036825, 0.000003056};
constexpr double kNodeOmega[4] = {125.0445222, -1934.1362608, 0.00207833, 0.00000222};

// Meeus table 22.A, in the order of the table.
constexpr NutationRow kNutationRows[63] = {
    {0,0,0,0,1, -17.1996, -0.01742, 9.2025, 0.00089},
    {-2,0,0,2,2, -1.3187, -0.00016, 0.5736, -0.00031},
    {0,0,0,2,2, -0.2274, -0.00002, 0.0977, -0.00005},
    {0,0,0,0,2, 0.2062, 0.00002, -0.0895, 0.00005},
    {0,1,0,0,0, 0.1426, -0.00034, 0.0054, -0.00001},
    {0,0,1,0,0, 0.0712, 0.00001, -0.0007, 0},
    {-2,1,0,2,2, -0.0517, 0.00012, 0.0224, -0.00006},
    {0,0,0,2,1, -0.0386, -0.00004, 0.02, 0},
    {0,0,1,2,2, -0.0301, 0, 0.0129, -0.00001},
    {-2,-1,0,2,2, 0.0217, -0.00005, -0.0095, 0.00003},
    {-2,0,1,0,0, -0.0158, 0, 0, 0},
    {-2,0,0,2,1, 0.0129, 0.00001, -0.007, 0},
    {0,0,-1,2,2, 0.0123, 0, -0.0053, 0},
    {2,0,0,0,0, 0.0063, 0, 0, 0},
    {0,0,1,0,1, 0.0063, 0.00001, -0.0033, 0},
    {2,0,-1,2,2, -0.0059, 0, 0.0026, 0},
    {0,0,-1,0,1, -0.0058, -0.00001, 0.0032, 0},
    {0,0,1,2,1, -0.0051, 0, 0.0027, 0},
    {-2,0,2,0,0, 0.0048, 0, 0, 0},
    {0,0,-2,2,1, 0.0046, 0, -0.0024, 0},
    {2,0,0,2,2, -0.0038, 0, 0.0016, 0},
    {0,0,2,2,2, -0.0031, 0, 0.0013, 0},
    {0,0,2,0,0, 0.0029, 0, 0, 0},
    {-2,0,1,2,2, 0.0029, 0, -0.0012, 0},
    {0,0,0,2,0, 0.0026, 0, 0, 0},
    {-2,0,0,2,0, -0.0022, 0, 0, 0},
    {0,0,-1,2,1, 0.0021, 0, -0.001, 0},
    {0,2,0,0,0, 0.0017, -0.00001, 0, 0},
    {2,0,-1,0,1, 0.0016, 0, -0.0008, 0},
    {-2,2,0,2,2, -0.0016, 0.00001, 0.0007, 0},
    {0,1,0,0,1, -0.0015, 0, 0.0009, 0},
    {-2,0,1,0,1, -0.0013, 0, 0.0007, 0},
    {0,-1,0,0,1, -0.0012, 0, 0.0006, 0},
    {0,0,2,-2,0, 0.0011, 0, 0, 0},
    {2,0,-1,2,1, -0.001, 0, 0.0005, 0},
    {2,0,1,2,2, -0.0008, 0, 0.0003, 0},
    {0,1,0,2,2, 0.0007, 0, -0.0003, 0},
    {-2,1,1,0,0, -0.0007, 0, 0, 0},
    {0,-1,0,2,2, -0.0007, 0, 0.0003, 0},
    {2,0,0,2,1, -0.0007, 0, 0.0003, 0},
    {2,0,1,0,0, 0.0006, 0, 0, 0},
    {-2,0,2,2,2, 0.0006, 0, -0.0003, 0},
    {-2,0,1,2,1, 0.0006, 0, -0.0003, 0},
    {2,0,-2,0,1, -0.0006, 0, 0.0003, 0},
    {2,0,0,0,1, -0.0006, 0, 0.0003, 0},
    {0,-1,1,0,0, 0.0005, 0, 0, 0},
    {-2,-1,0,2,1, -0.0005, 0, 0.0003, 0},
    {-2,0,0,0,1, -0.0005, 0, 0.0003, 0},
    {0,0,2,2,1, -0.0005, 0, 0.0003, 0},
    {0,0,-2,2,2, -0.0003, 0, 0, 0},
    {-2,0,2,0,1, 0.0004, 0, 0, 0},
    {-2,1,0,2,1, 0.0004, 0, 0, 0},
    {0,-1,1,2,2, -0.0003, 0, 0, 0},
    {2,-1,-1,2,2, -0.0003, 0, 0, 0},
    {0,0,3,2,2, -0.0003, 0, 0, 0},
    {2,-1,0,2,2, -0.0003, 0, 0, 0},
    {-1,-1,1,0,0, -0.0003, 0, 0, 0},
    {-1,0,1,0,0, -0.0004, 0, 0, 0},
    {-2,1,0,0,0, -0.0004, 0, 0, 0},
    {0,0,1,-2,0, 0.0004, 0, 0, 0},
    {1,0,0,0,0, -0.0004, 0, 0, 0},
    {0,1,1,0,0, -0.0003, 0, 0, 0},
    {0,0,1,2,0, 0.0003, 0, 0, 0},
};

// Mean obliquity, arc-seconds, coefficients of U^0..U^10 (Meeus 22.3).
constexpr double kObliquity[11] = {84381.448, -4680.93, -1.55,  1999.25, -51.38, -249.67,
                                   -39.05,    7.12,     27.87, 5.79,    2.45};

double Argument(const double c[4], double T) { return NormalizeAngle(Polynomial(c, 3, T) * kDegree); }

}  // namespace

std::span<const NutationRow> NutationRows() { return kNutationRows; }

void Nutation(double T, double& dpsi, double& deps) {
    const double D = Argument(kElongationD, T);
    const double M = Argument(kSunAnomalyM, T);
    const double Mp = Argument(kMoonAnomalyMp, T);
    const double F = Argument(kLatitudeF, T);
    const double Om = Argument(kNodeOmega, T);
    double sumPsi = 0.0;
    double sumEps = 0.0;
    for (const NutationRow& r : kNutationRows) {
        const double arg = r.d * D + r.m * M + r.mp * Mp + r.f * F + r.om * Om;
        sumPsi += (r.psi + r.psiT * T) * std::sin(arg);
        if (r.eps != 0.0 || r.epsT != 0.0) sumEps += (r.eps + r.epsT * T) * std::cos(arg);
    }
    dpsi = sumPsi * kArcSecond;
    deps = sumEps * kArcSecond;
}

double MeanObliquity(double T) {
    const double U = T * 0.01;
    return Polynomial(kObliquity, 10, U) * kArcSecond;
}

double MeanSiderealTime(double T) {
    constexpr double kInverse38710000 = 2.5833118057349522e-08;
    const double s = ((0.000387933 - T * kInverse38710000) * T + 13185000.770053742) * T;
    return NormalizeAngle((280.46061837 + s) * kDegree);
}

}  // namespace kelvo
