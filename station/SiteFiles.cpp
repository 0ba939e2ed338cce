#include "SiteFiles.h"

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
    int n = 0;
    for (;;) {
        const int c = Next();
        if (c == EOF) {
            done_ = true;  // the file has ended; this line is what was read
            break;
        }
        if (c == '\n') break;
        if (n == TextBufferSize - 1) {
            done_ = true;  // over-long line: cut, and the file fails
            break;
        }
        buffer[n++] = static_cast<char>(c);
    }
    buffer[n] = '\0';
    return true;
}

void ReadHorizonProfile(const char* path, ObservationState& state) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    LineReader reader(file.get());
    for (float& entry : state.Horizon) {
        char line[TextBufferSize] = "";
        entry = reader.ReadLine(line) ? static_cast<float>(ParseReal(line)) : 0.0f;
    }
}

void ReadSiteFile(const char* path, ObservationState& state) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (file) {
        LineReader reader(file.get());
        reader.ReadLine(state.SiteName);
        char line[TextBufferSize];
        auto real = [&]() { return reader.ReadLine(line) ? ParseReal(line) : 0.0; };
        state.SiteHeight = real();
        state.SiteLongitude = real();
        state.SiteLatitude = real();
        state.TimeZoneCode =
            static_cast<std::int32_t>(reader.ReadLine(line) ? ParseInteger(line) : 0);
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

}  // namespace kelvo
