// The chart class on its own: the pixel mapping and every layer drawn into
// an image of the main window's size and of another size, with no window.
#include <gtest/gtest.h>

#include <cmath>

#include "Pixels.h"
#include "Satellit.h"
#include "SkyChart.h"

using namespace kelvo;

namespace {

TrackPoint Point(double az, double el, bool visible) { return {0.0, az, el, visible, false, {}}; }

// A site 15 E 50 N 500 m with a 2-degree horizon and a 90-degree wall at
// azimuth 100.
ObservationState Site() {
    ObservationState s;
    s.SiteLongitude = -15;
    s.SiteLatitude = 50;
    s.SiteHeight = 500;
    s.Horizon.fill(2.0f);
    s.Horizon[100] = 90.0f;
    return s;
}

}  // namespace

struct PixelCase {
    double az, el;
    int x, y;
};

class ChartPositionTable : public ::testing::TestWithParam<PixelCase> {};

TEST_P(ChartPositionTable, TruncatesTowardZero) {
    const PixelCase c = GetParam();
    int x = -1, y = -1;
    ChartPosition(c.az, c.el, 189, 111, x, y);
    EXPECT_EQ(x, c.x) << c.az;
    EXPECT_EQ(y, c.y) << c.el;
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartPositionTable,
                         ::testing::Values(PixelCase{0, 0, 0, 111}, PixelCase{180, 90, 94, 0},
                                           PixelCase{360, 45, 189, 55},
                                           PixelCase{359.9, 90, 188, 0},
                                           PixelCase{1.9, 89.5, 0, 0},
                                           PixelCase{180, 45, 94, 55}));

TEST(ChartPosition, NotFiniteLandsOutsideTheChart) {
    int x = 0, y = 0;
    ChartPosition(std::nan(""), INFINITY, 189, 111, x, y);
    EXPECT_TRUE(x < 0 || x >= 189 || y < 0 || y >= 111);
}

TEST(SkyChart, MainWindowChartWithoutAWindow) {
    const ObservationState s = Site();
    // Two visible points, one hidden, and the present moment at az 180, el 45.
    const std::vector<TrackPoint> points = {Point(90, 30, true), Point(270, 10, true),
                                            Point(45, -20, false), Point(180, 45, true)};
    SkyChart chart(189, 111);
    chart.Draw(s, points);
    const QImage& image = chart.Image();
    ASSERT_EQ(image.size(), QSize(189, 111));

    // Background where nothing else is drawn.
    EXPECT_EQ(image.pixelColor(2, 2), ChartBackground);
    // The wall at azimuth 100: a full green column at x = trunc(189/360*100).
    for (int y = 0; y < 111; ++y) EXPECT_EQ(image.pixelColor(52, y), ChartHorizon) << y;
    // Elsewhere the 2-degree rim: green at the bottom, not above it.
    EXPECT_EQ(image.pixelColor(140, 110), ChartHorizon);
    EXPECT_NE(image.pixelColor(140, 100), ChartHorizon);
    // Track pixels at (47, 74) for az 90 el 30 and (141, 98) for az 270 el 10;
    // the hidden point leaves nothing.
    EXPECT_EQ(image.pixelColor(47, 74), ChartTrack);
    EXPECT_EQ(image.pixelColor(141, 98), ChartTrack);
    // The cross at (94, 55), 4 pixels each way.
    for (int d : {-3, 3}) {
        EXPECT_EQ(image.pixelColor(94 + d, 55), ChartTrack) << d;
        EXPECT_EQ(image.pixelColor(94, 55 + d), ChartTrack) << d;
    }
    // The top of the belt due south at 32.70 deg: y = trunc(111/90 * 57.30).
    bool belt = false;
    for (int dy = -1; dy <= 1; ++dy) belt = belt || image.pixelColor(94, 70 + dy) == ChartBelt;
    EXPECT_TRUE(belt);
    EXPECT_GT(CountPixels(image, ChartBelt), 100);
    EXPECT_EQ(CountPixels(image, ChartEvent), 0);

    // An event ring of 10 pixels round (94, 55): red on its outline only.
    chart.DrawEventMark(45.0f, 180.0f);
    EXPECT_EQ(image.pixelColor(94, 50), ChartEvent);
    EXPECT_EQ(image.pixelColor(99, 55), ChartEvent);
    EXPECT_NE(image.pixelColor(94, 55), ChartEvent);
    // A new background clears everything, with a solid brush again.
    chart.Clear();
    EXPECT_EQ(CountPixels(image, ChartBackground), 189 * 111);
}

TEST(SkyChart, AnySizeScalesTheSameDrawing) {
    ObservationState s = Site();
    s.ShowGeostationary = false;
    SkyChart chart(720, 360);  // 2 pixels a degree of azimuth, 4 of elevation
    chart.Draw(s, {Point(90, 45, true), Point(200, 60, true)});
    const QImage& image = chart.Image();
    EXPECT_EQ(image.pixelColor(180, 180), ChartTrack);  // az 90, el 45
    EXPECT_EQ(image.pixelColor(400 + 3, 120), ChartTrack);  // the cross at az 200, el 60
    for (int y = 0; y < 360; y += 7) EXPECT_EQ(image.pixelColor(200, y), ChartHorizon) << y;
    EXPECT_EQ(image.pixelColor(600, 358), ChartHorizon);  // the 2-degree rim is 8 pixels high
    EXPECT_EQ(image.pixelColor(600, 354), ChartHorizon);
    EXPECT_NE(image.pixelColor(600, 345), ChartHorizon);
    EXPECT_EQ(CountPixels(image, ChartBelt), 0);
}

TEST(SkyChart, BeltCentredOnTheSitesMeridian) {
    // Los Angeles, 117.7 W 34 N: satellites from 27.7 W to 207.7 W. Before,
    // only 90 E to 89 W were taken and the arc stopped at azimuth 136.
    SkyChart chart(360, 90);  // one pixel a degree
    chart.Clear();
    chart.DrawGeostationaryArc(100, 34.0, 117.7, nullptr);
    const QImage& image = chart.Image();
    int east = 0, west = 0, top = 90;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 360; ++x) {
            if (image.pixelColor(x, y) != ChartBelt) continue;
            east += x < 136;
            west += x > 224;
            if (y < top) top = y;
        }
    EXPECT_GT(east, 20);
    EXPECT_GT(west, 20);
    float a = 0, e = 0;
    GeostationaryElevation(117.7f, 100, 34.0, 117.7, a, e);  // due south
    EXPECT_NEAR(e, 50.5, 0.5);
    EXPECT_EQ(top, static_cast<int>(90 - e));
    // Near Greenwich the 180 points are the same as ever.
    SkyChart greenwich(189, 111), before(189, 111);
    greenwich.Clear();
    greenwich.DrawGeostationaryArc(500, 50, 0.4, nullptr);
    before.Clear();
    for (int k = -90; k <= 89; ++k) {
        GeostationaryElevation(static_cast<float>(k), 500, 50, 0.4, a, e);
        int x, y;
        before.Position(a, e, x, y);
        before.canvas().SetPixel(x, y, ChartBelt);
    }
    EXPECT_EQ(greenwich.Image(), before.Image());
}
