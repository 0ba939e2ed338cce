#include "Constants.h"
#include "Coordinates.h"
#include "DriverSteps.h"
#include "Ephemeris.h"
#include "OfDate.h"

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

void FixstarEphemerisOfDate(double longitude, double latitude, double timeZone, double height,
                            int year, int month, int day, double hours, double rightAscension,
                            double declination, double& lst, double& azimuth, double& elevation,
                            double& julianDate, double& apparentRa, double& apparentDec) {
    EphemerisPreamble p{};
    EphemerisPreambleSteps(longitude, latitude, timeZone, year, month, day, hours, false, false, p,
                           lst, julianDate);
    FixstarOfDateAt(p.ut, longitude, latitude, height, rightAscension, declination, azimuth,
                    elevation, apparentRa, apparentDec);
}

void FixstarOfDateAt(double ut, double longitude, double latitude, double height,
                     double rightAscension, double declination, double& azimuth,
                     double& elevation, double& apparentRa, double& apparentDec) {
    double airless = 0.0;
    ObservedPlaceOfDate(rightAscension, declination, longitude, latitude, height, ut, azimuth,
                        airless, apparentRa, apparentDec);
    // The refraction of the fixed-source driver, with its threshold.
    const double h = airless * DegToRad;
    elevation = (h > 0.0 ? h + Refraction(h) : h) * RadToDeg;
}

}  // namespace kelvo
