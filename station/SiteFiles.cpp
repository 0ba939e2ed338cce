#include "SiteFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <memory>

#include "Text.h"

namespace kelvo {

namespace {

constexpr int kCtrlZ = 26;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};

}  // namespace

std::string FileIn(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (!path.empty() && path.back() != '/') path += '/';
    return path.append(name);
}

int LineReader::Next() {
    int c = std::fgetc(file_);
    if (c == EOF && std::ferror(file_)) failed_ = true;
    if (c == '\r') {
        const int d = std::fgetc(file_);
        if (d == '\n') return '\n';
        if (d != EOF) std::ungetc(d, file_);
    }
    if (c == kCtrlZ) c = EOF;
    return c;
}

bool LineReader::ReadLine(char (&buffer)[TextBufferSize]) {
    if (done_) return false;
    pastEnd_ = false;
    int n = 0;
    for (;;) {
        const int c = Next();
        if (c == EOF) {
            done_ = true;  // the file has ended; this line is what was read
            pastEnd_ = n == 0;
            break;
        }
        if (c == '\n') break;
        if (n == TextBufferSize - 1) {
            done_ = true;  // over-long line: cut, and the file fails
            cut_ = true;
            break;
        }
        buffer[n++] = static_cast<char>(c);
    }
    buffer[n] = '\0';
    return true;
}

namespace {

// Text read from a file, fit to be shown in a message: one line, UTF-8, no
// control characters.
std::string Shown(std::string_view text) {
    std::string out = NameAsUtf8(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return "\"" + out + "\"";
}

std::string Number(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", v);
    return buffer;
}

// What a number line held, when it is not simply a number; empty otherwise.
std::string NumberTrouble(const NumberField& f, std::string_view line, const std::string& unit,
                          bool integer = false) {
    if (!f.Found) return Shown(line) + " is no number: read as 0" + unit;
    if (f.OutOfRange)
        return Shown(line) + " is beyond the number range: read as " + Number(f.Value) + unit;
    if (!f.Whole)
        return Shown(line) + (integer ? " is no whole number" : " is more than a number") +
               ": read as " + Number(f.Value) + unit;
    return {};
}

// The line without white space at either end, in lower case.
std::string Word(std::string_view line) {
    std::size_t a = 0, b = line.size();
    while (a < b && std::isspace(static_cast<unsigned char>(line[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(line[b - 1]))) --b;
    std::string w(line.substr(a, b - a));
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return w;
}

// Problems after this many in one file are counted, not listed.
constexpr int kProblemsListedPerFile = 12;

class ProblemList {
public:
    ProblemList(SiteProblems* out, std::string file) : out_(out), file_(std::move(file)) {}
    ~ProblemList() {
        if (out_ && hidden_ > 0)
            out_->push_back({file_, 0,
                             std::to_string(hidden_) + " more problems in this file not listed"});
    }
    void Add(int line, std::string text) {
        if (!out_) return;
        if (listed_ == kProblemsListedPerFile) {
            ++hidden_;
            return;
        }
        ++listed_;
        out_->push_back({file_, line, std::move(text)});
    }

private:
    SiteProblems* out_;
    std::string file_;
    int listed_ = 0;
    int hidden_ = 0;
};

}  // namespace

std::string Describe(const SiteProblem& p) {
    if (p.Line == 0) return p.File + ": " + p.Text;
    return p.File + " line " + std::to_string(p.Line) + ": " + p.Text;
}

std::FILE* OpenRegularFile(const char* path, std::string* why) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (why) *why = std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (why) *why = "not a regular file";
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        if (why) *why = std::strerror(errno);
        ::close(fd);
    }
    return file;
}

void ReadHorizonProfile(const char* path, ObservationState& state, SiteProblems* problems) {
    ProblemList report(problems, path);
    std::string why;
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, &why));
    if (!file) report.Add(0, "cannot be read (" + why + "): a flat horizon at 0 degrees is used");
    LineReader reader(file.get());
    int entries = 0;
    for (float& entry : state.Horizon) {
        char line[TextBufferSize] = "";
        if (!reader.ReadLine(line) || reader.PastEnd()) {
            entry = 0.0f;
            continue;
        }
        const int number = ++entries;  // line number, azimuth number - 1
        const NumberField f = ScanReal(line);
        std::string trouble = NumberTrouble(f, line, " degrees");
        double v = f.Value;
        if (v > 90.0 || v < -90.0) {
            v = v > 0 ? 90.0 : -90.0;
            trouble = Shown(line) + " is beyond +-90 degrees: " + Number(v) + " is used";
        }
        if (reader.Cut())
            trouble = "longer than 39 characters, cut to " + Shown(line) +
                      "; no later line is read" + (trouble.empty() ? "" : "; " + trouble);
        if (!trouble.empty())
            report.Add(number, "(azimuth " + std::to_string(number - 1) + ") " + trouble);
        entry = static_cast<float>(v);
    }
    if (file && reader.Failed()) report.Add(0, "a read error ended the file early");
    if (file && entries < 360)
        report.Add(0, "only " + std::to_string(entries) + " of 360 entries: azimuths " +
                          std::to_string(entries) + " to 359 are taken as 0 degrees");
}

void ReadSiteFile(const char* path, ObservationState& state, SiteProblems* problems) {
    ProblemList report(problems, path);
    std::string why;
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, &why));
    if (file) {
        LineReader reader(file.get());
        if (!reader.ReadLine(state.SiteName) || reader.PastEnd())
            report.Add(1, "(site name) missing");
        else if (reader.Cut())
            report.Add(1, "(site name) longer than 39 characters, cut to " +
                              Shown(state.SiteName) + "; no later line is read");
        char line[TextBufferSize];
        int number = 1;
        bool systemZone = false;
        auto field = [&](const char* what, const std::string& unit, bool integer) {
            ++number;
            const std::string label = std::string("(") + what + ") ";
            if (!reader.ReadLine(line) || reader.PastEnd()) {
                report.Add(number, label + "missing: 0" + unit + " is used");
                return 0.0;
            }
            // The zone line may name this computer's own zone.
            if (integer && !reader.Cut() && Word(line) == "auto") {
                systemZone = true;
                return 0.0;
            }
            const NumberField f = integer ? ScanInteger(line) : ScanReal(line);
            std::string trouble = NumberTrouble(f, line, unit, integer);
            if (reader.Cut())
                trouble = "longer than 39 characters, cut to " + Shown(line) +
                          "; no later line is read" + (trouble.empty() ? "" : "; " + trouble);
            if (!trouble.empty()) report.Add(number, label + trouble);
            return f.Value;
        };
        state.SiteHeight = field("height", " m", false);
        state.SiteLongitude = field("longitude", " degrees", false);
        if (std::fabs(state.SiteLongitude) > 180.0)
            report.Add(3, "(longitude) " + Number(state.SiteLongitude) +
                              " degrees is beyond +-180 (positive west)");
        state.SiteLatitude = field("latitude", " degrees", false);
        if (std::fabs(state.SiteLatitude) > 90.0)
            report.Add(4, "(latitude) " + Number(state.SiteLatitude) +
                              " degrees is beyond +-90: no such place on Earth");
        state.TimeZoneCode = static_cast<std::int32_t>(field("zone code", "", true));
        state.SystemZone = systemZone;
        if (state.TimeZoneCode != 0 && state.TimeZoneCode != -1 && state.TimeZoneCode != -2)
            report.Add(5, "(zone code) " + std::to_string(state.TimeZoneCode) +
                              " is none of 0 (UT), -1 (MEZ), -2 (MESZ), auto: the time-zone "
                              "button shows \"unknown\"");
        // An optional sixth line: "of-date" starts with places of date.
        state.OfDate = false;
        if (reader.ReadLine(line) && !reader.PastEnd()) {
            const std::string word = Word(line);
            if (word == "of-date" && !reader.Cut())
                state.OfDate = true;
            else if (!word.empty())
                report.Add(6, Shown(line) +
                                  " is not \"of-date\": ignored, catalogue places are used");
        }
        if (reader.Failed()) report.Add(0, "a read error ended the file early");
    } else {
        report.Add(0, "cannot be read (" + why +
                          "): no site name, height, longitude and latitude 0, zone UT");
    }
    state.Kind = SourceKind::Planet;
    // The default place: RA 3.07675 rad = 176.285 deg (11h45m08s), Dec
    // 0.0280569 rad = +1.608 deg, where the Sun stands in mid-September about
    // nine days before the equinox. The manual dialog offers it after start;
    // Restore makes it a fixed source named Sun.
    state.SourceRa = 3.07675;
    state.SourceDec = 0.0280569;
    state.PlanetNumber = 0;
    SetText(state.SourceName, "Sun");
    state.RedrawPending = true;
}

long LocalUtcOffsetSeconds() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 0;
    return local.tm_gmtoff;
}

namespace {

std::string Offset(long seconds) {
    char buffer[32];
    const long m = std::labs(seconds) / 60;
    if (m % 60 == 0)
        std::snprintf(buffer, sizeof buffer, "UT%c%ld", seconds < 0 ? '-' : '+', m / 60);
    else
        std::snprintf(buffer, sizeof buffer, "UT%c%ld:%02ld", seconds < 0 ? '-' : '+', m / 60,
                      m % 60);
    return seconds == 0 ? std::string("UT") : std::string(buffer);
}

}  // namespace

std::optional<SiteProblem> ZoneMismatch(const char* path, std::int32_t code, long localOffset) {
    // Callers skip the check for the system zone ("auto").
    const long configured = -static_cast<long>(code) * 3600L;
    if (configured == localOffset) return std::nullopt;
    return SiteProblem{path, 5,
                       "(zone code) " + std::to_string(code) + " means " + Offset(configured) +
                           ", but this computer's clock runs on " + Offset(localOffset) +
                           ": every position is off by the difference"};
}

}  // namespace kelvo
