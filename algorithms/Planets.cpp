#include "Planets.h"

#include <cmath>

#include "Calendar.h"
#include "Constants.h"

namespace kelvo {

namespace {


// Meeus table 37.A.
constexpr PlutoRow kPluto[43] = {
    {0, 0, 1, -19798886, 19848454, -5453098, -14974876, 66867334, 68955876},
    {0, 0, 2, 897499, -4955707, 3527363, 1672673, -11826086, -333765},
    {0, 0, 3, 610820, 1210521, -1050939, 327763, 1593657, -1439953},
    {0, 0, 4, -341639, -189719, 178691, -291925, -18948, 482443},
    {0, 0, 5, 129027, -34863, 18763, 100448, -66634, -85576},
    {0, 0, 6, -38215, 31061, -30594, -25838, 30841, -5765},
    {0, 1, -1, 20349, -9886, 4965, 11263, -6140, 22254},
    {0, 1, 0, -4045, -4904, 310, -132, 4434, 4443},
    {0, 1, 1, -5885, -3238, 2036, -947, -1518, 641},
    {0, 1, 2, -3812, 3011, -2, -674, -5, 792},
    {0, 1, 3, -601, 3468, -329, -563, 518, 518},
    {0, 2, -2, 1237, 463, -64, 39, -13, -221},
    {0, 2, -1, 1086, -911, -94, 210, 837, -494},
    {0, 2, 0, 595, -1229, -8, -160, -281, 616},
    {1, -1, 0, 2484, -485, -177, 259, 260, -395},
    {1, -1, 1, 839, -1414, 17, 234, -191, -396},
    {1, 0, -3, -964, 1059, 582, -285, -3218, 370},
    {1, 0, -2, -2303, -1038, -298, 692, 8019, -7869},
    {1, 0, -1, 7049, 747, 157, 201, 105, 45637},
    {1, 0, 0, 1179, -358, 304, 825, 8623, 8444},
    {1, 0, 1, 393, -63, -124, -29, -896, -801},
    {1, 0, 2, 111, -268, 15, 8, 208, -122},
    {1, 0, 3, -52, -154, 7, 15, -133, 65},
    {1, 0, 4, -78, -30, 2, 2, -16, 1},
    {1, 1, -3, -34, -26, 4, 2, -22, 7},
    {1, 1, -2, -43, 1, 3, 0, -8, 16},
    {1, 1, -1, -15, 21, 1, -1, 2, 9},
    {1, 1, 0, -1, 15, 0, -2, 12, 5},
    {1, 1, 1, 4, 7, 1, 0, 1, -3},
    {1, 1, 3, 1, 5, 1, -1, 1, 0},
    {2, 0, -6, 8, 3, -2, -3, 9, 5},
    {2, 0, -5, -3, 6, 1, 2, 2, -1},
    {2, 0, -4, 6, -13, -8, 2, 14, 10},
    {2, 0, -3, 10, 22, 10, -7, -65, 12},
    {2, 0, -2, -57, -32, 0, 21, 126, -233},
    {2, 0, -1, 157, -46, 8, 5, 270, 1068},
    {2, 0, 0, 12, -18, 13, 16, 254, 155},
    {2, 0, 1, -4, 8, -2, -3, -26, -2},
    {2, 0, 2, -5, 0, 0, 0, 7, 0},
    {2, 0, 3, 3, 4, 0, 1, -11, 4},
    {3, 0, -2, -1, -1, 0, 1, 4, -14},
    {3, 0, -1, 6, -3, 0, 0, 18, 35},
    {3, 0, 0, -1, -2, 0, 1, 13, 3},
};

}  // namespace

std::span<const PlutoRow> PlutoTermTable() { return kPluto; }

void PlanetHeliocentric(const PlanetTerms& terms, int slot, double T, SphericalCoords& result) {
    const double tau = T * 0.1;
    double sums[3] = {0.0, 0.0, 0.0};
    if (slot >= 0 && slot < PlanetTermsSlots) {
        const TermsIndexRecord& record = terms.Index[slot];
        const SeriesTerm* run = terms.Run[slot].data();
        const int length = static_cast<int>(terms.Run[slot].size());
        int next = 0;  // the run is consumed strictly in block order
        for (int series = 0; series < 3; ++series) {
            double p = 1.0;
            for (int power = 0; power < 6; ++power) {
                const int count = record.Block[6 * series + power].Count;
                double block = 0.0;
                for (int k = 0; k < count && next < length; ++k, ++next) {
                    const SeriesTerm& t = run[next];
                    block += t.Amplitude * std::cos(t.Phase + t.Frequency * tau);
                }
                sums[series] += block * p;
                p *= tau;
            }
        }
    }
    const double L = NormalizeAngle(sums[0]);
    const double B = sums[1];
    const double R = sums[2];

    // Conversion to FK5 (Meeus 32.3).
    const double Lp = L - (1.397 + 0.00031 * T) * T * DegToRad;
    const double cosLp = std::cos(Lp);
    const double sinLp = std::sin(Lp);
    const double dL = (-0.09033 + 0.03916 * (cosLp + sinLp) * std::tan(B)) * ArcSecond;
    const double dB = 0.03916 * (cosLp - sinLp) * ArcSecond;
    result.Longitude = L + dL;
    result.Latitude = B + dB;
    result.Radius = R;
}

void PlutoHeliocentric(double T, SphericalCoords& result) {
    const double J = (34.35 + 3034.9057 * T) * DegToRad;
    const double S = (50.08 + 1222.1138 * T) * DegToRad;
    const double P = (238.96 + 144.96 * T) * DegToRad;
    double l = 0.0;
    double b = 0.0;
    double r = 0.0;
    for (const PlutoRow& row : kPluto) {
        const double a = row.j * J + row.s * S + row.p * P;
        const double sinA = std::sin(a);
        const double cosA = std::cos(a);
        l += row.lSin * sinA + row.lCos * cosA;
        b += row.bSin * sinA + row.bCos * cosA;
        r += row.rSin * sinA + row.rCos * cosA;
    }
    result.Longitude = NormalizeAngle((238.956785 + 144.96 * T + 0.000001 * l) * DegToRad);
    result.Latitude = (-3.908202 + 0.000001 * b) * DegToRad;
    result.Radius = 40.7247248 + 0.0000001 * r;
}

void HeliocentricPosition(const PlanetTerms& terms, int planet, double T,
                          SphericalCoords& result) {
    if (planet == 9)
        PlutoHeliocentric(T, result);
    else
        PlanetHeliocentric(terms, planet, T, result);
}

}  // namespace kelvo
