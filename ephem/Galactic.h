// For the hydrogen line: galactic coordinates of a source and the velocity
// correction to the local standard of rest, through ERFA.
#pragma once

namespace kelvo {

// Galactic longitude l (0..2 pi) and latitude b (radians) of an ICRS
// (J2000.0) place (radians): the IAU 1958 system as the Hipparcos Catalogue
// realises it from the ICRS (ERFA eraIcrs2g).
void GalacticOf(double rightAscension, double declination, double& l, double& b);

// An FK4 place of B1950.0 (radians) to the FK5 place of J2000.0, taken as
// ICRS (ERFA eraFk45z, no proper motion: the E-terms of aberration removed).
void B1950ToJ2000(double ra1950, double dec1950, double& ra2000, double& dec2000);

// The line-of-sight velocity correction to the kinematic local standard of
// rest (km/s) for a source at ICRS rightAscension, declination (radians),
// seen from a site at longitude (degrees, positive west), latitude
// (degrees), height (m) at universal time ut (Julian Date): the velocity of
// the observer relative to the LSR projected on the direction of the
// source. Sign: added to a topocentric radial velocity (positive away) it
// gives the radial velocity relative to the LSR. Parts:
//  - Diurnal: the site's rotation with the Earth (ERFA eraPvtob, at most
//    0.465 km/s at the equator);
//  - Annual: the Earth's barycentric velocity (ERFA eraEpv00, up to 30 km/s);
//  - Solar: the standard solar motion, 20 km/s toward RA 18h, Dec +30 deg of
//    B1900.0 (carried to J2000.0 with eraFk45z).
// TT from the leap-second table, UT1 taken as UTC.
struct LsrCorrection {
    double Total, Diurnal, Annual, Solar;  // km/s
};
LsrCorrection LsrCorrectionOf(double rightAscension, double declination, double longitude,
                              double latitude, double height, double ut);

}  // namespace kelvo
