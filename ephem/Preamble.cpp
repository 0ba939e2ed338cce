#include "Calendar.h"
#include "Coordinates.h"
#include "Ephemeris.h"
#include "EphemerisConstants.h"
#include "Nutation.h"

#include <cmath>

namespace kelvo {

void EphemerisPreambleSteps(double longitude, double latitude, double timeZone, int year,
                            int month, int day, double hours, bool withDeltaT,
                            bool obliquityJ2000, EphemerisPreamble& p, double& lst,
                            double& julianDate) {
    using C = EphemerisConstants;
    constexpr double kHoursToDays = 0.041666666666666664;
    p.lambda = longitude * C::DegToRad;
    p.phi = latitude * C::DegToRad;
    const double z = timeZone * kHoursToDays;
    const CalendarDate date{year, month, day + hours * kHoursToDays};
    const double jd = JulianDay(date);
    julianDate = jd;
    p.T = JulianCenturies(jd + z);
    p.TE = withDeltaT ? p.T + DeltaT(p.T) * C::SecondsToCenturies : p.T;
    p.eps0 = obliquityJ2000 ? C::ObliquityJ2000 : MeanObliquity(p.T);
    Nutation(p.T, p.dpsi, p.deps);
    const double theta0 = MeanSiderealTime(p.T);
    double theta = theta0 + p.dpsi * std::cos(p.eps0) - p.lambda;
    while (theta < 0.0) theta += C::TwoPi;
    while (theta > C::TwoPi) theta -= C::TwoPi;
    p.theta = theta;
    lst = theta;
}

void HorizontalPlace(double alpha, double delta, double theta, double phi, double refractionAbove,
                     double& azimuth, double& elevation) {
    using C = EphemerisConstants;
    double A = 0.0;
    double h = 0.0;
    EquatorialToHorizontal(alpha, delta, theta, phi, A, h);
    const double R = h > refractionAbove ? Refraction(h) : 0.0;
    azimuth = A * C::RadToDeg + 180.0;
    elevation = (h + R) * C::RadToDeg;
}

void CallEphemerisDriver(const EphemerisRequest& r, int year, int month, int day, double hours,
                         double& lst, double& azimuth, double& elevation, double& rightAscension,
                         double& declination, double& julianDate) {
    static const TermsSource workingDirectory{};
    switch (r.kind) {
        case SourceKind::Planet:
            PlanetEphemeris(r.terms ? *r.terms : workingDirectory, r.longitude, r.latitude,
                            r.timeZone, r.height, r.planet, year, month, day, hours, lst, azimuth,
                            elevation, rightAscension, declination, julianDate);
            break;
        case SourceKind::Moon:
            MoonEphemeris(r.longitude, r.latitude, r.timeZone, r.height, year, month, day, hours,
                          lst, azimuth, elevation, rightAscension, declination, julianDate);
            break;
        case SourceKind::Fixstar:
            FixstarEphemeris(r.longitude, r.latitude, r.timeZone, r.height, year, month, day,
                             hours, rightAscension, declination, lst, azimuth, elevation,
                             julianDate);
            break;
    }
}

}  // namespace kelvo
