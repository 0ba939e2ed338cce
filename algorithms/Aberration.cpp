#include "Aberration.h"

#include <cmath>

#include "Constants.h"

namespace kelvo {

void SunTrueLongitude(double T, double& longitude, double& eccentricity) {
    const double L0 = ((0.0003032 * T + 36000.76983) * T + 280.46646) * DegToRad;
    const double M = ((35999.05028 - 0.0001561 * T) * T + 357.5291) * DegToRad;
    const double e = 0.016708617 - T * (0.00004204 + 0.0000001236 * T);
    eccentricity = e;
    const double e2 = e * e;
    const double q = std::sin(M) * ((2.0 - 0.25 * e2) * e) + std::sin(2.0 * M) * (1.25 * e2) +
                     std::sin(3.0 * M) * (1.0833333333 * e * e2);
    longitude = L0 + q;
}

void AberrationEquatorial(double T, double eps, double& alpha, double& delta) {
    const double cosE = std::cos(eps);
    const double sinE = std::sin(eps);
    const double cosA = std::cos(alpha);
    const double sinA = std::sin(alpha);
    const double cosD = std::cos(delta);
    const double sinD = std::sin(delta);

    double sun = 0.0;
    double e = 0.0;
    SunTrueLongitude(T, sun, e);
    double c = std::cos(sun);
    double s = std::sin(sun);
    const double perihelion = ((0.00046 * T + 1.71954) * T + 102.93735) * DegToRad;
    c = c - e * std::cos(perihelion);
    s = s - e * std::sin(perihelion);

    constexpr double k = ConstantOfAberration;
    // No direction of right ascension at the pole: leave alpha alone there.
    if (std::fabs(cosD) > 1e-12) alpha = alpha - k * (cosA * c * cosE + sinA * s) / cosD;
    delta = delta - k * ((sinE * cosD - sinA * sinD * cosE) * c + cosA * sinD * s);
}

}  // namespace kelvo
