// libFuzzer target: a kelvo.cfg and a horizon.prn made from the input (first
// two bytes: the length of kelvo.cfg), read with their problem reports, and
// whatever the readers return fed into every driver (also of date), the readouts, the
// geostationary look angles and the visibility test. Built with
// AddressSanitizer and UndefinedBehaviorSanitizer by tools/fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzFiles.h"
#include "Ephemeris.h"
#include "Readouts.h"
#include "Satellit.h"
#include "SiteFiles.h"
#include "Track.h"

namespace {

std::string Folder() {
    static const std::string folder = FuzzFolder("kelvo-site-fuzz");
    return folder;
}

// The shipped terms, loaded once (KELVO_DATA_DIR names their folder).
const kelvo::PlanetTerms& Terms() {
    static const kelvo::PlanetTerms terms =
        kelvo::LoadPlanetTerms(KELVO_DATA_DIR, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {});
    return terms;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string cmd = "mkdir -p " + Folder();
    Terms();
    return std::system(cmd.c_str()) == 0 ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvo;
    if (size < 2) return 0;
    std::size_t configSize = data[0] | (data[1] << 8);
    data += 2;
    size -= 2;
    if (configSize > size) configSize = size;
    const std::string folder = Folder();
    FuzzWrite(folder + "kelvo.cfg", data, configSize);
    FuzzWrite(folder + "horizon.prn", data + configSize, size - configSize);

    ObservationState s;
    SiteProblems problems;
    ReadHorizonProfile((folder + "horizon.prn").c_str(), s, &problems);
    ReadSiteFile((folder + "kelvo.cfg").c_str(), s, &problems);
    if (auto z = ZoneMismatch("kelvo.cfg", s.TimeZoneCode, 3600)) problems.push_back(*z);
    std::size_t said = NameAsUtf8(s.SiteName).size();
    for (const SiteProblem& p : problems) said += Describe(p).size();

    // Everything the readers return, into the drivers as the window and
    // kelvo-ephem pass it.
    const double zone = static_cast<double>(s.TimeZoneCode);
    double lst = 0, az = 0, el = 0, ra = 1.0, dec = 0.3, jd = 0;
    for (double hours : {0.0, 13.7, 24.0}) {
        FixstarEphemeris(s.SiteLongitude, s.SiteLatitude, zone, s.SiteHeight, 2026, 12, 11, hours,
                         ra, dec, lst, az, el, jd);
        said += FormatLst(lst).size() + FormatGha(lst, s.SiteLongitude).size() +
                FormatAziEle(az, el).size() + FormatJd(jd).size() + FormatTjd(jd).size();
        IsVisible(s, az, el);
        MoonEphemeris(s.SiteLongitude, s.SiteLatitude, zone, s.SiteHeight, 2026, 12, 11, hours,
                      lst, az, el, ra, dec, jd);
        said += FormatRaDec(ra, dec).size();
        IsVisible(s, az, el);
        for (int planet = 0; planet <= 9; ++planet) {
            PlanetEphemeris(Terms(), s.SiteLongitude, s.SiteLatitude, zone, s.SiteHeight, planet,
                            2026, 12, 11, hours, lst, az, el, ra, dec, jd, s.OfDate);
            IsVisible(s, az, el);
        }
        // Places of date (the sixth line of the file may ask for them).
        double appRa = 0, appDec = 0;
        FixstarEphemerisOfDate(s.SiteLongitude, s.SiteLatitude, zone, s.SiteHeight, 2026, 12, 11,
                               hours, 1.0, 0.3, lst, az, el, jd, appRa, appDec);
        said += FormatRaDec(appRa, appDec, true).size();
        MoonEphemeris(s.SiteLongitude, s.SiteLatitude, zone, s.SiteHeight, 1955, 1, 1, hours, lst,
                      az, el, ra, dec, jd, true);
    }
    for (int k = -90; k <= 89; k += 7) {
        float a = 0, e = 0;
        GeostationaryElevation(static_cast<float>(k), s.SiteHeight, s.SiteLatitude,
                               s.SiteLongitude, a, e);
        HorizonAt(s.Horizon, a);
    }
    said += TimeZoneCaption(s.TimeZoneCode).size();
    (void)said;
    return 0;
}
