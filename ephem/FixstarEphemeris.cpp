#include "Coordinates.h"
#include "Ephemeris.h"
#include "EphemerisConstants.h"

namespace kelvo {

void FixstarEphemeris(double longitude, double latitude, double timeZone, double /*height*/,
                      int year, int month, int day, double hours, double rightAscension,
                      double declination, double& lst, double& azimuth, double& elevation,
                      double& julianDate) {
    using C = EphemerisConstants;
    EphemerisPreamble p{};
    EphemerisPreambleSteps(longitude, latitude, timeZone, year, month, day, hours, false, false, p,
                           lst, julianDate);
    double A = 0.0;
    double h = 0.0;
    EquatorialToHorizontal(rightAscension, declination, p.theta, p.phi, A, h);
    const double R = h > 0.0 ? Refraction(h) : 0.0;
    azimuth = A * C::RadToDeg + 180.0;
    elevation = (h + R) * C::RadToDeg;
}

}  // namespace kelvo
