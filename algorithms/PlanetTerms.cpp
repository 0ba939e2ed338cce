#include "PlanetTerms.h"

#include <bit>
#include <cstdio>
#include <cstring>
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

long FileSize(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) return -1;
    return std::ftell(f);
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads the record of `slot`; false when the file does not hold it whole.
bool ReadIndexRecord(std::FILE* f, int slot, TermsIndexRecord& record) {
    unsigned char bytes[kIndexRecordBytes];
    const long offset = kIndexRecordBytes * slot;
    if (FileSize(f) < offset + kIndexRecordBytes) return false;
    if (std::fseek(f, offset, SEEK_SET) != 0) return false;
    if (std::fread(bytes, 1, sizeof bytes, f) != sizeof bytes) return false;
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

    File index(std::fopen((store.Prefix + "PLANETS.NDX").c_str(), "rb"));
    if (!index) Say("Index file not found !!!");
    File data(std::fopen((store.Prefix + "PLANETS.DAT").c_str(), "rb"));
    if (!data) Say("Planetary terms file not found !!!");

    FreePlanetTerms(slot);
    if (!index) return;  // no record to read: the run stays empty

    TermsIndexRecord& record = store.Index[slot];
    if (!ReadIndexRecord(index.get(), slot, record)) {
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
    if (negative || FileSize(data.get()) < kTermBytes * (start + total)) {
        Say("Planetary terms files damaged !!!");
        return;
    }

    auto bytes = std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[kTermBytes * total]);
    auto run = std::unique_ptr<SeriesTerm[]>(new (std::nothrow) SeriesTerm[total]);
    if (!bytes || !run) {
        Say("Out of memory on planetary terms !");
        return;
    }
    if (std::fseek(data.get(), kTermBytes * start, SEEK_SET) != 0 ||
        std::fread(bytes.get(), kTermBytes, total, data.get()) != static_cast<size_t>(total)) {
        Say("Planetary terms files damaged !!!");
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
