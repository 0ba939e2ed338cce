// libFuzzer target: an index file and a data file made from the input
// (first two bytes: the index file's length), loaded into every slot and
// evaluated. Built with AddressSanitizer and UndefinedBehaviorSanitizer by
// tools/fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzFiles.h"
#include "PlanetTerms.h"
#include "Planets.h"

namespace {

std::string Folder() {
    static const std::string folder = FuzzFolder("kelvo-fuzz");
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string cmd = "mkdir -p " + Folder();
    return std::system(cmd.c_str()) == 0 ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::size_t indexSize = data[0] | (data[1] << 8);
    data += 2;
    size -= 2;
    if (indexSize > size) indexSize = size;
    const std::string folder = Folder();
    FuzzWrite(folder + "PLANETS.NDX", data, indexSize);
    FuzzWrite(folder + "PLANETS.DAT", data + indexSize, size - indexSize);

    kelvo::PlanetTerms terms;
    std::size_t said = 0;
    const kelvo::TermsMessageSink count = [&](std::string_view line) { said += line.size(); };
    for (int slot = -1; slot <= 9; ++slot) kelvo::LoadPlanetTerms(terms, folder, slot, count);
    for (int slot = -1; slot <= 10; ++slot) {
        kelvo::SphericalCoords r{};
        kelvo::HeliocentricPosition(terms, slot, 0.12, r);
    }
    kelvo::FreePlanetTerms(terms, 4);
    (void)said;
    return 0;
}
