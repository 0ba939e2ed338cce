#include "Coordinates.h"
#include "Ephemeris.h"

namespace kelvo {

void FixstarEphemeris(double longitude, double latitude, double timeZone, double /*height*/,
                      int year, int month, int day, double hours, double rightAscension,
                      double declination, double& lst, double& azimuth, double& elevation,
                      double& julianDate) {
    EphemerisPreamble p{};
    EphemerisPreambleSteps(longitude, latitude, timeZone, year, month, day, hours, false, false, p,
                           lst, julianDate);
    HorizontalPlace(rightAscension, declination, p.theta, p.phi, 0.0, azimuth, elevation);
}

}  // namespace kelvo
