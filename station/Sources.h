// The sources of the object menu: caption, kind, planet number, catalogue
// place (J2000.0, degrees) and the short name shown on the source button.
#pragma once

#include <string_view>

#include "ObservationState.h"

namespace kelvo {

struct SourceEntry {
    const char* Caption;
    SourceKind Kind;
    int Planet;      // for the Planet and Moon kinds
    double RaDeg;    // for the Fixstar kind
    double DecDeg;
    const char* Name;
};

// The seventeen fixed entries of the object menu, in menu order (the
// eighteenth, "Fixstar = individual", opens the manual coordinates dialog).
extern const SourceEntry SourceCatalogue[17];

// Makes entry the selected source and sets RedrawPending. Bodies keep
// SourceRa/SourceDec (their drivers write them); radio sources keep
// PlanetNumber.
void SelectSource(ObservationState& state, const SourceEntry& entry);

// The entry whose caption or short name is text, ignoring case, or one of
// the names observers type for it ("Cas A", "Crab", "M87", "3C 461",
// "Sgr A*", "Neptune" ...; spaces optional); null if none.
const SourceEntry* FindSource(std::string_view text);

}  // namespace kelvo
