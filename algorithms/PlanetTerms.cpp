#include "PlanetTerms.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdio>
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

// A file opened for reading, closed when it goes out of scope. The terms are
// read with positioned reads straight into memory: the planet driver loads
// them in every request, so every system call counts.
class File {
public:
    explicit File(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    explicit operator bool() const { return fd_ >= 0; }

    // Size in bytes, -1 when unknown.
    off_t Size() const {
        struct stat st {};
        return ::fstat(fd_, &st) == 0 ? st.st_size : -1;
    }

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
};

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
    auto report = [&](TermsProblem p) {
        problems |= p;
        if (say) say(TermsProblemMessage(p));
    };

    const File index(PathIn(directory, "PLANETS.NDX"));
    if (!index) report(TermsIndexMissing);
    const File data(PathIn(directory, "PLANETS.DAT"));
    if (!data) report(TermsDataMissing);

    FreePlanetTerms(terms, slot);
    terms.Problems[slot] = problems;
    if (!index) return problems;  // no record to read: the run stays empty

    TermsIndexRecord& record = terms.Index[slot];
    if (!ReadIndexRecord(index, slot, record)) {
        record = TermsIndexRecord{};
        report(TermsDamaged);
        terms.Problems[slot] = problems;
        return problems;
    }
    const long start = record.Block[0].Start;
    long total = 0;
    bool negative = start < 0;
    for (const auto& pair : record.Block) {
        negative = negative || pair.Count < 0;
        total += pair.Count;
    }
    if (!data || total == 0) return problems;
    // A run that the data file does not hold is refused before any storage
    // is taken for it.
    if (negative || data.Size() < static_cast<off_t>(kTermBytes) * (start + total)) {
        report(TermsDamaged);
        terms.Problems[slot] = problems;
        return problems;
    }

    std::vector<unsigned char> bytes;
    std::vector<SeriesTerm> run;
    try {
        bytes.resize(static_cast<std::size_t>(kTermBytes * total));
        run.resize(static_cast<std::size_t>(total));
    } catch (const std::bad_alloc&) {
        report(TermsOutOfMemory);
        terms.Problems[slot] = problems;
        return problems;
    }
    if (!data.ReadAt(bytes.data(), bytes.size(), static_cast<off_t>(kTermBytes) * start)) {
        report(TermsDamaged);  // the run goes past the end
        terms.Problems[slot] = problems;
        return problems;
    }
    for (long i = 0; i < total; ++i) {
        const unsigned char* p = bytes.data() + kTermBytes * i;
        run[static_cast<std::size_t>(i)] =
            SeriesTerm{ReadDouble(p), ReadDouble(p + 8), ReadDouble(p + 16)};
    }
    terms.Run[slot] = std::move(run);
    return problems;  // the files close here, the data file first
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
