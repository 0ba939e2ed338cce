#include "Moon.h"

#include <cmath>

#include "Calendar.h"
#include "Constants.h"

namespace kelvo {

namespace {

// Argument polynomials, degrees, coefficients of T^0..T^4 (Meeus 1st ed.,
// 47.1-47.5; see Moon.h).
constexpr double kMeanLongitude[5] = {218.3164591, 481267.88134236, -0.0013268, 1.855835e-06,
                                      1.53388e-08};
constexpr double kElongation[5] = {297.8502042, 445267.1115168, -0.00163, 1.831945e-06,
                                   8.84447e-06};
constexpr double kSunAnomaly[4] = {357.5291092, 35999.0502909, -0.0001536, 4.083299e-08};
constexpr double kMoonAnomaly[5] = {134.9634114, 477198.8676313, 0.008997, 1.434741e-05,
                                    6.79717e-08};
constexpr double kLatitudeArgument[5] = {93.2720993, 483202.0175273, -0.0034029, 2.836075e-07,
                                         1.15833e-09};

// Meeus table 47.A.
constexpr LongitudeDistanceRow kLongitudeDistance[60] = {
    {0, 0, 1, 0, 6.288774, -20905.355},
    {2, 0, -1, 0, 1.274027, -3699.111},
    {2, 0, 0, 0, 0.658314, -2955.968},
    {0, 0, 2, 0, 0.213618, -569.925},
    {0, 1, 0, 0, -0.185116, 48.888},
    {0, 0, 0, 2, -0.114332, -3.149},
    {2, 0, -2, 0, 0.058793, 246.158},
    {2, -1, -1, 0, 0.057066, -152.138},
    {2, 0, 1, 0, 0.053322, -170.733},
    {2, -1, 0, 0, 0.045758, -204.586},
    {0, 1, -1, 0, -0.040923, -129.62},
    {1, 0, 0, 0, -0.03472, 108.743},
    {0, 1, 1, 0, -0.030383, 104.755},
    {2, 0, 0, -2, 0.015327, 10.321},
    {0, 0, 1, 2, -0.012528, 0},
    {0, 0, 1, -2, 0.01098, 79.661},
    {4, 0, -1, 0, 0.010675, -34.782},
    {0, 0, 3, 0, 0.010034, -23.21},
    {4, 0, -2, 0, 0.008548, -21.636},
    {2, 1, -1, 0, -0.007888, 24.208},
    {2, 1, 0, 0, -0.006766, 30.824},
    {1, 0, -1, 0, -0.005163, -8.379},
    {1, 1, 0, 0, 0.004987, -16.675},
    {2, -1, 1, 0, 0.004036, -12.831},
    {2, 0, 2, 0, 0.003994, -10.445},
    {4, 0, 0, 0, 0.003861, -11.65},
    {2, 0, -3, 0, 0.003665, 14.403},
    {0, 1, -2, 0, -0.002689, -7.003},
    {2, 0, -1, 2, -0.002602, 0},
    {2, -1, -2, 0, 0.00239, 10.056},
    {1, 0, 1, 0, -0.002348, 6.322},
    {2, -2, 0, 0, 0.002236, -9.884},
    {0, 1, 2, 0, -0.00212, 5.751},
    {0, 2, 0, 0, -0.002069, 0},
    {2, -2, -1, 0, 0.002048, -4.95},
    {2, 0, 1, -2, -0.001773, 4.13},
    {2, 0, 0, 2, -0.001595, 0},
    {4, -1, -1, 0, 0.001215, -3.958},
    {0, 0, 2, 2, -0.00111, 0},
    {3, 0, -1, 0, -0.000892, 3.258},
    {2, 1, 1, 0, -0.00081, 2.616},
    {4, -1, -2, 0, 0.000759, -1.897},
    {0, 2, -1, 0, -0.000713, -2.117},
    {2, 2, -1, 0, -0.0007, 2.354},
    {2, 1, -2, 0, 0.000691, 0},
    {2, -1, 0, -2, 0.000596, 0},
    {4, 0, 1, 0, 0.000549, -1.423},
    {0, 0, 4, 0, 0.000537, -1.117},
    {4, -1, 0, 0, 0.00052, -1.571},
    {1, 0, -2, 0, -0.000487, -1.739},
    {2, 1, 0, -2, -0.000399, 0},
    {0, 0, 2, -2, -0.000381, -4.421},
    {1, 1, 1, 0, 0.000351, 0},
    {3, 0, -2, 0, -0.00034, 0},
    {4, 0, -3, 0, 0.00033, 0},
    {2, -1, 2, 0, 0.000327, 0},
    {0, 2, 1, 0, -0.000323, 1.165},
    {1, 1, -1, 0, 0.000299, 0},
    {2, 0, 3, 0, 0.000294, 0},
    {2, 0, -1, -2, 0, 8.752},
};

// Meeus table 47.B.
constexpr LatitudeRow kLatitude[60] = {
    {0, 0, 0, 1, 5.128122},
    {0, 0, 1, 1, 0.280602},
    {0, 0, 1, -1, 0.277693},
    {2, 0, 0, -1, 0.173237},
    {2, 0, -1, 1, 0.055413},
    {2, 0, -1, -1, 0.046271},
    {2, 0, 0, 1, 0.032573},
    {0, 0, 2, 1, 0.017198},
    {2, 0, 1, -1, 0.009266},
    {0, 0, 2, -1, 0.008822},
    {2, -1, 0, -1, 0.008216},
    {2, 0, -2, -1, 0.004324},
    {2, 0, 1, 1, 0.0042},
    {2, 1, 0, -1, -0.003359},
    {2, -1, -1, 1, 0.002463},
    {2, -1, 0, 1, 0.002211},
    {2, -1, -1, -1, 0.002065},
    {0, 1, -1, -1, -0.00187},
    {4, 0, -1, -1, 0.001828},
    {0, 1, 0, 1, -0.001794},
    {0, 0, 0, 3, -0.001749},
    {0, 1, -1, 1, -0.001565},
    {1, 0, 0, 1, -0.001491},
    {0, 1, 1, 1, -0.001475},
    {0, 1, 1, -1, -0.00141},
    {0, 1, 0, -1, -0.001344},
    {1, 0, 0, -1, -0.001335},
    {0, 0, 3, 1, 0.001107},
    {4, 0, 0, -1, 0.001021},
    {4, 0, -1, 1, 0.000833},
    {0, 0, 1, -3, 0.000777},
    {4, 0, -2, 1, 0.000671},
    {2, 0, 0, -3, 0.000607},
    {2, 0, 2, -1, 0.000596},
    {2, -1, 1, -1, 0.000491},
    {2, 0, -2, 1, -0.000451},
    {0, 0, 3, -1, 0.000439},
    {2, 0, 2, 1, 0.000422},
    {2, 0, -3, -1, 0.000421},
    {2, 1, -1, 1, -0.000366},
    {2, 1, 0, 1, -0.000351},
    {4, 0, 0, 1, 0.000331},
    {2, -1, 1, 1, 0.000315},
    {2, -2, 0, -1, 0.000302},
    {0, 0, 1, 3, -0.000283},
    {2, 1, 1, -1, -0.000229},
    {1, 1, 0, 1, 0.000223},
    {1, 1, 0, -1, 0.000223},
    {0, 1, -2, -1, -0.00022},
    {2, 1, -1, -1, -0.00022},
    {1, 0, 1, 1, -0.000185},
    {2, -1, -2, -1, 0.000181},
    {0, 1, 2, 1, -0.000177},
    {4, 0, -2, -1, 0.000176},
    {4, -1, -1, -1, 0.000166},
    {1, 0, 1, -1, -0.000164},
    {4, 0, 1, -1, 0.000132},
    {1, 0, -1, -1, -0.000119},
    {4, -1, 0, -1, 0.000115},
    {2, -2, 0, 1, 0.000107},
};

double Angle(const double c[], int degree, double T) {
    return NormalizeAngle(Polynomial(c, degree, T) * DegToRad);
}

// E for |M multiplier| 1, E^2 for 2, 1 otherwise.
double EccentricityFactor(int m, const LunarArguments& a) {
    if (m == 1 || m == -1) return a.E;
    if (m == 2 || m == -2) return a.E2;
    return 1.0;
}

double Argument(int d, int m, int mp, int f, const LunarArguments& a) {
    return d * a.D + m * a.M + mp * a.Mp + f * a.F;
}

}  // namespace

std::span<const LongitudeDistanceRow> MoonLongitudeDistanceTerms() { return kLongitudeDistance; }
std::span<const LatitudeRow> MoonLatitudeTerms() { return kLatitude; }

void MoonArguments(double T, double& D, double& M, double& Mp, double& F, double& E) {
    D = Angle(kElongation, 4, T);
    M = Angle(kSunAnomaly, 3, T);
    Mp = Angle(kMoonAnomaly, 4, T);
    F = Angle(kLatitudeArgument, 4, T);
    E = 1.0 - T * (0.002516 + 0.0000074 * T);
}

double MoonLongitudeSum(const LunarArguments& a) {
    double sum = 0.0;
    for (const auto& r : kLongitudeDistance) {
        if (r.longitude == 0.0) continue;
        sum += r.longitude * EccentricityFactor(r.m, a) * std::sin(Argument(r.d, r.m, r.mp, r.f, a));
    }
    return sum;
}

double MoonLatitudeSum(const LunarArguments& a) {
    double sum = 0.0;
    for (const auto& r : kLatitude)
        sum += r.latitude * EccentricityFactor(r.m, a) * std::sin(Argument(r.d, r.m, r.mp, r.f, a));
    return sum;
}

double MoonDistanceSum(const LunarArguments& a) {
    double sum = 0.0;
    for (const auto& r : kLongitudeDistance) {
        if (r.distance == 0.0) continue;
        sum += r.distance * EccentricityFactor(r.m, a) * std::cos(Argument(r.d, r.m, r.mp, r.f, a));
    }
    return sum;
}

void MoonPosition(double T, SphericalCoords& result) {
    const double Lp = Angle(kMeanLongitude, 4, T);
    LunarArguments a{};
    MoonArguments(T, a.D, a.M, a.Mp, a.F, a.E);
    a.E2 = a.E * a.E;

    const double A1 = (119.75 + 131.849 * T) * DegToRad;
    const double A2 = (53.09 + 479264.29 * T) * DegToRad;
    const double A3 = (313.45 + 481266.484 * T) * DegToRad;

    const double sumL = MoonLongitudeSum(a) + 0.003958 * std::sin(A1) +
                        0.001962 * std::sin(Lp - a.F) + 0.000318 * std::sin(A2);
    const double sumB = MoonLatitudeSum(a) - 0.002235 * std::sin(Lp) + 0.000382 * std::sin(A3) +
                        0.00035 * std::sin(A1) * std::cos(a.F) + 0.000127 * std::sin(Lp - a.Mp) -
                        0.000115 * std::sin(Lp + a.Mp);
    const double sumR = MoonDistanceSum(a);

    // Lp lies in 0..2 pi and the periodic terms within +-7 deg, so one turn
    // at most brings a negative sum back.
    double lambda = Lp + sumL * DegToRad;
    if (lambda < 0.0) lambda += TwoPi;
    result.Longitude = lambda;
    result.Latitude = sumB * DegToRad;
    result.Radius = 385000.56 + sumR;
}

}  // namespace kelvo
