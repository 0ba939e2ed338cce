// The station's two text files in the working directory:
//  kelvo.cfg   - site name; height (m); longitude (deg, positive west);
//                latitude (deg, positive north); time-zone code (hours to add
//                to the clock to obtain UT, or "auto" for this computer's
//                zone); optionally a sixth line "of-date" (places of date
//                from the start), one per line.
//  horizon.prn - 360 lines, the horizon elevation (deg) at azimuth 0..359.
// Lines end with LF (a CR before the LF is dropped); Ctrl-Z ends the data; a
// line of 40 or more characters is cut to 39 and no later line of that file
// is read. A number whose line is not read is taken as 0.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ObservationState.h"

namespace kelvo {

// Something wrong in a site file: the file, the line (1-based; 0 for the
// file as a whole) and what was read and what is used instead.
struct SiteProblem {
    std::string File;
    int Line = 0;
    std::string Text;
};
using SiteProblems = std::vector<SiteProblem>;

// "kelvo.cfg line 3: ..." (or "kelvo.cfg: ..." for the whole file), UTF-8.
std::string Describe(const SiteProblem& problem);

// Opens path for reading only if it is a regular file, without ever waiting
// (a named pipe or a device in its place would block a plain open or read).
// Null when it cannot be read; *why then says why.
std::FILE* OpenRegularFile(const char* path, std::string* why = nullptr);

// Reads one file line by line under the rule above.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file), done_(file == nullptr) {}

    // Stores the next line (at most 39 characters) into buffer and returns
    // true; returns false and leaves buffer as it is once the file has ended
    // or failed.
    bool ReadLine(char (&buffer)[TextBufferSize]);
    // Whether the last line read was cut at 39 characters (no later line is
    // read then).
    bool Cut() const { return cut_; }
    // Whether reading stopped on a read error rather than the end of the file.
    bool Failed() const { return failed_; }
    // Whether the last line read was no line of the file: the file ended
    // before any character of it (the line then reads as empty).
    bool PastEnd() const { return pastEnd_; }

private:
    int Next();  // next character, CR LF as LF, Ctrl-Z as end; EOF at the end
    std::FILE* file_;
    bool done_;
    bool cut_ = false;
    bool failed_ = false;
    bool pastEnd_ = false;
};

// The path of file name in directory (empty: the working directory).
std::string FileIn(std::string_view directory, std::string_view name);

// Fills state.Horizon from the file at path; missing entries are 0 deg, and
// an entry beyond +-90 deg (infinite ones included) is the nearest of the
// two. Every entry that is missing, no number, more than a number, beyond
// the range, and a file that cannot be read are added to problems when given.
void ReadHorizonProfile(const char* path, ObservationState& state,
                        SiteProblems* problems = nullptr);

// Fills the site fields and TimeZoneCode from the file at path (a missing
// file leaves them as they are; the word "auto" on the zone line sets
// SystemZone, a sixth line "of-date" sets OfDate), then selects the Sun at
// its default coordinates and sets RedrawPending. Adds to problems, when given: a file
// that cannot be read, a missing line, a line that is not wholly a number, a
// number beyond the range, a latitude beyond +-90 or a longitude beyond
// +-180 deg, a zone code other than 0, -1, -2, and a cut name. The values
// themselves are the ones the reading rules give.
void ReadSiteFile(const char* path, ObservationState& state, SiteProblems* problems = nullptr);

// The offset of this computer's local time from UT now, in seconds (east
// positive), with summer time.
long LocalUtcOffsetSeconds();

// A problem when the zone code's offset differs from this computer's local
// offset (seconds east of UT): every position would then be off by the
// difference. Nothing when they agree.
std::optional<SiteProblem> ZoneMismatch(const char* path, std::int32_t timeZoneCode,
                                        long localOffsetSeconds);

}  // namespace kelvo
