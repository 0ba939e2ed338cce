// The table lines, the day's track and the geostationary look angles, without
// drawing.
#include <gtest/gtest.h>

#include <cmath>

#include "EphemerisConstants.h"
#include "Satellit.h"
#include "SkyChart.h"
#include "Text.h"
#include "Track.h"

using namespace kelvo;
using C = EphemerisConstants;

TEST(TableLine, FormatAndReadBack) {
    EXPECT_EQ(FormatTableLine(0.5, 123.456, -5.25), "00.5h a=123.46\xB0  e=-5.25\xB0");
    EXPECT_EQ(FormatTableLine(24.0, 7.5, 12.345), "24.0h a=007.50\xB0  e=+12.35\xB0");
    const std::string five = FormatTableLine(12.0, 180.0, 5.0);
    EXPECT_EQ(five, "12.0h a=180.00\xB0  e=+5.00\xB0");
    EXPECT_EQ(ListNumber(five, 8, 6), 180.0);
    EXPECT_EQ(ListNumber(five, 19, 6), 5.0);
    const std::string negative = FormatTableLine(3.0, 10.0, -12.34);
    EXPECT_EQ(ListNumber(negative, 19, 6), -12.34);
    EXPECT_EQ(ListNumber("short", 19, 6), 0.0);
}

TEST(Visibility, StrictAgainstZeroOrTheProfile) {
    ObservationState s;
    s.ShowHorizon = false;
    EXPECT_FALSE(IsVisible(s, 100, 0.0));
    EXPECT_TRUE(IsVisible(s, 100, 0.01));
    s.ShowHorizon = true;
    s.Horizon[100] = 3.0f;
    s.Horizon[0] = 1.0f;
    EXPECT_FALSE(IsVisible(s, 100.7, 3.0));
    EXPECT_TRUE(IsVisible(s, 100.7, 3.01));
    EXPECT_FALSE(IsVisible(s, 360.0, 1.0));  // 360 uses entry 0
    EXPECT_TRUE(IsVisible(s, 360.0, 1.5));
}

namespace {

// A site 15 E 50 N on MEZ with the shipped terms files.
class TrackInDataDir : public ::testing::Test {
protected:
    void SetUp() override {
        s.SiteLongitude = -15;
        s.SiteLatitude = 50;
        s.SiteHeight = 250;
        s.TimeZoneCode = -1;
        s.Terms.Directory = KELVO_DATA_DIR;
    }
    ObservationState s;
    const ClockReading clock{2009, 5, 10, 21, 13, 7, 0};
};

std::vector<std::string> Lines(const std::vector<TrackPoint>& points) {
    std::vector<std::string> lines;
    for (const auto& p : points)
        if (p.Tabulated) lines.push_back(p.Line);
    return lines;
}

}  // namespace

TEST_F(TrackInDataDir, TablesHaveEveryStep) {
    s.Kind = SourceKind::Fixstar;
    s.SourceRa = 299.8681667 * C::DegToRad;
    s.SourceDec = 40.7338611 * C::DegToRad;
    for (int step : {60, 30, 12, 6}) {
        s.StepMinutes = step;
        const auto points = ComputeTrack(s, clock);
        const auto lines = Lines(points);
        const int n = 1440 / step;
        ASSERT_EQ(points.size(), static_cast<std::size_t>(n + 2));
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(n + 1)) << step;
        for (int i = 0; i <= n; ++i) {
            char hours[8];
            std::snprintf(hours, sizeof hours, "%04.1f", i * step / 60.0);
            EXPECT_EQ(lines[i].substr(0, 5), std::string(hours) + "h") << step << " " << i;
        }
        EXPECT_EQ(lines.front().substr(0, 5), "00.0h");
        EXPECT_EQ(lines.back().substr(0, 5), "24.0h");
        EXPECT_FALSE(points.back().Tabulated);  // the present moment
        EXPECT_NEAR(points.back().Hours, 21 + 13 / 60.0 + 7 / 3600.0, 1e-12);
    }
}

TEST_F(TrackInDataDir, NegativeLinesLieBelowTheHorizonAndPresentPlaceIsKept) {
    s.Kind = SourceKind::Moon;
    s.StepMinutes = 12;
    const auto points = ComputeTrack(s, clock);
    int negatives = 0;
    for (const auto& p : points) {
        if (!p.Tabulated) continue;
        if (p.Line[19] == '-') {
            ++negatives;
            int x, y;
            ChartPosition(p.Azimuth, p.Elevation, 189, 111, x, y);
            EXPECT_GE(y, 111) << p.Line;
            EXPECT_FALSE(p.Visible) << p.Line;
        }
    }
    EXPECT_GT(negatives, 0);
    // After the pass the state holds the present moment's place.
    ObservationState now = s;
    double lst, az, el;
    UpdateReadouts(now, clock, lst, az, el);
    EXPECT_DOUBLE_EQ(s.SourceRa, now.SourceRa);
    EXPECT_DOUBLE_EQ(s.SourceDec, now.SourceDec);
}

TEST_F(TrackInDataDir, EarthLiesAtZeroAndIsNeverVisibleWithoutTheProfile) {
    s.Kind = SourceKind::Planet;
    s.PlanetNumber = 3;
    s.ShowHorizon = false;
    for (const auto& p : ComputeTrack(s, clock)) {
        EXPECT_EQ(p.Azimuth, 0.0);
        EXPECT_EQ(p.Elevation, 0.0);
        EXPECT_FALSE(p.Visible);
    }
}

// The look angles of the belt as they were first written, valid for a
// northern site: the reference that the mended formula must reproduce there.
static void ClassicLookAngles(float s, double height, double lat, double lon, float& az,
                              float& el) {
    const float r = static_cast<float>(0.001 * height + C::EarthRadius);
    const float phi = static_cast<float>(lat * C::DegToRad);
    const float dl = static_cast<float>(static_cast<double>(s) - lon);
    const float dlr = static_cast<float>(dl * C::DegToRad);
    const float A = static_cast<float>(std::atan(std::tan(double{dlr}) / std::sin(double{phi})));
    const float Ad = static_cast<float>(A * C::RadToDeg);
    const double rd = r;
    const float D = static_cast<float>(std::sqrt(
        rd * rd + 1783626289.0 - 84466.0 * rd * std::cos(double{dlr}) * std::cos(double{phi})));
    const float q = static_cast<float>(
        (std::cos(double{phi}) * 42233.0 * std::cos(double{dlr}) - rd) / D);
    const float E = static_cast<float>(std::atan(q / std::sqrt(1.0 - double{q} * q)));
    el = static_cast<float>(E * C::RadToDeg);
    az = static_cast<float>(180.0 + Ad);
}

TEST(GeostationaryElevation, WorkedExampleAt50North15East) {
    float a, e;
    GeostationaryElevation(-15.0f, 500, 50, -15, a, e);
    EXPECT_NEAR(a, 180.0, 1e-4);
    EXPECT_NEAR(e, 32.70, 0.005);
    GeostationaryElevation(-16.0f, 500, 50, -15, a, e);
    EXPECT_NEAR(a, 178.69, 0.005);
    GeostationaryElevation(-14.0f, 500, 50, -15, a, e);
    EXPECT_NEAR(a, 181.31, 0.005);
    GeostationaryElevation(61.0f, 500, 50, -15, a, e);
    EXPECT_NEAR(a, 259.2, 0.05);
    EXPECT_NEAR(e, 0.26, 0.01);
    GeostationaryElevation(62.0f, 500, 50, -15, a, e);
    EXPECT_LT(e, 0.0);  // the western end of the arc is k = 61
    GeostationaryElevation(-90.0f, 500, 50, -15, a, e);
    EXPECT_NEAR(a, 101.6, 0.05);
    EXPECT_NEAR(e, 0.89, 0.01);
}

TEST(GeostationaryElevation, NorthernSitesKeepTheClassicValues) {
    for (double lat : {10.0, 50.0, 78.0})
        for (int k = -90; k <= 89; ++k) {
            float a, e, a0, e0;
            GeostationaryElevation(static_cast<float>(k), 500, lat, -15, a, e);
            ClassicLookAngles(static_cast<float>(k), 500, lat, -15, a0, e0);
            // Satellites 90 deg or more from the meridian lie on the far side,
            // where the classic form put them on the wrong side of the chart.
            const float dlr = static_cast<float>(static_cast<float>(k + 15.0) * C::DegToRad);
            if (std::cos(double{dlr}) <= 0) continue;
            EXPECT_EQ(a, a0) << lat << " " << k;
            EXPECT_EQ(e, e0) << lat << " " << k;
        }
}

TEST(GeostationaryElevation, EquatorZenithAndSouthernSites) {
    float a, e;
    // At the equator the belt runs through the zenith along the east-west line.
    GeostationaryElevation(-15.0f, 0, 0, -15, a, e);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_FLOAT_EQ(e, 90.0f);
    GeostationaryElevation(-45.0f, 0, 0, -15, a, e);  // 30 deg east of the site
    EXPECT_NEAR(a, 90.0, 1e-4);
    GeostationaryElevation(15.0f, 0, 0, -15, a, e);  // 30 deg west
    EXPECT_NEAR(a, 270.0, 1e-4);
    // South of the equator the belt lies about the north point.
    GeostationaryElevation(-15.0f, 500, -50, -15, a, e);
    EXPECT_NEAR(std::fmod(a, 360.0f), 0.0, 1e-4);
    EXPECT_NEAR(e, 32.70, 0.005);
    GeostationaryElevation(-20.0f, 500, -50, -15, a, e);  // east of the meridian
    EXPECT_GT(a, 0.0f);
    EXPECT_LT(a, 90.0f);
    GeostationaryElevation(-10.0f, 500, -50, -15, a, e);  // west of it
    EXPECT_GT(a, 270.0f);
    EXPECT_LE(a, 360.0f);
}

TEST_F(TrackInDataDir, WithoutUsableTermsNoNumbersNoTrackNoTable) {
    s.Terms.Directory = "/nonexistent-kelvo-folder";
    std::vector<std::vector<std::string_view>> calls;
    s.Terms.Report = [&](const std::vector<std::string_view>& lines) { calls.push_back(lines); };
    s.Kind = SourceKind::Planet;
    s.PlanetNumber = 4;
    double lst, az, el;
    const Readouts r = UpdateReadouts(s, clock, lst, az, el);
    EXPECT_FALSE(r.PlaceUsable);
    EXPECT_EQ(r.AziEle, "AZI/ELE: terms missing");
    EXPECT_EQ(r.RaDec, "RA/DEC: no PLANETS.NDX/DAT");
    EXPECT_EQ(r.Problem,
              "/nonexistent-kelvo-folder/PLANETS.NDX: cannot be opened (No such file or directory)");
    EXPECT_EQ(r.Lst.substr(0, 5), "LST= ");  // time needs no terms
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].size(), 4u);  // two lines for each of the two loads

    const auto points = ComputeTrack(s, clock);
    EXPECT_EQ(points.size(), 50u);
    for (const TrackPoint& p : points) {
        EXPECT_FALSE(p.Visible);
        EXPECT_FALSE(p.Tabulated);
    }
    // The Moon and fixed sources need no terms.
    s.Kind = SourceKind::Moon;
    EXPECT_TRUE(UpdateReadouts(s, clock, lst, az, el).PlaceUsable);
    int lines = 0;
    for (const TrackPoint& p : ComputeTrack(s, clock)) lines += p.Tabulated;
    EXPECT_EQ(lines, 49);
}

TEST(PrintWhenChanged, EachConditionOnceWhenItStartsOrChanges) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    const TermsReport report = PrintWhenChanged(out);
    const std::string_view index = "Index file not found !!!";
    const std::string_view data = "Planetary terms file not found !!!";
    const std::string_view damaged = "Planetary terms files damaged !!!";
    for (int i = 0; i < 240; ++i) report({index, data, index, data});  // both missing, for long
    report({damaged});                                                 // the files come back damaged
    report({damaged});
    report({});                                                        // mended
    report({damaged});                                                 // damaged again
    std::rewind(out);
    std::string text(4096, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    EXPECT_EQ(text,
              "Index file not found !!!\nPlanetary terms file not found !!!\n"
              "Planetary terms files damaged !!!\nPlanetary terms files damaged !!!\n");
}

TEST_F(TrackInDataDir, TermsLoadedOnceGiveTheSameTrack) {
    for (int planet : {0, 1, 6, 9}) {
        s.Kind = SourceKind::Planet;
        s.PlanetNumber = planet;
        s.StepMinutes = 6;
        ObservationState once = s;
        const auto perCall = ComputeTrack(s, clock);
        const auto loaded = ComputeTrack(once, clock, true);
        ASSERT_EQ(perCall.size(), loaded.size());
        for (std::size_t i = 0; i < perCall.size(); ++i) {
            EXPECT_EQ(perCall[i].Azimuth, loaded[i].Azimuth) << planet << " " << i;
            EXPECT_EQ(perCall[i].Elevation, loaded[i].Elevation) << planet << " " << i;
            EXPECT_EQ(perCall[i].Line, loaded[i].Line);
        }
        EXPECT_EQ(s.SourceRa, once.SourceRa);
    }
}
