// The large sky chart: geometry of both views at two sizes, the horizon
// fill, the belt's top, and PNG/SVG export.
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "Satellit.h"
#include "SkyChartPainter.h"
#include "TermsFiles.h"

using namespace kelvo;
using Colours = SkyChartColours;

namespace {

TrackPoint Point(double hours, double az, double el, bool visible) {
    return {hours, az, el, visible, true, {}};
}

// A site 15 E 50 N with a flat 2-degree horizon and a 20-degree hill from
// azimuth 100 to 109; a short track with whole hours at known places.
ChartScene Scene() {
    ChartScene s;
    s.Title = "Test  \u2014  11-12-2026  \u2014  Cygn A  \u2014  Timezone: MEZ";
    s.Horizon.fill(2.0f);
    for (int j = 100; j < 110; ++j) s.Horizon[static_cast<std::size_t>(j)] = 20.0f;
    s.SiteHeight = 250;
    s.SiteLatitude = 50;
    s.SiteLongitude = -15;
    s.Track = {Point(9.0, 60.0, 15.0, true), Point(10.0, 120.0, 40.0, true),
               Point(11.0, 250.0, 55.0, true), Point(12.0, 300.0, 1.0, false),
               Point(11.5, 200.0, 60.0, true)};  // the last: the present moment
    return s;
}

QImage Render(const ChartScene& scene, QSize size, ChartView view) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    PaintSkyChart(p, QSizeF(size), scene, view);
    return image;
}

// Whether a pixel within one of (x, y) has the colour (anti-aliasing aside:
// the centre of a dot is its pure colour).
bool ColourNear(const QImage& image, QPointF at, QColor colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = static_cast<int>(std::lround(at.x())) + dx;
            const int y = static_cast<int>(std::lround(at.y())) + dy;
            if (image.valid(x, y) && image.pixelColor(x, y) == colour) return true;
        }
    return false;
}

struct ViewSize {
    ChartView view;
    QSize size;
};

}  // namespace

class SkyChartGeometry : public ::testing::TestWithParam<ViewSize> {};

TEST_P(SkyChartGeometry, TrackHoursLandOnTheirPixels) {
    const auto [view, size] = GetParam();
    const ChartScene scene = Scene();
    const QImage image = Render(scene, size, view);
    const QRectF plot = PlotArea(QSizeF(size), view);
    for (std::size_t i = 0; i + 1 < scene.Track.size(); ++i) {
        const TrackPoint& t = scene.Track[i];
        EXPECT_TRUE(ColourNear(image, ChartPoint(t.Azimuth, t.Elevation, plot, view),
                               t.Visible ? Colours::Visible : Colours::Hidden))
            << t.Hours << "h at " << size.width() << " x " << size.height();
    }
    // The present position: a white ring about the point, its centre open.
    const TrackPoint& now = scene.Track.back();
    const QPointF q = ChartPoint(now.Azimuth, now.Elevation, plot, view);
    bool ring = false;
    for (int dx = 0; dx < 40 && !ring; ++dx)
        ring = ColourNear(image, q + QPointF(dx, dx), Colours::Present);
    EXPECT_TRUE(ring);
}

// The rotator's square stands round its reported direction (not at the
// present position), in its own colour; without a rotator there is none.
TEST_P(SkyChartGeometry, RotatorSquareAtItsReportedDirection) {
    const auto [view, size] = GetParam();
    ChartScene scene = Scene();
    const QImage without = Render(scene, size, view);
    scene.Rotator = QPointF(150.0, 30.0);
    const QImage with = Render(scene, size, view);
    const QRectF plot = PlotArea(QSizeF(size), view);
    const QPointF q = ChartPoint(150.0, 30.0, plot, view);
    auto count = [&](const QImage& image, QRectF within) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (within.contains(x, y) && image.pixelColor(x, y) == Colours::Rotator) ++n;
        return n;
    };
    const QRectF everywhere(0, 0, size.width(), size.height());
    const QRectF around(q - QPointF(40, 40), QSizeF(80, 80));
    EXPECT_EQ(count(without, everywhere), 0);
    EXPECT_GT(count(with, around), 20);
    // Beyond the square only the legend's entry: the same wherever the
    // rotator points.
    scene.Rotator = QPointF(60.0, 20.0);
    const QImage elsewhere = Render(scene, size, view);
    const QPointF q2 = ChartPoint(60.0, 20.0, plot, view);
    const QRectF around2(q2 - QPointF(40, 40), QSizeF(80, 80));
    EXPECT_GT(count(elsewhere, around2), 20);
    EXPECT_EQ(count(with, everywhere) - count(with, around),
              count(elsewhere, everywhere) - count(elsewhere, around2));
    EXPECT_FALSE(ColourNear(with, q, Colours::Rotator));  // open: the place itself stays visible
}

TEST_P(SkyChartGeometry, HorizonFillReachesTheProfile) {
    const auto [view, size] = GetParam();
    const QImage image = Render(Scene(), size, view);
    const QRectF plot = PlotArea(QSizeF(size), view);
    // Within the hill, just below and well above its 20 degrees.
    EXPECT_TRUE(ColourNear(image, ChartPoint(105, 19.0, plot, view), Colours::Horizon));
    EXPECT_FALSE(ColourNear(image, ChartPoint(105, 21.5, plot, view), Colours::Horizon));
    // Beside it only the 2-degree rim.
    EXPECT_FALSE(ColourNear(image, ChartPoint(130, 5.0, plot, view), Colours::Horizon));
    EXPECT_TRUE(ColourNear(image, ChartPoint(130, 1.0, plot, view), Colours::Horizon));
}

INSTANTIATE_TEST_SUITE_P(
    Views, SkyChartGeometry,
    ::testing::Values(ViewSize{ChartView::Rectangular, QSize(800, 500)},
                      ViewSize{ChartView::Rectangular, QSize(1600, 1000)},
                      ViewSize{ChartView::Polar, QSize(800, 500)},
                      ViewSize{ChartView::Polar, QSize(1200, 1200)}));

TEST(SkyChart, BeltPeaksWhereTheLookAnglesPutIt) {
    ChartScene scene = Scene();
    scene.Track.clear();
    scene.ShowHorizon = false;
    const QSize size(1600, 1000);
    const QImage image = Render(scene, size, ChartView::Rectangular);
    const QRectF plot = PlotArea(QSizeF(size), ChartView::Rectangular);
    // The topmost belt pixel about the south point (the legend's sample dot
    // lies elsewhere).
    const int from = static_cast<int>(ChartPoint(170, 0, plot, ChartView::Rectangular).x());
    const int to = static_cast<int>(ChartPoint(190, 0, plot, ChartView::Rectangular).x());
    int top = size.height();
    for (int y = 0; y < size.height() && top == size.height(); ++y)
        for (int x = from; x < to; ++x)
            if (image.pixelColor(x, y) == Colours::Belt) {
                top = y;
                break;
            }
    float a = 0, e = 0;
    GeostationaryElevation(-15.0f, 250, 50, -15, a, e);  // due south, the top
    const double expected = ChartPoint(a, e, plot, ChartView::Rectangular).y();
    const double dot = 1000 / 45.0 * 0.18;  // the dots' radius
    EXPECT_NEAR(top, expected - dot, 2.0);
}

TEST(SkyChart, SvgIsXmlWithTheSameTextsAsThePicture) {
    ScratchDir dir("kelvo-svg");
    const std::string svg = (dir.path() / "chart.svg").string();
    const std::string png = (dir.path() / "chart.png").string();
    const ChartScene scene = Scene();
    ASSERT_FALSE(ExportSkyChart(svg, 1200, 800, scene, ChartView::Rectangular));
    ASSERT_FALSE(ExportSkyChart(png, 1200, 800, scene, ChartView::Polar));
    QImage picture(QString::fromStdString(png));
    EXPECT_EQ(picture.size(), QSize(1200, 800));

    std::ifstream in(svg);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    QXmlStreamReader xml(QByteArray::fromStdString(text));
    std::set<QString> texts;
    QString title;
    bool inText = false, inTitle = false;
    int circles = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            inText = xml.name() == u"text";
            inTitle = xml.name() == u"title";
            circles += xml.name() == u"circle" || xml.name() == u"ellipse";
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            if (inText) texts.insert(xml.text().toString().trimmed());
            if (inTitle) title = xml.text().toString();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, scene.Title);
    for (const char* t : {"N", "E", "S", "W", "9h", "10h", "11h", "80\u00B0", "event ring",
                          "geostationary belt"})
        EXPECT_TRUE(texts.count(QString::fromUtf8(t))) << t;
    EXPECT_GT(circles, 100);  // the belt's dots among them

    // Bad names and sizes leave nothing behind.
    EXPECT_TRUE(ExportSkyChart((dir.path() / "chart.bmp").string(), 800, 500, scene,
                               ChartView::Polar));
    EXPECT_TRUE(ExportSkyChart(svg, 20, 500, scene, ChartView::Polar));
    EXPECT_TRUE(ExportSkyChart((dir.path() / "no" / "such.png").string(), 800, 500, scene,
                               ChartView::Polar));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "chart.bmp"));
}

TEST(SkyChart, ChartPointMapsTheSky) {
    const QRectF r(40, 30, 720, 450);
    EXPECT_EQ(ChartPoint(0, 0, r, ChartView::Rectangular), QPointF(40, 480));
    EXPECT_EQ(ChartPoint(360, 90, r, ChartView::Rectangular), QPointF(760, 30));
    EXPECT_EQ(ChartPoint(90, 45, r, ChartView::Rectangular), QPointF(220, 255));
    const QRectF d(100, 50, 400, 400);  // centre (300, 250), radius 200
    const auto near = [](QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()) < 1e-9; };
    EXPECT_TRUE(near(ChartPoint(123, 90, d, ChartView::Polar), QPointF(300, 250)));  // zenith
    EXPECT_TRUE(near(ChartPoint(0, 0, d, ChartView::Polar), QPointF(300, 50)));      // north up
    EXPECT_TRUE(near(ChartPoint(90, 0, d, ChartView::Polar), QPointF(500, 250)));    // east right
    EXPECT_TRUE(near(ChartPoint(180, 45, d, ChartView::Polar), QPointF(300, 350)));  // south, half way
    // The plot keeps its aspect: a square dome, the rectangle within the picture.
    const QRectF polar = PlotArea(QSizeF(1600, 1000), ChartView::Polar);
    EXPECT_DOUBLE_EQ(polar.width(), polar.height());
    EXPECT_TRUE(QRectF(0, 0, 1600, 1000).contains(polar));
    EXPECT_TRUE(QRectF(0, 0, 800, 500).contains(PlotArea(QSizeF(800, 500), ChartView::Rectangular)));
}
