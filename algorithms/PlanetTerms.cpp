#include "PlanetTerms.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdio>
#include <new>

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

void Say(const char* line) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
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

}  // namespace

PlanetTermsStore& TermsStore() {
    static PlanetTermsStore store;
    return store;
}

void InitPlanetTerms(const char* prefix) {
    PlanetTermsStore& store = TermsStore();
    FreeAllPlanetTerms();
    store.Prefix = prefix ? prefix : "";
}

void LoadPlanetTerms(int slot) {
    if (slot < 0 || slot >= PlanetTermsSlots) return;
    PlanetTermsStore& store = TermsStore();

    const File index(store.Prefix + "PLANETS.NDX");
    if (!index) Say("Index file not found !!!");
    const File data(store.Prefix + "PLANETS.DAT");
    if (!data) Say("Planetary terms file not found !!!");

    FreePlanetTerms(slot);
    if (!index) return;  // no record to read: the run stays empty

    TermsIndexRecord& record = store.Index[slot];
    if (!ReadIndexRecord(index, slot, record)) {
        record = TermsIndexRecord{};
        Say("Planetary terms files damaged !!!");
        return;
    }
    const long start = record.Block[0].Start;
    long total = 0;
    bool negative = start < 0;
    for (const auto& pair : record.Block) {
        negative = negative || pair.Count < 0;
        total += pair.Count;
    }
    if (!data || total == 0) return;
    // A run that the data file does not hold is refused before any storage
    // is taken for it.
    if (negative || data.Size() < static_cast<off_t>(kTermBytes) * (start + total)) {
        Say("Planetary terms files damaged !!!");
        return;
    }

    auto bytes = std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[kTermBytes * total]);
    auto run = std::unique_ptr<SeriesTerm[]>(new (std::nothrow) SeriesTerm[total]);
    if (!bytes || !run) {
        Say("Out of memory on planetary terms !");
        return;
    }
    if (!data.ReadAt(bytes.get(), static_cast<std::size_t>(kTermBytes * total),
                     static_cast<off_t>(kTermBytes) * start)) {
        Say("Planetary terms files damaged !!!");  // the run goes past the end
        return;
    }
    for (long i = 0; i < total; ++i) {
        const unsigned char* p = bytes.get() + kTermBytes * i;
        run[i] = SeriesTerm{ReadDouble(p), ReadDouble(p + 8), ReadDouble(p + 16)};
    }
    store.Run[slot] = std::move(run);
    store.RunLength[slot] = static_cast<int>(total);
    // The files close here, the data file first (reverse order of opening).
}

void FreePlanetTerms(int slot) {
    if (slot < 0 || slot >= PlanetTermsSlots) return;
    PlanetTermsStore& store = TermsStore();
    store.Run[slot].reset();
    store.RunLength[slot] = 0;
}

void FreeAllPlanetTerms() {
    for (int slot = 0; slot < PlanetTermsSlots; ++slot) FreePlanetTerms(slot);
}

}  // namespace kelvo
