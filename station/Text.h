// Text fields and the number conversions of the site files, the manual
// coordinates dialog and the table read-back. The conversions do not depend
// on the process locale (a decimal point is always '.').
#pragma once

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

}  // namespace kelvo
