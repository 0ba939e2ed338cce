// The texts of the main window's readouts and button captions. All texts are
// Latin-1 (the degree sign is the single byte 0xB0).
#pragma once

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "ObservationState.h"
#include "Text.h"

namespace kelvo {

// A reading of the local clock, fields as the operating system decodes them.
struct ClockReading {
    std::uint16_t Year, Month, Day, Hour, Minute, Second, Millisecond;
};

// The computer's local date and time now.
ClockReading ReadLocalClock();

// Decimal hours of a clock reading (milliseconds not used).
double ClockHours(const ClockReading& clock);

// Splits x (hours, or any quantity) sexagesimally: hours and minutes
// truncated toward zero, seconds rounded half up, no carry (0.99999 gives 0,
// 59, 60). Each field is stored as a 16-bit unsigned value; a value that is
// not finite gives 0, 0, 0.
void HoursToHms(double x, std::uint16_t& hours, std::uint16_t& minutes, std::uint16_t& seconds);

// What one update of the cycle shows.
struct Readouts {
    std::string Date;          // "Date: dd-mm-yyyy"
    std::string LocalTime;     // "Local time: hh:mm:ss"
    std::string Lst;           // "LST= ddd.dd° = hh:mm:ss"
    std::string Gha;           // "GHA= ddd.dd° = hh:mm:ss"
    std::string AziEle;        // "AZI=ddd.dd°; ELE=dd.dd°"
    std::string RaDec;         // "RA =hh:mm:ss; DEC=dd.dd°"
    std::string Jd;            // "JD =ddddddd.ddddd"
    std::string Tjd;           // "TJD= nnnnn D= sssssss"
    std::string TimeZone;      // caption of the time-zone button
    std::string Source;        // caption of the source button
    // Whether the source's place could be computed. When not (the planetary
    // terms are missing or damaged), AziEle and RaDec say so instead of
    // showing numbers, and Problem names the file and the problem.
    bool PlaceUsable = true;
    std::string Problem;
    // The right ascension and declination that RaDec shows (radians): of
    // date when OfDate is set, else the driver's (for a fixed source its
    // catalogue place).
    double Ra = 0.0, Dec = 0.0;
    // For the hydrogen line (NaN when there is none): galactic longitude and
    // latitude (degrees, IAU 1958) of a fixed source's catalogue place or of
    // a body's place (the Earth has none), and for fixed sources the
    // velocity correction to the kinematic LSR (km/s; added to a topocentric
    // radial velocity it gives the LSR velocity).
    double GalacticL = std::numeric_limits<double>::quiet_NaN();
    double GalacticB = std::numeric_limits<double>::quiet_NaN();
    double LsrCorrection = std::numeric_limits<double>::quiet_NaN();
    std::string Galactic;  // "l=111.74° b= -2.13°; vLSR corr. +12.34 km/s", empty if none
};

// The readouts that stand for a place that could not be computed.
std::string UnusableAziEle(const PlaceStatus& status);
std::string UnusableRaDec(const PlaceStatus& status);

// A terms report that writes each distinct loader line of a call, followed
// by a line feed, to out only when the call before did not give it too: a
// missing or damaged file is reported when that starts or changes, not on
// every call.
TermsReport PrintWhenChanged(std::FILE* out);

// Greenwich sidereal time in hours, 0 <= g < 24, from the local sidereal
// time (radians) and the site longitude (degrees, positive west).
double GreenwichHours(double lst, double longitude);

std::string TimeZoneCaption(std::int32_t code);

// The single readouts, from the driver's values.
std::string FormatLst(double lst);
std::string FormatGha(double lst, double longitude);
std::string FormatAziEle(double azimuth, double elevation);
// ofDate: "RAnow=hh:mm:ss; DEC=dd.dd°", the place of date.
std::string FormatRaDec(double rightAscension, double declination, bool ofDate = false);

// The time-zone button's caption for the system zone: "Timezone: UT+1",
// "Timezone: UT+5:30", "Timezone: UT-8" (offset east of UT in seconds).
std::string SystemZoneCaption(double offsetSeconds);
std::string FormatJd(double julianDate);
std::string FormatTjd(double julianDate);

// Calls the driver for the state's source at the clock reading (the state's
// SourceRa, SourceDec and JulianDate are written as the driver writes them)
// and formats every readout (AziEle and RaDec without numbers when the place
// is not usable). azimuth and elevation receive the driver's
// values (0 when the driver leaves them alone).
Readouts UpdateReadouts(ObservationState& state, const ClockReading& clock, double& lst,
                        double& azimuth, double& elevation);

}  // namespace kelvo
