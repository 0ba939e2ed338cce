// Places of date: the time scales of a clock reading from the leap-second
// table, and the observed place of a catalogue (ICRS, J2000.0) source by the
// IAU 2006/2000A chain of ERFA (precession-nutation, annual and diurnal
// aberration, light deflection by the Sun, topocentric).
#pragma once

namespace kelvo {

// The time scales of an instant of universal time.
struct TimeScales {
    double Ut1;           // Julian Date, UT1 (taken as UTC: |UT1 - UTC| < 0.9 s)
    double Tt;            // Julian Date, TT
    double TtMinusUt1;    // seconds
    bool FromLeapSeconds; // TT = UTC + (TAI - UTC) + 32.184 s; false before 1960,
                          // where there is no UTC: TT = UT + Delta T (Meeus ch. 10)
};

// The time scales of universalTime (Julian Date of the clock reading plus
// the zone's hours). TAI - UTC from ERFA's leap-second table (eraDat).
TimeScales TimeScalesOf(double universalTime);

// The observed place of date of a source with ICRS (J2000.0) right
// ascension and declination (radians) from a site at longitude (degrees,
// positive west), latitude (degrees, geodetic) and height (m) at the
// universal time ut (Julian Date): azimuth (degrees from north through east,
// 0..360) and airless elevation (degrees); the topocentric apparent right
// ascension (radians, 0..2 pi, from the true equinox of date) and
// declination (radians). ERFA eraApco / eraAtciq / eraAtioq, no refraction,
// no polar motion.
void ObservedPlaceOfDate(double rightAscension, double declination, double longitude,
                         double latitude, double height, double ut, double& azimuth,
                         double& elevation, double& apparentRa, double& apparentDec);

// The rotation of a J2000.0 (GCRS) equatorial direction to the true equator
// and equinox of date at TT tt (Julian Date): ERFA eraPnm06a, IAU 2006/2000A.
void ToTrueEquatorOfDate(double tt, double& alpha, double& delta);

// The inverse: a direction of the true equator and equinox of date at TT tt
// back to the J2000.0 (GCRS) equator.
void FromTrueEquatorOfDate(double tt, double& alpha, double& delta);

}  // namespace kelvo
