#include "OfDate.h"

#include <erfa.h>

#include <cmath>

#include "Calendar.h"
#include "Constants.h"
#include "EphemerisConstants.h"

namespace kelvo {

TimeScales TimeScalesOf(double ut) {
    TimeScales t{ut, ut, 0.0, false};
    int year = 0, month = 0, day = 0;
    double fraction = 0.0;
    double taiMinusUtc = 0.0;
    // eraDat warns of a year before 1960 (no UTC) and of one past its table
    // (the last value stays in force): only the first leaves the table.
    if (std::isfinite(ut) && eraJd2cal(ut, 0.0, &year, &month, &day, &fraction) == 0 &&
        year >= 1960 && eraDat(year, month, day, fraction, &taiMinusUtc) >= 0) {
        t.TtMinusUt1 = taiMinusUtc + 32.184;
        t.FromLeapSeconds = true;
    } else {
        t.TtMinusUt1 = DeltaT(JulianCenturies(ut));
    }
    t.Tt = ut + t.TtMinusUt1 / 86400.0;
    return t;
}

void ObservedPlaceOfDate(double rightAscension, double declination, double longitude,
                         double latitude, double height, double ut, double& azimuth,
                         double& elevation, double& apparentRa, double& apparentDec) {
    const TimeScales t = TimeScalesOf(ut);
    // Two-part dates about J2000.0 keep the resolution.
    const double tt1 = J2000, tt2 = t.Tt - J2000;
    double pvh[2][3], pvb[2][3];
    eraEpv00(tt1, tt2, pvh, pvb);
    double rnpb[3][3];
    eraPnm06a(tt1, tt2, rnpb);
    double x = 0.0, y = 0.0;
    eraBpn2xy(rnpb, &x, &y);
    const double s = eraS06(tt1, tt2, x, y);
    const double theta = eraEra00(J2000, t.Ut1 - J2000);
    eraASTROM astrom{};
    eraApco(tt1, tt2, pvb, pvh[0], x, y, s, theta, -longitude * DegToRad, latitude * DegToRad,
            height, 0.0, 0.0, 0.0, 0.0, 0.0, &astrom);
    double ri = 0.0, di = 0.0;
    eraAtciq(rightAscension, declination, 0.0, 0.0, 0.0, 0.0, &astrom, &ri, &di);
    double aob = 0.0, zob = 0.0, hob = 0.0, dob = 0.0, rob = 0.0;
    eraAtioq(ri, di, &astrom, &aob, &zob, &hob, &dob, &rob);
    azimuth = aob * RadToDeg;
    elevation = 90.0 - zob * RadToDeg;
    // From the CIO to the equinox: alpha(equinox) = alpha(CIO) - EO.
    apparentRa = eraAnp(rob - eraEors(rnpb, s));
    apparentDec = dob;
}

void ToTrueEquatorOfDate(double tt, double& alpha, double& delta) {
    double rnpb[3][3];
    eraPnm06a(J2000, tt - J2000, rnpb);
    double p[3], q[3];
    eraS2c(alpha, delta, p);
    eraRxp(rnpb, p, q);
    eraC2s(q, &alpha, &delta);
    alpha = eraAnp(alpha);
}

}  // namespace kelvo
