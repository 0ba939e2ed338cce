// The station's source catalogue sources.cat (optional; UTF-8): one source a
// line, comma-separated: name, right ascension, declination, optionally the
// epoch (J2000, the default, or B1950, converted with ERFA) and a note.
// Right ascension in degrees, hours with h or hh:mm:ss.s; declination in
// degrees or +dd:mm:ss (as TypedRightAscension, TypedDeclination). '#'
// starts a comment. A bad line is reported with file, line and reason and
// skipped; the rest loads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ObservationState.h"
#include "SiteFiles.h"

namespace kelvo {

struct CatalogueEntry {
    std::string Name;  // UTF-8, at most 39 bytes
    double RaDeg;      // J2000.0 (ICRS)
    double DecDeg;
    std::string Note;
};

struct Catalogue {
    std::vector<CatalogueEntry> Entries;
    SiteProblems Problems;
};

// The longest line read; a longer one is reported and skipped.
inline constexpr std::size_t CatalogueLineLimit = 1000;

// The catalogue in the text of a file named path (for its messages).
Catalogue ParseCatalogue(std::string_view text, const std::string& path);

// Reads the file at path (a regular file only); a missing file is an empty
// catalogue without a problem, since the file is optional.
Catalogue ReadCatalogue(const std::string& path);

// The entry whose name is text, ignoring case (ASCII); null if none.
const CatalogueEntry* FindInCatalogue(const Catalogue& catalogue, std::string_view text);

// Makes the entry the selected fixed source (its name in Latin-1 where it
// can be, '?' elsewhere) and sets RedrawPending.
void SelectCatalogueEntry(ObservationState& state, const CatalogueEntry& entry);

}  // namespace kelvo
