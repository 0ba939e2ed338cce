#include "Sources.h"

#include <string>
#include <utility>

#include "EphemerisConstants.h"
#include "Text.h"

namespace kelvo {

const SourceEntry SourceCatalogue[17] = {
    {"Sun", SourceKind::Planet, 0, 0, 0, "Sun"},
    {"Mercury", SourceKind::Planet, 1, 0, 0, "Mercury"},
    {"Venus", SourceKind::Planet, 2, 0, 0, "Venus"},
    {"Earth", SourceKind::Planet, 3, 0, 0, "Earth"},
    {"Mars", SourceKind::Planet, 4, 0, 0, "Mars"},
    {"Jupiter", SourceKind::Planet, 5, 0, 0, "Jupiter"},
    {"Saturn", SourceKind::Planet, 6, 0, 0, "Saturn"},
    {"Uranus", SourceKind::Planet, 7, 0, 0, "Uranus"},
    {"Neptun", SourceKind::Planet, 8, 0, 0, "Neptun"},
    {"Pluto", SourceKind::Planet, 9, 0, 0, "Pluto"},
    {"Moon", SourceKind::Moon, 3, 0, 0, "Moon"},
    {"Cassiopeia A, SNR", SourceKind::Fixstar, 0, 350.85, 58.815, "Cass A"},
    {"Cygnus A, distant galaxy", SourceKind::Fixstar, 0, 299.8681667, 40.7338611, "Cygn A"},
    {"Taurus A, Crab Nebula, M1", SourceKind::Fixstar, 0, 83.6328631, 22.0143489, "Tau A"},
    {"Virgo A, M87", SourceKind::Fixstar, 0, 187.7059306, 12.3911233, "Virgo A"},
    {"Sagittarius A, Galactic Nucleus", SourceKind::Fixstar, 0, 266.3012914, -28.8048772,
     "Sagitt A"},
    {"Orion M42", SourceKind::Fixstar, 0, 83.8220833, -5.3911111, "Orion"},
};

void SelectSource(ObservationState& s, const SourceEntry& e) {
    s.Kind = e.Kind;
    if (e.Kind == SourceKind::Fixstar) {
        s.SourceRa = e.RaDeg * EphemerisConstants::DegToRad;
        s.SourceDec = e.DecDeg * EphemerisConstants::DegToRad;
    } else {
        s.PlanetNumber = e.Planet;
    }
    SetText(s.SourceName, e.Name);
    s.RedrawPending = true;
}

namespace {

// Names observers type, each with its entry's caption: common short forms,
// the Messier numbers and the 3C numbers of the four 3C sources.
constexpr std::pair<const char*, int> kAliases[] = {
    {"Neptune", 8},
    {"Cas A", 11}, {"Cassiopeia A", 11}, {"3C 461", 11},
    {"Cyg A", 12}, {"Cygnus A", 12}, {"3C 405", 12},
    {"Tau A", 13}, {"Taurus A", 13}, {"Crab", 13}, {"Crab Nebula", 13}, {"M1", 13},
    {"3C 144", 13},
    {"Vir A", 14}, {"Virgo A", 14}, {"M87", 14}, {"3C 274", 14},
    {"Sgr A", 15}, {"Sgr A*", 15}, {"Sagittarius A", 15}, {"Sagittarius A*", 15},
    {"M42", 16}, {"Orion", 16}, {"Orion Nebula", 16},
};

// text without its spaces.
std::string Squeezed(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

}  // namespace

const SourceEntry* FindSource(std::string_view text) {
    for (const SourceEntry& e : SourceCatalogue)
        if (EqualIgnoringCase(text, e.Caption) || EqualIgnoringCase(text, e.Name)) return &e;
    // The other names, with or without their spaces ("3C461", "SgrA*").
    const std::string typed = Squeezed(text);
    for (const auto& [alias, index] : kAliases)
        if (EqualIgnoringCase(typed, Squeezed(alias))) return &SourceCatalogue[index];
    return nullptr;
}

}  // namespace kelvo
