// The main window's shared state: site, time zone, selected source, display
// flags, the update cycle's counters and the horizon profile.
#pragma once

#include <array>
#include <cstdint>

#include "Ephemeris.h"

namespace kelvo {

// Horizon elevation in degrees for each whole degree of azimuth from north
// through east (entry i: azimuth i deg).
using HorizonProfile = std::array<float, 360>;

// Text fields are 40-character buffers holding at most 39 characters.
inline constexpr int TextBufferSize = 40;

struct ObservationState {
    char SiteName[TextBufferSize] = "";
    double SiteHeight = 0.0;     // metres above sea level
    double SiteLongitude = 0.0;  // degrees, positive west
    double SiteLatitude = 0.0;   // degrees, positive north
    std::int32_t TimeZoneCode = 0;  // hours to add to the clock to obtain UT
    SourceKind Kind = SourceKind::Planet;
    std::int32_t PlanetNumber = 0;  // 0 Sun .. 9 Pluto (3 also for the Moon)
    double SourceRa = 0.0;          // radians
    double SourceDec = 0.0;         // radians
    double JulianDate = 0.0;        // of the clock reading of the last driver call
    char SourceName[TextBufferSize] = "";
    bool RedrawPending = true;
    bool ShowHorizon = true;
    bool ShowGeostationary = true;
    std::int32_t StepMinutes = 30;
    std::int16_t TickCount = 0;
    std::uint16_t CurrentSecond = 65535;
    std::uint16_t LastSecond = 0;
    HorizonProfile Horizon{};
    // Where the planet driver reads the terms files and where their messages
    // go (the working directory and standard output unless set).
    TermsSource Terms;
    // Places of date through ERFA instead of the catalogue places (and TT
    // from the leap-second table); off: the numbers of the drivers as ever.
    bool OfDate = false;
    // The zone is this computer's own at each clock reading (summer time and
    // half-hour zones included) instead of TimeZoneCode.
    bool SystemZone = false;
};

// The site and source of the state as a driver request (pointing at the
// state's Terms, so it lives no longer than the state), for a clock reading
// of the given date and hours (which sets the system zone's offset).
EphemerisRequest RequestFor(const ObservationState& state, int year, int month, int day,
                            double hours);

// Hours to add to this computer's local clock reading (date, hours of the
// day) to obtain UT: minus the local offset from UT then, summer time
// included. Hours beyond 24 run into the next day.
double SystemZoneHours(int year, int month, int day, double hours);

// The zone of the state at a clock reading, in hours to add to the clock to
// obtain UT.
double ZoneHours(const ObservationState& state, int year, int month, int day, double hours);

}  // namespace kelvo
