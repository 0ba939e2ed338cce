#include "OfDate.h"

#include <erfa.h>

#include <cmath>
#include <limits>

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

namespace {

// The slowly varying, star- and site-independent parts of a place of date:
// the CIP X, Y, the CIO locator s, the equation of the origins and the
// Earth's heliocentric and barycentric position and velocity. They cost
// about 45 us (the 1365 terms of the IAU 2000A nutation among them).
struct SlowParts {
    double x, y, s, eo;
    double pvh[2][3], pvb[2][3];
};

SlowParts SlowPartsAt(double tt) {
    SlowParts p{};
    // Two-part dates about J2000.0 keep the resolution.
    const double tt1 = J2000, tt2 = tt - J2000;
    eraEpv00(tt1, tt2, p.pvh, p.pvb);
    double rnpb[3][3];
    eraPnm06a(tt1, tt2, rnpb);
    eraBpn2xy(rnpb, &p.x, &p.y);
    p.s = eraS06(tt1, tt2, p.x, p.y);
    p.eo = eraEors(rnpb, p.s);
    return p;
}

// The slow parts at tt, interpolated linearly between whole hours of TT.
// Over an hour the fastest of them (the 13.66-day nutation term, 0.23") is
// a straight line to within 1e-5", the annual aberration to within 1e-6":
// the interpolation costs nothing in accuracy and makes a call about ten
// times cheaper, since the two hours about an instant are kept per thread
// and a sweep forward computes each hour once.
SlowParts SlowPartsInterpolated(double tt) {
    thread_local double hour = std::numeric_limits<double>::quiet_NaN();
    thread_local SlowParts a{}, b{};
    const double hours = (tt - J2000) * 24.0;
    const double h = std::floor(hours);
    if (!(h == hour)) {
        a = h == hour + 1.0 ? b : SlowPartsAt(J2000 + h / 24.0);
        b = SlowPartsAt(J2000 + (h + 1.0) / 24.0);
        hour = h;
    }
    const double f = hours - h, g = 1.0 - f;
    SlowParts p{};
    p.x = g * a.x + f * b.x;
    p.y = g * a.y + f * b.y;
    p.s = g * a.s + f * b.s;
    p.eo = g * a.eo + f * b.eo;
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k < 3; ++k) {
            p.pvh[i][k] = g * a.pvh[i][k] + f * b.pvh[i][k];
            p.pvb[i][k] = g * a.pvb[i][k] + f * b.pvb[i][k];
        }
    return p;
}

}  // namespace

void ObservedPlaceOfDate(double rightAscension, double declination, double longitude,
                         double latitude, double height, double ut, double& azimuth,
                         double& elevation, double& apparentRa, double& apparentDec) {
    const TimeScales t = TimeScalesOf(ut);
    SlowParts slow = SlowPartsInterpolated(t.Tt);
    const double theta = eraEra00(J2000, t.Ut1 - J2000);
    eraASTROM astrom{};
    eraApco(J2000, t.Tt - J2000, slow.pvb, slow.pvh[0], slow.x, slow.y, slow.s, theta,
            -longitude * DegToRad, latitude * DegToRad, height, 0.0, 0.0, 0.0, 0.0, 0.0, &astrom);
    double ri = 0.0, di = 0.0;
    eraAtciq(rightAscension, declination, 0.0, 0.0, 0.0, 0.0, &astrom, &ri, &di);
    double aob = 0.0, zob = 0.0, hob = 0.0, dob = 0.0, rob = 0.0;
    eraAtioq(ri, di, &astrom, &aob, &zob, &hob, &dob, &rob);
    azimuth = aob * RadToDeg;
    elevation = 90.0 - zob * RadToDeg;
    // From the CIO to the equinox: alpha(equinox) = alpha(CIO) - EO.
    apparentRa = eraAnp(rob - slow.eo);
    apparentDec = dob;
}

namespace {

// Turns a direction by the precession-nutation matrix of tt, or back.
void TurnByPrecessionNutation(double tt, bool back, double& alpha, double& delta) {
    double rnpb[3][3];
    eraPnm06a(J2000, tt - J2000, rnpb);
    double p[3], q[3];
    eraS2c(alpha, delta, p);
    if (back)
        eraTrxp(rnpb, p, q);
    else
        eraRxp(rnpb, p, q);
    eraC2s(q, &alpha, &delta);
    alpha = eraAnp(alpha);
}

}  // namespace

void ToTrueEquatorOfDate(double tt, double& alpha, double& delta) {
    TurnByPrecessionNutation(tt, false, alpha, delta);
}

void FromTrueEquatorOfDate(double tt, double& alpha, double& delta) {
    TurnByPrecessionNutation(tt, true, alpha, delta);
}

}  // namespace kelvo
