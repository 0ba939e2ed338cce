// Text fields and the number conversions of the site files, the manual
// coordinates dialog and the table read-back. The conversions do not depend
// on the process locale (a decimal point is always '.').
#pragma once

#include <string>
#include <string_view>

#include "ObservationState.h"

namespace kelvo {

// Copies at most 39 characters of text into a 40-character buffer.
void SetText(char (&buffer)[TextBufferSize], std::string_view text);

// Like strtod on a decimal number: leading white space skipped, the longest
// prefix of the form [sign] digits [. digits] [e [sign] digits] converted, the
// rest ignored. No such prefix, or a value beyond the double range, gives 0.
double ParseReal(std::string_view text);

// Like atol: leading white space, an optional sign and a run of digits ("1.5"
// gives 1); no digits give 0; clamped to the 32-bit range.
long ParseInteger(std::string_view text);

// How a text field reads as a number, for reporting what a file held.
struct NumberField {
    double Value = 0.0;       // what ParseReal (ScanReal) or ParseInteger (ScanInteger) gives
    bool Found = false;       // the text begins, after white space, with a number
    bool OutOfRange = false;  // that number lies beyond the range: read as 0 (real) or clamped
    bool Whole = false;       // nothing but white space follows the number
};
NumberField ScanReal(std::string_view text);
NumberField ScanInteger(std::string_view text);

// A coordinate as typed into the manual dialog or given to kelvo-ephem, in
// degrees. A plain decimal number is degrees. Otherwise a right ascension is
// hours: "5h34m31.9s", "5h 34.5m", "5.575h" or "05:34:31.9"; a declination
// "+22:00:52", "-5:23:28", "22d00m52s" or "22°00'52"". Problem says why the
// text cannot be taken (unreadable, empty, a number beyond the double range,
// minutes or seconds of 60 or more, 24 hours or more, a declination beyond
// +-90 deg); Degrees is then not to be used.
struct TypedAngle {
    double Degrees = 0.0;
    std::string Problem;  // empty: the text is a usable value
};
TypedAngle TypedRightAscension(std::string_view text);
TypedAngle TypedDeclination(std::string_view text);

// Whether a and b are the same text but for the case of ASCII letters.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Latin-1 text to UTF-8.
std::string Latin1ToUtf8(std::string_view text);

// A name from a file as UTF-8: taken as UTF-8 when it is valid UTF-8 (a
// character cut short at the end by the 39-character limit is dropped), else
// as Latin-1.
std::string NameAsUtf8(std::string_view name);

}  // namespace kelvo
