// Instants as people type and read them: ISO 8601 dates and times, the clock
// against UT, durations such as "10m".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ObservationState.h"
#include "Readouts.h"

namespace kelvo {

// A typed date and time: "YYYY-MM-DD HH:MM:SS" or "YYYY-MM-DDTHH:MM:SS",
// seconds optional ("HH:MM"), a trailing "Z" for UT. Utc: the text ended in Z.
struct TypedInstant {
    ClockReading Clock;
    bool Utc;
};
std::optional<TypedInstant> ParseInstant(std::string_view text);

// A duration: a positive number with its unit, s, m, h or d ("30s", "10m",
// "1.5h", "1d"), in days; nothing for anything else.
std::optional<double> ParseDuration(std::string_view text);

// The Julian Date of UT of the state's clock reading (the zone of the state
// at that reading), as the drivers compute it.
double UtOfClock(const ObservationState& state, const ClockReading& clock);

// The Julian Date of the clock reading at the instant ut (Julian Date of
// UT): ut less the zone; for the computer's zone, its offset at that instant.
double ClockJulianDate(const ObservationState& state, double ut);

// A clock reading of Julian Date jd (the Julian Date of UT, or of the clock)
// rounded to the millisecond.
ClockReading ClockReadingOf(double jd);

// jd as ISO 8601 "YYYY-MM-DDTHH:MM:SS" (".sss" when not on a whole second),
// with separator between date and time.
std::string IsoText(double jd, char separator = 'T');

}  // namespace kelvo
