#include "Galactic.h"

#include <erfa.h>
#include <erfam.h>

#include "Constants.h"
#include "OfDate.h"

namespace kelvo {

void GalacticOf(double rightAscension, double declination, double& l, double& b) {
    eraIcrs2g(rightAscension, declination, &l, &b);
}

void B1950ToJ2000(double ra1950, double dec1950, double& ra2000, double& dec2000) {
    eraFk45z(ra1950, dec1950, 1950.0, &ra2000, &dec2000);
}

LsrCorrection LsrCorrectionOf(double rightAscension, double declination, double longitude,
                              double latitude, double height, double ut) {
    const TimeScales t = TimeScalesOf(ut);
    double n[3];
    eraS2c(rightAscension, declination, n);

    // The site's velocity in the celestial intermediate system, turned into
    // the GCRS by the inverse of the celestial-to-intermediate matrix.
    double x = 0.0, y = 0.0;
    eraXy06(J2000, t.Tt - J2000, &x, &y);
    const double s = eraS06(J2000, t.Tt - J2000, x, y);
    double rc2i[3][3];
    eraC2ixys(x, y, s, rc2i);
    double pv[2][3];
    eraPvtob(-longitude * DegToRad, latitude * DegToRad, height, 0.0, 0.0, 0.0,
             eraEra00(J2000, t.Ut1 - J2000), pv);
    double rotation[3];
    eraTrxp(rc2i, pv[1], rotation);  // m/s

    double pvh[2][3], pvb[2][3];
    eraEpv00(J2000, t.Tt - J2000, pvh, pvb);  // au/day
    constexpr double kAuPerDayToKms = ERFA_DAU / 1000.0 / 86400.0;

    double apexRa = 0.0, apexDec = 0.0;
    eraFk45z(18.0 * HourToRad, 30.0 * DegToRad, 1900.0, &apexRa, &apexDec);
    double apex[3];
    eraS2c(apexRa, apexDec, apex);

    LsrCorrection c{};
    c.Diurnal = eraPdp(rotation, n) / 1000.0;
    c.Annual = eraPdp(pvb[1], n) * kAuPerDayToKms;
    c.Solar = 20.0 * eraPdp(apex, n);
    c.Total = c.Diurnal + c.Annual + c.Solar;
    return c;
}

}  // namespace kelvo
