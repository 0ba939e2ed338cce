#include "PlanetTerms.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace kelvo {

namespace {

constexpr long kIndexRecordBytes = 72;
constexpr long kTermBytes = 24;

std::int16_t ReadInt16(const unsigned char* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

double ReadDouble(const unsigned char* p) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
    return std::bit_cast<double>(bits);
}

// A regular file opened for reading, closed when it goes out of scope.
// Anything else in its place (a named pipe, a device, a folder) counts as not
// opened: opening never waits, and nothing is read from it. The terms are
// read with positioned reads straight into memory: the planet driver loads
// them in every request, so every system call counts.
class File {
public:
    explicit File(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {
        if (fd_ < 0) {
            why_ = std::strerror(errno);
            return;
        }
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            why_ = "not a regular file";
            ::close(fd_);
            fd_ = -1;
            return;
        }
        size_ = st.st_size;
    }
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    explicit operator bool() const { return fd_ >= 0; }

    // Size in bytes when opened.
    off_t Size() const { return size_; }
    // Why the file could not be opened.
    const std::string& Why() const { return why_; }

    // Reads exactly size bytes at offset; false when the file holds fewer.
    bool ReadAt(void* buffer, std::size_t size, off_t offset) const {
        auto* p = static_cast<unsigned char*>(buffer);
        while (size > 0) {
            const ssize_t n = ::pread(fd_, p, size, offset);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            p += n;
            size -= static_cast<std::size_t>(n);
            offset += n;
        }
        return true;
    }

private:
    int fd_;
    off_t size_ = 0;
    std::string why_;
};

// Whether a term is one a real series could hold: finite, with amplitude,
// phase and frequency within bounds far beyond any VSOP87 term (the largest
// are 26088 rad, the L1 mean motion of Mercury; a phase of 2 pi; 316428 rad
// per millennium).
bool Plausible(const SeriesTerm& t) {
    return std::isfinite(t.Amplitude) && std::isfinite(t.Phase) && std::isfinite(t.Frequency) &&
           std::fabs(t.Amplitude) <= 1e6 && std::fabs(t.Phase) <= 1e3 &&
           std::fabs(t.Frequency) <= 1e8;
}

// Reads the record of `slot`; false when the file does not hold it whole.
bool ReadIndexRecord(const File& f, int slot, TermsIndexRecord& record) {
    unsigned char bytes[kIndexRecordBytes];
    if (!f.ReadAt(bytes, sizeof bytes, static_cast<off_t>(kIndexRecordBytes) * slot)) return false;
    for (int k = 0; k < 18; ++k) {
        record.Block[k].Start = ReadInt16(bytes + 4 * k);
        record.Block[k].Count = ReadInt16(bytes + 4 * k + 2);
    }
    return true;
}

std::string PathIn(std::string_view directory, const char* name) {
    std::string path(directory);
    if (!path.empty() && path.back() != '/') path += '/';
    return path + name;
}

}  // namespace

std::string_view TermsProblemMessage(TermsProblem problem) {
    switch (problem) {
        case TermsIndexMissing: return "Index file not found !!!";
        case TermsDataMissing: return "Planetary terms file not found !!!";
        case TermsDamaged: return "Planetary terms files damaged !!!";
        case TermsOutOfMemory: return "Out of memory on planetary terms !";
    }
    return "";
}

void PrintTermsMessage(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

unsigned PlanetTerms::AllProblems() const {
    unsigned all = 0;
    for (unsigned p : Problems) all |= p;
    return all;
}

unsigned LoadPlanetTerms(PlanetTerms& terms, std::string_view directory, int slot,
                         const TermsMessageSink& say) {
    if (slot < 0 || slot >= PlanetTermsSlots) return 0;
    unsigned problems = 0;
    std::string& detail = terms.Detail[slot];
    detail.clear();
    auto report = [&](TermsProblem p, const std::string& what) {
        problems |= p;
        if (detail.empty()) detail = what;
        if (say) say(TermsProblemMessage(p));
    };
    auto done = [&] {
        terms.Problems[slot] = problems;
        return problems;
    };

    const std::string indexPath = PathIn(directory, "PLANETS.NDX");
    const std::string dataPath = PathIn(directory, "PLANETS.DAT");
    const File index(indexPath);
    if (!index) report(TermsIndexMissing, indexPath + ": cannot be opened (" + index.Why() + ")");
    const File data(dataPath);
    if (!data) report(TermsDataMissing, dataPath + ": cannot be opened (" + data.Why() + ")");

    FreePlanetTerms(terms, slot);
    if (!index) return done();  // no record to read: the run stays empty

    TermsIndexRecord& record = terms.Index[slot];
    if (!ReadIndexRecord(index, slot, record)) {
        record = TermsIndexRecord{};
        report(TermsDamaged, indexPath + ": holds no 72-byte record for slot " +
                                 std::to_string(slot) + " (" + std::to_string(index.Size()) +
                                 " bytes)");
        return done();
    }
    const long start = record.Block[0].Start;
    long total = 0;
    bool negative = start < 0;
    for (const auto& pair : record.Block) {
        negative = negative || pair.Count < 0;
        total += pair.Count;
    }
    // Without terms for the longitude and the radius vector (the tau^0
    // blocks L0 and R0) the body would stand at the Sun's place or at
    // longitude 0: such a slot loads without a message, but cannot be used.
    auto checkSeries = [&] {
        if (problems == 0 && (record.Block[0].Count <= 0 || record.Block[12].Count <= 0))
            detail = indexPath + ": slot " + std::to_string(slot) +
                     " holds no series for the longitude and the radius vector";
    };
    if (!data) return done();
    if (total == 0) {
        checkSeries();
        return done();
    }
    // A run that the data file does not hold, or that no real series could
    // need, is refused before any storage is taken or anything is read.
    // Named only when there is a problem: no text is built on the way of a
    // good load (the planet driver loads twice per call).
    auto run = [&] {
        return "slot " + std::to_string(slot) + "'s run of " + std::to_string(total) +
               " terms from term " + std::to_string(start);
    };
    if (negative) {
        report(TermsDamaged, indexPath + ": slot " + std::to_string(slot) +
                                 " has a negative start or count");
        return done();
    }
    if (total > MaxTermsPerSlot) {
        report(TermsDamaged, indexPath + ": " + run() +
                                 " is longer than any real series (at most " +
                                 std::to_string(MaxTermsPerSlot) + ")");
        return done();
    }
    if (data.Size() < static_cast<off_t>(kTermBytes) * (start + total)) {
        report(TermsDamaged, dataPath + ": " + run() + " reaches past the end of the file (" +
                                 std::to_string(data.Size() / kTermBytes) + " terms)");
        return done();
    }

    // Storage that the read and the decoding fill whole, so none of it is
    // cleared first.
    std::unique_ptr<unsigned char[]> bytes;
    std::vector<SeriesTerm> series;
    const auto size = static_cast<std::size_t>(kTermBytes * total);
    try {
        bytes = std::make_unique_for_overwrite<unsigned char[]>(size);
        series.reserve(static_cast<std::size_t>(total));
    } catch (const std::bad_alloc&) {
        report(TermsOutOfMemory, "no memory for " + run());
        return done();
    }
    if (!data.ReadAt(bytes.get(), size, static_cast<off_t>(kTermBytes) * start)) {
        report(TermsDamaged, dataPath + ": " + run() + " could not be read whole");
        return done();
    }
    for (long i = 0; i < total; ++i) {
        const unsigned char* p = bytes.get() + kTermBytes * i;
        const SeriesTerm& t =
            series.emplace_back(SeriesTerm{ReadDouble(p), ReadDouble(p + 8), ReadDouble(p + 16)});
        if (!Plausible(t)) {
            report(TermsDamaged, dataPath + ": term " + std::to_string(start + i) + " (of " +
                                     run() + ") is not a finite number within any series' bounds");
            return done();
        }
    }
    terms.Run[slot] = std::move(series);
    checkSeries();
    return done();  // the files close here, the data file first
}

std::string UnusableSlot(const PlanetTerms& terms, int slot) {
    if (slot < 0 || slot >= PlanetTermsSlots) return {};
    if (!terms.Detail[slot].empty()) return terms.Detail[slot];
    if (terms.Run[slot].empty()) return "slot " + std::to_string(slot) + " holds no terms";
    return {};
}

PlanetTerms LoadPlanetTerms(std::string_view directory, std::initializer_list<int> slots,
                            const TermsMessageSink& say) {
    PlanetTerms terms;
    for (int slot : slots) LoadPlanetTerms(terms, directory, slot, say);
    return terms;
}

void FreePlanetTerms(PlanetTerms& terms, int slot) {
    if (slot < 0 || slot >= PlanetTermsSlots) return;
    terms.Run[slot] = {};
}

}  // namespace kelvo
