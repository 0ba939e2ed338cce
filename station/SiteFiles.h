// The station's two text files in the working directory:
//  kelvo.cfg   - site name; height (m); longitude (deg, positive west);
//                latitude (deg, positive north); time-zone code (hours to add
//                to the clock to obtain UT), one per line.
//  horizon.prn - 360 lines, the horizon elevation (deg) at azimuth 0..359.
// Lines end with LF (a CR before the LF is dropped); Ctrl-Z ends the data; a
// line of 40 or more characters is cut to 39 and no later line of that file
// is read. A number whose line is not read is taken as 0.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "ObservationState.h"

namespace kelvo {

// Reads one file line by line under the rule above.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file), done_(file == nullptr) {}

    // Stores the next line (at most 39 characters) into buffer and returns
    // true; returns false and leaves buffer as it is once the file has ended
    // or failed.
    bool ReadLine(char (&buffer)[TextBufferSize]);

private:
    int Next();  // next character, CR LF as LF, Ctrl-Z as end; EOF at the end
    std::FILE* file_;
    bool done_;
};

// The path of file name in directory (empty: the working directory).
std::string FileIn(std::string_view directory, std::string_view name);

// Fills state.Horizon from the file at path; missing entries are 0 deg.
void ReadHorizonProfile(const char* path, ObservationState& state);

// Fills the site fields and TimeZoneCode from the file at path (a missing
// file leaves them as they are), then selects the Sun at its default
// coordinates and sets RedrawPending.
void ReadSiteFile(const char* path, ObservationState& state);

}  // namespace kelvo
