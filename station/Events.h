// Rise, transit and set of the selected source over a day of the clock.
#pragma once

#include <string>
#include <vector>

#include "ObservationState.h"

namespace kelvo {

enum class EventKind { Rise, Transit, Set };

struct SkyEvent {
    EventKind Kind;
    double Hours;      // clock time, decimal hours of the day (0..24)
    double Ut;         // Julian Date of UT
    double Azimuth;    // degrees from north through east
    double Elevation;  // degrees, as the driver gives it (refraction included)
};

struct DayEvents {
    bool Usable = true;     // false: no place (planetary terms unusable, or the Earth)
    std::string Problem;    // why not usable
    std::vector<SkyEvent> Events;  // in time order
    bool AlwaysUp = false;  // above the horizon the whole day, no rise or set
    bool NeverUp = false;   // below it the whole day
};

// The rises, transits and sets of the state's source from 0 to 24 h of the
// clock date year-month-day. Up is what the track shows as visible
// (IsVisible: above the horizon profile when it is shown, else elevation > 0
// after the drivers' refraction, which is where the airless elevation
// crosses 0). Transit: the topocentric hour angle passes 0 (upper
// culmination). The day is scanned at one-minute steps, finer where the
// azimuth moves more than half a degree between steps; with the profile,
// each passage from one of its one-degree entries to the next is found to
// 0.01 s (the up state may change there, and back again seconds later).
// Places through a Sweep (the drivers' places); each change is narrowed by
// bisection to 0.01 s.
DayEvents EventsOfDay(const ObservationState& state, int year, int month, int day);

// The clock time of hours as "HH:MM:SS" (rounded to the second; 24:00:00 at
// the day's end).
std::string ClockText(double hours);

// One line for the window (Latin-1), e.g. "Rise 07:58:12  Transit 12:05:40
// (17.2°)  Set 16:13:02", "Always up  Transit ...", "Never up  Transit ...".
std::string EventsLine(const DayEvents& events);

// "rise", "transit", "set".
const char* EventName(EventKind kind);

}  // namespace kelvo
