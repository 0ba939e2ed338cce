// libFuzzer target: the input as a sources.cat, parsed with its problem
// reports, and the first entries fed into the fixed-source drivers (both
// places), the galactic place and the LSR correction. Built with
// AddressSanitizer and UndefinedBehaviorSanitizer by tools/fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Catalogue.h"
#include "Ephemeris.h"
#include "Galactic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Catalogue cat = ParseCatalogue(text, "sources.cat");
    std::size_t said = 0;
    for (const SiteProblem& p : cat.Problems) said += Describe(p).size();
    for (std::size_t i = 0; i < cat.Entries.size() && i < 3; ++i) {
        const CatalogueEntry& e = cat.Entries[i];
        ObservationState s;
        SelectCatalogueEntry(s, e);
        (void)FindInCatalogue(cat, e.Name);
        double lst, az, el, jd, ra, dec, l, b;
        FixstarEphemeris(-15, 50, -1, 250, 2026, 12, 11, 21.2, s.SourceRa, s.SourceDec, lst, az,
                         el, jd);
        FixstarEphemerisOfDate(-15, 50, -1, 250, 2026, 12, 11, 21.2, s.SourceRa, s.SourceDec, lst,
                               az, el, jd, ra, dec);
        GalacticOf(s.SourceRa, s.SourceDec, l, b);
        said += static_cast<std::size_t>(
            LsrCorrectionOf(s.SourceRa, s.SourceDec, -15, 50, 250, 2461386.3).Total != 0);
    }
    (void)said;
    return 0;
}
