// The site configuration and horizon files: the line rule and the readers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

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

// Every problem of a site file is reported with its line and what was read,
// while the values stay those of the reading rules (checked above).
struct ReportCase {
    const char* name;
    std::string text;
    std::vector<std::pair<int, const char*>> problems;  // line, part of the text
};

class ConfigReports : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ConfigReports, EachProblemWithItsLine) {
    const ReportCase& c = GetParam();
    ScratchDir dir("kelvo-cfg-report");
    WriteFile(dir.path() / "kelvo.cfg", c.text);
    ObservationState s;
    SiteProblems problems;
    ReadSiteFile((dir.path() / "kelvo.cfg").c_str(), s, &problems);
    std::string all;
    for (const SiteProblem& p : problems) all += Describe(p) + "\n";
    ASSERT_EQ(problems.size(), c.problems.size()) << c.name << "\n" << all;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        EXPECT_EQ(problems[i].Line, c.problems[i].first) << c.name << "\n" << all;
        EXPECT_NE(problems[i].Text.find(c.problems[i].second), std::string::npos)
            << c.name << "\n" << all;
        EXPECT_EQ(Describe(problems[i]).find('\n'), std::string::npos) << "one line";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigReports,
    ::testing::Values(
        ReportCase{"a good file", "Tarnwick\n250\n-15.0\n50.0\n-1\n", {}},
        ReportCase{"decimal comma", "S\n117,7\n-15\n50\n-1\n",
                   {{2, "\"117,7\" is more than a number: read as 117 m"}}},
        ReportCase{"degrees minutes seconds", "S\n250\n117 42 00\n50\n0\n",
                   {{3, "\"117 42 00\" is more than a number: read as 117"}}},
        ReportCase{"zone as a name", "S\n250\n-15\n50\nPST\n",
                   {{5, "\"PST\" is no number: read as 0"}}},
        ReportCase{"zone 1.5", "S\n250\n-15\n50\n1.5\n",
                   {{5, "is no whole number: read as 1"}, {5, "none of 0 (UT), -1 (MEZ)"}}},
        ReportCase{"number beyond the range", "S\n1e400\n-15\n50\n0\n",
                   {{2, "\"1e400\" is beyond the number range: read as 0"}}},
        ReportCase{"latitude beyond 90", "S\n250\n-15\n95\n0\n", {{4, "95 degrees is beyond +-90"}}},
        ReportCase{"longitude beyond 180", "S\n250\n200\n50\n0\n",
                   {{3, "200 degrees is beyond +-180"}}},
        ReportCase{"missing lines", "S\n250\n",
                   {{3, "(longitude) missing"}, {4, "(latitude) missing"}, {5, "(zone code) missing"}}},
        ReportCase{"name cut", std::string(45, 'N') + "\n250\n-15\n50\n-1\n",
                   {{1, "cut to \"NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN\"; no later line"},
                    {2, "(height) missing"},
                    {3, "(longitude) missing"},
                    {4, "(latitude) missing"},
                    {5, "(zone code) missing"}}},
        ReportCase{"control characters shown as ?", "S\n2\x01" "5\n-15\n50\n0\n",
                   {{2, "\"2?5\" is more than a number"}}}));

TEST(ConfigReports, FilesThatCannotBeReadNeverBlock) {
    ScratchDir dir("kelvo-cfg-odd");
    // A named pipe with no writer would block a plain open forever; a folder
    // cannot be read as a file.
    const std::string fifo = (dir.path() / "kelvo.cfg").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "horizon.prn");
    ObservationState s;
    s.SiteLatitude = 12;
    s.Horizon.fill(3.0f);
    SiteProblems problems;
    ReadSiteFile(fifo.c_str(), s, &problems);
    ReadHorizonProfile((dir.path() / "horizon.prn").c_str(), s, &problems);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].Text.find("cannot be read (not a regular file)"), std::string::npos);
    EXPECT_NE(problems[1].Text.find("cannot be read (not a regular file)"), std::string::npos);
    EXPECT_EQ(s.SiteLatitude, 12.0);  // a missing file leaves the site as it is
    EXPECT_EQ(s.Horizon[10], 0.0f);

    problems.clear();
    ReadSiteFile((dir.path() / "none.cfg").c_str(), s, &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(Describe(problems[0]),
              (dir.path() / "none.cfg").string() +
                  ": cannot be read (No such file or directory): no site name, height, "
                  "longitude and latitude 0, zone UT");
}

TEST(HorizonReports, BadEntriesAreReportedAndKeptWithinNinetyDegrees) {
    ScratchDir dir("kelvo-horizon-report");
    std::string text = "3.25\nhill\n1e50\n-95\n1e400\n7 deg\n";
    WriteFile(dir.path() / "horizon.prn", text);
    ObservationState s;
    SiteProblems problems;
    ReadHorizonProfile((dir.path() / "horizon.prn").c_str(), s, &problems);
    EXPECT_EQ(s.Horizon[1], 0.0f);
    EXPECT_EQ(s.Horizon[2], 90.0f);
    EXPECT_EQ(s.Horizon[3], -90.0f);
    EXPECT_EQ(s.Horizon[4], 0.0f);
    EXPECT_EQ(s.Horizon[5], 7.0f);
    std::vector<std::string> lines;
    for (const SiteProblem& p : problems) lines.push_back(Describe(p));
    ASSERT_EQ(lines.size(), 6u);
    const std::string f = (dir.path() / "horizon.prn").string();
    EXPECT_EQ(lines[0], f + " line 2: (azimuth 1) \"hill\" is no number: read as 0 degrees");
    EXPECT_EQ(lines[1], f + " line 3: (azimuth 2) \"1e50\" is beyond +-90 degrees: 90 is used");
    EXPECT_EQ(lines[2], f + " line 4: (azimuth 3) \"-95\" is beyond +-90 degrees: -90 is used");
    EXPECT_NE(lines[3].find("line 5: (azimuth 4) \"1e400\" is beyond the number range"),
              std::string::npos);
    EXPECT_NE(lines[4].find("line 6: (azimuth 5) \"7 deg\" is more than a number"),
              std::string::npos);
    EXPECT_EQ(lines[5], f + ": only 6 of 360 entries: azimuths 6 to 359 are taken as 0 degrees");
}

TEST(HorizonReports, AFileOfGarbageListsTwelveAndCountsTheRest) {
    ScratchDir dir("kelvo-horizon-garbage");
    std::string text;
    for (int i = 0; i < 360; ++i) text += "x\n";
    WriteFile(dir.path() / "horizon.prn", text);
    ObservationState s;
    SiteProblems problems;
    ReadHorizonProfile((dir.path() / "horizon.prn").c_str(), s, &problems);
    ASSERT_EQ(problems.size(), 13u);
    EXPECT_EQ(problems.back().Text, "348 more problems in this file not listed");
}

struct NameCase {
    const char* name;
    std::string bytes, utf8;
};

class SiteNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(SiteNames, Utf8WhenValidElseLatin1) {
    EXPECT_EQ(NameAsUtf8(GetParam().bytes), GetParam().utf8) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SiteNames,
    ::testing::Values(NameCase{"ASCII", "Tarnwick", "Tarnwick"},
                      NameCase{"UTF-8", "Z\xC3\xBCrich", "Z\xC3\xBCrich"},
                      NameCase{"Latin-1", "Z\xFCrich", "Z\xC3\xBCrich"},
                      NameCase{"UTF-8 cut by the 39-character limit", "Ob\xC3", "Ob"},
                      NameCase{"three-byte character cut", "x\xE2\x82", "x"},
                      NameCase{"overlong form is no UTF-8", "a\xC0\xAF", "a\xC3\x80\xC2\xAF"},
                      NameCase{"surrogate is no UTF-8", "\xED\xA0\x80",
                               "\xC3\xAD\xC2\xA0\xC2\x80"}));

TEST(ZoneMismatch, ComparesTheCodeWithThisComputersOffset) {
    EXPECT_FALSE(ZoneMismatch("kelvo.cfg", -1, 3600));
    EXPECT_FALSE(ZoneMismatch("kelvo.cfg", 0, 0));
    const auto summer = ZoneMismatch("kelvo.cfg", -1, 7200);
    ASSERT_TRUE(summer);
    EXPECT_EQ(Describe(*summer),
              "kelvo.cfg line 5: (zone code) -1 means UT+1, but this computer's clock runs on "
              "UT+2: every position is off by the difference");
    const auto india = ZoneMismatch("kelvo.cfg", 0, 19800);
    ASSERT_TRUE(india);
    EXPECT_NE(india->Text.find("UT+5:30"), std::string::npos);
    const auto west = ZoneMismatch("kelvo.cfg", -2, -8 * 3600);
    ASSERT_TRUE(west);
    EXPECT_NE(west->Text.find("UT-8"), std::string::npos);
}

TEST(ReadSiteFile, ZoneAutoAndOfDateLines) {
    struct Case {
        std::string text;
        bool systemZone, ofDate;
        std::size_t problems;
    };
    const Case cases[] = {
        {"S\n1\n2\n3\n-1\n", false, false, 0},
        {"S\n1\n2\n3\n AUTO \nof-date\n", true, true, 0},
        {"S\n1\n2\n3\n-2\r\nOf-Date\r\n", false, true, 0},
        {"S\n1\n2\n3\n0\n\n", false, false, 0},
        {"S\n1\n2\n3\n0\nofdate\n", false, false, 1},
        {"S\n1\n2\n3\nautomatic\n", false, false, 2},  // no number, and code 0 is fine
    };
    for (const Case& c : cases) {
        ScratchDir dir("kelvo-cfg-auto");
        WriteFile(dir.path() / "kelvo.cfg", c.text);
        ObservationState s;
        s.OfDate = true;  // the file decides
        SiteProblems problems;
        ReadSiteFile((dir.path() / "kelvo.cfg").c_str(), s, &problems);
        EXPECT_EQ(s.SystemZone, c.systemZone) << c.text;
        EXPECT_EQ(s.OfDate, c.ofDate) << c.text;
        EXPECT_EQ(problems.size(), c.problems == 2 ? 1u : c.problems) << c.text;
    }
}
