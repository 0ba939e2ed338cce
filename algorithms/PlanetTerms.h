// The store of planetary series read from the terms files PLANETS.NDX (index)
// and PLANETS.DAT (terms), both little-endian binary files:
//  - PLANETS.NDX: 72-byte records, the record of slot n at byte 72 n; a record
//    is 18 pairs (start, count) of signed 16-bit integers, pair k = 6 s + j for
//    series s (0 L, 1 B, 2 R) and power j of tau (0..5). Only the start of
//    pair 0 is used: a slot's blocks lie back to back from that record on.
//  - PLANETS.DAT: 24-byte terms (amplitude, phase, frequency as binary64):
//    amplitude in radians (L, B) or au (R), phase in radians, frequency in
//    radians per Julian millennium (the VSOP87 form, Bretagnon & Francou 1988).
// Slots: 0 Earth (J2000.0 frame, used with Pluto), 1..8 Mercury..Neptune with
// slot 3 the Earth (ecliptic and equinox of date).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kelvo {

struct SeriesTerm {
    double Amplitude;
    double Phase;
    double Frequency;
};

struct TermsIndexRecord {
    struct Pair {
        std::int16_t Start;
        std::int16_t Count;
    };
    Pair Block[18];
};

inline constexpr int PlanetTermsSlots = 9;

// One per process. A run is either empty (Run null, RunLength 0) or holds the
// slot's RunLength terms in block order; RunLength then equals the sum of the
// slot's 18 counts.
struct PlanetTermsStore {
    std::string Prefix;
    TermsIndexRecord Index[PlanetTermsSlots]{};
    std::unique_ptr<SeriesTerm[]> Run[PlanetTermsSlots];
    int RunLength[PlanetTermsSlots]{};
};

// The process-wide store.
PlanetTermsStore& TermsStore();

// Empties all nine runs and sets the directory prefix put in front of both
// file names (empty: the working directory). Index records are kept.
void InitPlanetTerms(const char* prefix = nullptr);

// Reads the index record and the term run of slot 0..8; other numbers are
// ignored. Writes "Index file not found !!!" or "Planetary terms file not
// found !!!" (and "Out of memory on planetary terms !") to standard output.
// Never reads past either file: a record or run that the files do not hold
// whole, a negative start or count leave the run empty and write
// "Planetary terms files damaged !!!".
void LoadPlanetTerms(int slot);

// Releases the run of slot 0..8 (other numbers: nothing).
void FreePlanetTerms(int slot);

// Releases every run.
void FreeAllPlanetTerms();

}  // namespace kelvo
