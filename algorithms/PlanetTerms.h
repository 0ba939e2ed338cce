// The planetary series read from the terms files PLANETS.NDX (index) and
// PLANETS.DAT (terms), both little-endian binary files:
//  - PLANETS.NDX: 72-byte records, the record of slot n at byte 72 n; a record
//    is 18 pairs (start, count) of signed 16-bit integers, pair k = 6 s + j for
//    series s (0 L, 1 B, 2 R) and power j of tau (0..5). Only the start of
//    pair 0 is used: a slot's blocks lie back to back from that record on.
//  - PLANETS.DAT: 24-byte terms (amplitude, phase, frequency as binary64):
//    amplitude in radians (L, B) or au (R), phase in radians, frequency in
//    radians per Julian millennium (the VSOP87 form, Bretagnon & Francou 1988).
// Slots: 0 Earth (J2000.0 frame, used with Pluto), 1..8 Mercury..Neptune with
// slot 3 the Earth (ecliptic and equinox of date).
//
// The loaded series are a value (PlanetTerms) that the caller owns; loading
// says what went wrong through its result and through a message sink that the
// caller chooses. Nothing here reads the working directory unless asked to
// (an empty directory) or writes anywhere but to the sink.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// The longest run a slot may have. The full published VSOP87 series of the
// body with the most terms (Mercury, VSOP87D: 2808 + 1620 + 2399 = 6827) stay
// well below it, so a longer run can only come from a damaged index; it is
// refused before the data file is read, which bounds the cost of a load and
// of every evaluation.
inline constexpr long MaxTermsPerSlot = 10000;

// What went wrong in a load, as bits that can be combined.
enum TermsProblem : unsigned {
    TermsIndexMissing = 1u << 0,  // "Index file not found !!!"
    TermsDataMissing = 1u << 1,   // "Planetary terms file not found !!!"
    TermsDamaged = 1u << 2,       // "Planetary terms files damaged !!!"
    TermsOutOfMemory = 1u << 3,   // "Out of memory on planetary terms !"
};

// The fixed message line (without line feed) of one problem bit.
std::string_view TermsProblemMessage(TermsProblem problem);

// Receives each message line of a load, without its line feed, in the order
// in which the loader meets the problems.
using TermsMessageSink = std::function<void(std::string_view line)>;

// Writes the line and a line feed to standard output.
void PrintTermsMessage(std::string_view line);

// The series of up to nine bodies. A run is either empty or holds the slot's
// whole run in block order; its length then equals the sum of the slot's 18
// counts. Problems[slot] holds the TermsProblem bits of the slot's last load.
struct PlanetTerms {
    TermsIndexRecord Index[PlanetTermsSlots]{};
    std::vector<SeriesTerm> Run[PlanetTermsSlots];
    unsigned Problems[PlanetTermsSlots]{};
    // The first problem of the slot's last load, naming the file: e.g.
    // "data/PLANETS.DAT: cannot be opened (No such file or directory)".
    std::string Detail[PlanetTermsSlots];

    // The problems of every slot loaded, combined.
    unsigned AllProblems() const;
};

// Reads the index record and the term run of slot 0..8 from the two files in
// directory (empty: the working directory) into terms, replacing what the
// slot held; other slot numbers are ignored (no file opened, 0 returned).
// Returns the slot's problems and sends each one's message to say (nothing
// sent when say is empty). A file that is not a regular file counts as
// missing. Never reads past either file: a record or run that the files do
// not hold whole, a negative start or count, a run longer than
// MaxTermsPerSlot and a term that is not finite or beyond any real term's
// size leave the run empty and count as damage. A missing index file leaves
// the slot's record as it was; a missing data file leaves the run empty
// after the record is read.
unsigned LoadPlanetTerms(PlanetTerms& terms, std::string_view directory, int slot,
                         const TermsMessageSink& say);

// The terms of the given slots, loaded in that order from directory.
PlanetTerms LoadPlanetTerms(std::string_view directory, std::initializer_list<int> slots,
                            const TermsMessageSink& say);

// Why slot 0..8 of terms cannot give a body's place (its file and problem),
// or empty when it can: the slot must have loaded without problems and hold
// terms for the longitude and radius vector.
std::string UnusableSlot(const PlanetTerms& terms, int slot);

// Releases the run of slot 0..8 (other numbers: nothing); the index record
// stays.
void FreePlanetTerms(PlanetTerms& terms, int slot);

}  // namespace kelvo
