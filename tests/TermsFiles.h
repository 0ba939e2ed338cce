// Small hand-made planetary terms files for the tests.
#pragma once

#include <unistd.h>

#include <array>
#include <cstring>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PlanetTerms.h"

// A scratch folder under the system's temporary folder, removed at the end.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                (name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::string prefix() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

struct IndexPair {
    int start, count;
};
using IndexRecordSpec = std::array<IndexPair, 18>;

inline void AppendInt16(std::string& out, int v) {
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
}

inline void AppendDouble(std::string& out, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

inline std::string IndexBytes(const std::vector<IndexRecordSpec>& records) {
    std::string out;
    for (const auto& r : records)
        for (const auto& p : r) {
            AppendInt16(out, p.start);
            AppendInt16(out, p.count);
        }
    return out;
}

inline std::string TermBytes(const std::vector<kelvo::SeriesTerm>& terms) {
    std::string out;
    for (const auto& t : terms) {
        AppendDouble(out, t.Amplitude);
        AppendDouble(out, t.Phase);
        AppendDouble(out, t.Frequency);
    }
    return out;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
