// The site configuration and horizon files: the line rule and the readers.
#include <gtest/gtest.h>

#include <string>

#include <cmath>

#include "SiteFiles.h"
#include "Text.h"
#include "TermsFiles.h"

using namespace kelvo;

namespace {

struct ConfigCase {
    const char* name;
    std::string text;
    const char* site;
    double height, longitude, latitude;
    int zone;
};

ObservationState ReadConfig(const std::string& text, const char* path_name = "kelvo.cfg") {
    ScratchDir dir("kelvo-cfg");
    WriteFile(dir.path() / path_name, text);
    ObservationState s;
    ReadSiteFile((dir.path() / "kelvo.cfg").c_str(), s);
    return s;
}

const std::string kName45(45, 'N');

}  // namespace

class ConfigFiles : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigFiles, ReadAsTheLineRuleSays) {
    const ConfigCase& c = GetParam();
    const ObservationState s = ReadConfig(c.text);
    EXPECT_STREQ(s.SiteName, c.site) << c.name;
    EXPECT_DOUBLE_EQ(s.SiteHeight, c.height) << c.name;
    EXPECT_DOUBLE_EQ(s.SiteLongitude, c.longitude) << c.name;
    EXPECT_DOUBLE_EQ(s.SiteLatitude, c.latitude) << c.name;
    EXPECT_EQ(s.TimeZoneCode, c.zone) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigFiles,
    ::testing::Values(
        ConfigCase{"LF", "Tarnwick\n250\n-15.0\n50.0\n-1\n", "Tarnwick", 250, -15, 50, -1},
        ConfigCase{"CR LF", "Tarnwick\r\n250\r\n-15.0\r\n50.0\r\n-1\r\n", "Tarnwick", 250, -15,
                   50, -1},
        ConfigCase{"no final line feed", "Tarnwick\n250\n-15.0\n50.0\n-2", "Tarnwick", 250, -15,
                   50, -2},
        ConfigCase{"Ctrl-Z ends the data", "Tarnwick\n250\n\x1a-15.0\n50.0\n-1\n", "Tarnwick",
                   250, 0, 0, 0},
        ConfigCase{"letter after the longitude", "S\n100\n12.5 E\n47.25\n0\n", "S", 100, 12.5,
                   47.25, 0},
        ConfigCase{"zone 1.5 is read as an integer", "S\n1\n2\n3\n1.5\n", "S", 1, 2, 3, 1},
        ConfigCase{"blanks and exponent", "S\n  2.5e3\n\t-1.5E+1x\n+50\n  -1 MEZ\n", "S", 2500,
                   -15, 50, -1},
        ConfigCase{"not numbers give 0", "S\nhigh\n.\n-\nMEZ\n", "S", 0, 0, 0, 0},
        ConfigCase{"short file with final line feed", "S\n250\n", "S", 250, 0, 0, 0},
        ConfigCase{"short file without final line feed", "S\n250", "S", 250, 0, 0, 0},
        ConfigCase{"empty file", "", "", 0, 0, 0, 0},
        ConfigCase{"45-character name cuts and fails the file", kName45 + "\n250\n-15\n50\n-1\n",
                   "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", 0, 0, 0, 0},
        ConfigCase{"39-character name is whole", std::string(39, 'N') + "\r\n5\n6\n7\n-2\n",
                   "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", 5, 6, 7, -2},
        ConfigCase{"over-long number line", "S\n250\n" + std::string(50, '1') + "\n50\n-1\n",
                   "S", 250, std::stod(std::string(39, '1')), 0, 0},
        ConfigCase{"number beyond the double range", "S\n1e999\n-15\n50\n99999999999\n", "S", 0,
                   -15, 50, 2147483647}));

TEST(ReadSiteFile, MissingFileKeepsTheSiteAndStillSelectsTheSun) {
    ObservationState s;
    SetText(s.SiteName, "Old site");
    s.SiteHeight = 12;
    s.Kind = SourceKind::Planet;
    s.PlanetNumber = 5;
    SetText(s.SourceName, "Jupiter");
    s.RedrawPending = false;
    ReadSiteFile("/nonexistent/kelvo.cfg", s);
    EXPECT_STREQ(s.SiteName, "Old site");
    EXPECT_EQ(s.SiteHeight, 12);
    EXPECT_EQ(s.Kind, SourceKind::Planet);
    EXPECT_EQ(s.PlanetNumber, 0);
    EXPECT_STREQ(s.SourceName, "Sun");
    EXPECT_EQ(s.SourceRa, 3.07675);
    EXPECT_EQ(s.SourceDec, 0.0280569);
    EXPECT_TRUE(s.RedrawPending);
}

TEST(ReadHorizonProfile, FourHundredLinesUseTheFirst360) {
    ScratchDir dir("kelvo-horizon");
    std::string text;
    for (int i = 0; i < 400; ++i) text += std::to_string(i % 90) + ".5\r\n";
    WriteFile(dir.path() / "horizon.prn", text);
    ObservationState s;
    ReadHorizonProfile((dir.path() / "horizon.prn").c_str(), s);
    EXPECT_EQ(s.Horizon[0], 0.5f);
    EXPECT_EQ(s.Horizon[89], 89.5f);
    EXPECT_EQ(s.Horizon[359], 89.5f);  // line 360 holds 359 % 90 = 89
}

TEST(ReadHorizonProfile, ShortBadAndMissingFilesGiveZeroDegrees) {
    ScratchDir dir("kelvo-horizon");
    WriteFile(dir.path() / "horizon.prn", "3.25\nhill\n1e50\n7");
    ObservationState s;
    s.Horizon.fill(42.0f);
    ReadHorizonProfile((dir.path() / "horizon.prn").c_str(), s);
    EXPECT_EQ(s.Horizon[0], 3.25f);
    EXPECT_EQ(s.Horizon[1], 0.0f);
    EXPECT_EQ(s.Horizon[2], 90.0f);  // beyond +-90 (and single precision): the nearest valid
    EXPECT_EQ(s.Horizon[3], 7.0f);
    EXPECT_EQ(s.Horizon[4], 0.0f);
    EXPECT_EQ(s.Horizon[359], 0.0f);

    s.Horizon.fill(42.0f);
    ReadHorizonProfile("/nonexistent/horizon.prn", s);
    EXPECT_EQ(s.Horizon[0], 0.0f);
    EXPECT_EQ(s.Horizon[359], 0.0f);
}

TEST(LineReader, OverLongLineFailsTheFileAndLeavesTargets) {
    ScratchDir dir("kelvo-lines");
    WriteFile(dir.path() / "f", std::string(41, 'x') + "\nnext\n");
    std::FILE* f = std::fopen((dir.path() / "f").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    LineReader reader(f);
    char line[TextBufferSize] = "";
    EXPECT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(std::string(line), std::string(39, 'x'));
    char other[TextBufferSize] = "keep";
    EXPECT_FALSE(reader.ReadLine(other));
    EXPECT_STREQ(other, "keep");
    std::fclose(f);
}
