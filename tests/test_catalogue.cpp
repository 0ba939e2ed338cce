// The source catalogue: good and bad lines, the epochs, the sample file.
#include <gtest/gtest.h>

#include <cmath>

#include "Catalogue.h"
#include "TermsFiles.h"
#include "Units.h"

using namespace kelvo;

struct LineCase {
    const char* name;
    std::string line;
    double ra, dec;        // degrees, J2000, when read
    const char* problem;   // part of the problem, "" when read
};

class CatalogueLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(CatalogueLines, ReadOrReportedWithTheirLine) {
    const LineCase& c = GetParam();
    const Catalogue cat = ParseCatalogue("# header\n\n" + c.line + "\nNext, 10, 20\n", "s.cat");
    ASSERT_FALSE(cat.Entries.empty()) << c.name;
    EXPECT_EQ(cat.Entries.back().Name, "Next") << c.name;  // the rest always loads
    if (*c.problem == '\0') {
        ASSERT_EQ(cat.Entries.size(), 2u) << c.name;
        ASSERT_TRUE(cat.Problems.empty()) << c.name << ": " << Describe(cat.Problems[0]);
        EXPECT_NEAR(cat.Entries[0].RaDeg, c.ra, 1e-7) << c.name;
        EXPECT_NEAR(cat.Entries[0].DecDeg, c.dec, 1e-7) << c.name;
    } else {
        EXPECT_EQ(cat.Entries.size(), 1u) << c.name;
        ASSERT_EQ(cat.Problems.size(), 1u) << c.name;
        EXPECT_EQ(cat.Problems[0].Line, 3) << c.name;
        EXPECT_EQ(cat.Problems[0].File, "s.cat");
        EXPECT_NE(cat.Problems[0].Text.find(c.problem), std::string::npos)
            << c.name << ": " << cat.Problems[0].Text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogueLines,
    ::testing::Values(
        LineCase{"degrees", "Cas A, 350.85, 58.815", 350.85, 58.815, ""},
        LineCase{"sexagesimal with note", "3C 286, 13:31:08.29, +30:30:33.0, J2000, quasar, bright",
                 202.78454166667, 30.509166666667, ""},
        LineCase{"hours with h", "Crab, 5h34m31.94s, 22d00m52.2s", 83.633083333333, 22.0145, ""},
        LineCase{"comment after", "X, 10, -20  # a comment", 10, -20, ""},
        LineCase{"CR LF and blanks", "  Y ,  1.5 ,  2.5  \r", 1.5, 2.5, ""},
        LineCase{"UTF-8 name", "Z\xC3\xBCrich, 1, 2", 1, 2, ""},
        LineCase{"missing declination", "Lonely, 10", 0, 0, "needs name, right ascension"},
        LineCase{"no name", ", 10, 20", 0, 0, "no name"},
        LineCase{"name too long", std::string(40, 'N') + ", 10, 20", 0, 0, "longer than 39"},
        LineCase{"bad right ascension", "Bad, 25h, 20", 0, 0, "right ascension \"25h\""},
        LineCase{"bad declination", "Bad, 10, 95", 0, 0, "declination \"95\""},
        LineCase{"unknown epoch", "Bad, 10, 20, B1900", 0, 0, "epoch \"B1900\": J2000 or B1950"},
        LineCase{"control character", "Ba\x01" "d, 10, 20", 0, 0, "control character"},
        LineCase{"not UTF-8", "Z\xFCrich, 10, 20", 0, 0, "not UTF-8"},
        LineCase{"over-long line", "Long, 10, 20, J2000, " + std::string(1200, 'x'), 0, 0,
                 "longer than 1000 characters"}));

TEST(Catalogue, B1950PlacesAreCarriedToJ2000) {
    // 3C 273: B1950 12h26m33.246s +02d19'43.29" is J2000 12h29m06.70s
    // +02d03'08.6" (the published J2000 place of the quasar).
    const Catalogue cat = ParseCatalogue("3C 273, 12:26:33.246, +02:19:43.29, B1950\n", "s.cat");
    ASSERT_EQ(cat.Entries.size(), 1u);
    EXPECT_NEAR(cat.Entries[0].RaDeg, Hms(12, 29, 6.70) * 15, 0.5 / 3600);
    EXPECT_NEAR(cat.Entries[0].DecDeg, Dms(2, 3, 8.6), 0.5 / 3600);
}

TEST(Catalogue, TheSampleLoadsWhole) {
    const Catalogue cat = ReadCatalogue(KELVO_DATA_DIR "/sources.cat");
    EXPECT_TRUE(cat.Problems.empty()) << Describe(cat.Problems[0]);
    EXPECT_EQ(cat.Entries.size(), 26u);
    for (const char* name : {"3C 48", "3c 286", "Hydra A", "DR21", "psr b0329+54", "S9"})
        EXPECT_NE(FindInCatalogue(cat, name), nullptr) << name;
    EXPECT_EQ(FindInCatalogue(cat, "Vulcan"), nullptr);
    // A missing file is no problem (the catalogue is optional); a folder is.
    EXPECT_TRUE(ReadCatalogue("/nonexistent/sources.cat").Problems.empty());
    ASSERT_EQ(ReadCatalogue(KELVO_DATA_DIR).Problems.size(), 1u);
}

TEST(Catalogue, SelectingAnEntryMakesAFixedSource) {
    ObservationState s;
    s.RedrawPending = false;
    SelectCatalogueEntry(s, {"Z\xC3\xBCrich \xE2\x98\x85", 83.6, 22.0, ""});
    EXPECT_EQ(s.Kind, SourceKind::Fixstar);
    EXPECT_DOUBLE_EQ(s.SourceRa, 83.6 * kDeg);
    EXPECT_STREQ(s.SourceName, "Z\xFCrich ?");  // Latin-1 for the source button
    EXPECT_TRUE(s.RedrawPending);
}
