#include "Calendar.h"
#include "Coordinates.h"
#include "DriverSteps.h"
#include "Ephemeris.h"
#include "EphemerisConstants.h"
#include "Nutation.h"
#include "OfDate.h"

#include <cmath>

namespace kelvo {

void EphemerisPreambleSteps(double longitude, double latitude, double timeZone, int year,
                            int month, int day, double hours, bool withDeltaT,
                            bool obliquityJ2000, EphemerisPreamble& p, double& lst,
                            double& julianDate, bool ofDate) {
    constexpr double kHoursToDays = 0.041666666666666664;
    const double z = timeZone * kHoursToDays;
    const CalendarDate date{year, month, day + hours * kHoursToDays};
    const double jd = JulianDay(date);
    julianDate = jd;
    EphemerisPreambleAt(jd + z, longitude, latitude, withDeltaT, obliquityJ2000, ofDate, p);
    lst = p.theta;
}

void EphemerisPreambleAt(double ut, double longitude, double latitude, bool withDeltaT,
                         bool obliquityJ2000, bool ofDate, EphemerisPreamble& p) {
    using C = EphemerisConstants;
    p.lambda = longitude * C::DegToRad;
    p.phi = latitude * C::DegToRad;
    p.ut = ut;
    p.T = JulianCenturies(p.ut);
    // TT - UT: of date from the leap-second table (Delta T before 1960),
    // otherwise Meeus' Delta T.
    const double ttMinusUt = !withDeltaT ? 0.0
                             : ofDate    ? TimeScalesOf(p.ut).TtMinusUt1
                                         : DeltaT(p.T);
    p.TE = withDeltaT ? p.T + ttMinusUt * C::SecondsToCenturies : p.T;
    p.eps0 = obliquityJ2000 ? C::ObliquityJ2000 : MeanObliquity(p.T);
    Nutation(p.T, p.dpsi, p.deps);
    p.theta = LocalSiderealAngle(MeanSiderealTime(p.T), p.dpsi * std::cos(p.eps0), p.lambda);
}

double LocalSiderealAngle(double theta0, double equationOfEquinoxes, double lambda) {
    using C = EphemerisConstants;
    double theta = theta0 + equationOfEquinoxes - lambda;
    // Into 0..2 pi in constant time, also for a longitude far outside +-180
    // deg (a damaged site file). fmod is exact; for |theta| up to 4 pi it
    // gives theta -+ 2 pi to the last bit, as the old step by step reduction
    // did, so ordinary sites keep their values exactly.
    if (std::fabs(theta) > C::TwoPi) theta = std::fmod(theta, C::TwoPi);
    if (theta < 0.0) theta += C::TwoPi;
    if (theta > C::TwoPi) theta -= C::TwoPi;
    return theta;
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

PlaceStatus CallEphemerisDriver(const EphemerisRequest& r, int year, int month, int day,
                                double hours, double& lst, double& azimuth, double& elevation,
                                double& rightAscension, double& declination, double& julianDate) {
    static const TermsSource workingDirectory{};
    switch (r.kind) {
        case SourceKind::Planet:
            return PlanetEphemeris(r.terms ? *r.terms : workingDirectory, r.longitude, r.latitude,
                                   r.timeZone, r.height, r.planet, year, month, day, hours, lst,
                                   azimuth, elevation, rightAscension, declination, julianDate,
                                   r.ofDate);
        case SourceKind::Moon:
            MoonEphemeris(r.longitude, r.latitude, r.timeZone, r.height, year, month, day, hours,
                          lst, azimuth, elevation, rightAscension, declination, julianDate,
                          r.ofDate);
            break;
        case SourceKind::Fixstar:
            if (!r.ofDate) {
                FixstarEphemeris(r.longitude, r.latitude, r.timeZone, r.height, year, month, day,
                                 hours, rightAscension, declination, lst, azimuth, elevation,
                                 julianDate);
            } else {
                PlaceStatus s;
                FixstarEphemerisOfDate(r.longitude, r.latitude, r.timeZone, r.height, year, month,
                                       day, hours, rightAscension, declination, lst, azimuth,
                                       elevation, julianDate, s.ApparentRa, s.ApparentDec);
                return s;
            }
            break;
    }
    return {};
}

}  // namespace kelvo
