// The chart on the real window: layers, horizon, track, table, event marks,
// the geostationary arc and the bitmap export.
#include <QFile>
#include <QImageReader>

#include "EphemerisConstants.h"
#include "Pixels.h"
#include "Track.h"
#include "WindowFixture.h"

using C = EphemerisConstants;

namespace {

std::string Latin1(const QString& s) { return s.toLatin1().toStdString(); }

}  // namespace

TEST_F(WindowTest, NinetyDegreeHorizonEntryIsAFullGreenColumn) {
    std::string horizon;
    for (int i = 0; i < 360; ++i) horizon += i == 100 ? "90\n" : "2\n";
    Write("horizon.prn", horizon);
    Open();
    form().Button5Click();
    const int x = static_cast<int>(189 * (1.0 / 360.0) * 100);  // 52
    for (int y = 0; y < 111; ++y) EXPECT_EQ(Pixel(x, y), kGreen) << y;
    EXPECT_NE(Pixel(x + 10, 50), kGreen);  // elsewhere the profile is only 2 deg high
    EXPECT_EQ(Pixel(x + 10, 110), kGreen);  // the 2 deg rim at the bottom
}

TEST_F(WindowTest, BothFlagsOffLeaveOnlyBackgroundAndTrack) {
    Open();
    form().CygnusA1->trigger();
    Update();
    form().State.ShowHorizon = false;
    form().State.ShowGeostationary = false;
    form().Button5Click();
    const QImage image = form().PaintBox1->canvas().Image();
    const int navy = CountPixels(image, kNavy);
    const int lime = CountPixels(image, kLime);
    EXPECT_GT(lime, 20);
    EXPECT_EQ(navy + lime, 189 * 111);
    EXPECT_EQ(CountPixels(image, kYellow), 0);
    EXPECT_EQ(CountPixels(image, kGreen), 0);
}

TEST_F(WindowTest, GeostationaryArcDrawnInYellowAtTheWorkedPlaces) {
    Open();
    form().State.SiteHeight = 500;
    form().State.ShowHorizon = false;
    form().Button5Click();
    const QImage image = form().PaintBox1->canvas().Image();
    EXPECT_GT(CountPixels(image, kYellow), 100);
    int x, y;
    ChartPosition(180.0, 32.70, 189, 111, x, y);  // the top of the belt
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy) found = found || Pixel(x, y + dy) == kYellow;
    EXPECT_TRUE(found);
}

struct ArcSite {
    const char* name;
    double latitude;
};

class ArcSites : public WindowTest, public ::testing::WithParamInterface<ArcSite> {};

TEST_P(ArcSites, ChartDrawsWithoutFault) {
    Open();
    form().State.SiteLatitude = GetParam().latitude;
    form().State.ShowHorizon = false;
    form().Button5Click();
    const QImage image = form().PaintBox1->canvas().Image();
    EXPECT_GT(CountPixels(image, kYellow), 10) << GetParam().name;
    if (GetParam().latitude < 0) {
        // About the north point: at the edges of the chart, not the middle.
        int middle = 0;
        for (int y = 0; y < 111; ++y)
            for (int x = 60; x < 130; ++x) middle += image.pixelColor(x, y) == kYellow;
        EXPECT_EQ(middle, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Sites, ArcSites,
                         ::testing::Values(ArcSite{"equator", 0.0}, ArcSite{"south", -50.0},
                                           ArcSite{"north", 50.0}));

TEST_F(WindowTest, TablesOf49And121LinesWithoutMissingSteps) {
    Open();
    Update();
    ASSERT_EQ(form().ListBox1->count(), 49);
    EXPECT_TRUE(form().ListBox1->item(0)->text().startsWith("00.0h"));
    EXPECT_TRUE(form().ListBox1->item(1)->text().startsWith("00.5h"));
    EXPECT_TRUE(form().ListBox1->item(48)->text().startsWith("24.0h"));
    form().INC101->trigger();
    NextSecond();
    ASSERT_EQ(form().ListBox1->count(), 121);
    for (int i = 0; i < 121; ++i) {
        char hours[8];
        std::snprintf(hours, sizeof hours, "%04.1fh", i * 0.2);
        EXPECT_TRUE(form().ListBox1->item(i)->text().startsWith(hours)) << i;
    }
    // Lines with a negative elevation belong to points below the horizon:
    // their rings fall below the raster.
    const QString line = form().ListBox1->item(0)->text();
    EXPECT_EQ(line.at(19), QChar('-'));
    EXPECT_EQ(line.at(14), QChar(0xB0));
}

TEST_F(WindowTest, RingAtTheLinesPlaceAndRedrawRemovesRings) {
    Open();
    Update();
    form().ListBox1->addItem(QString::fromLatin1(FormatTableLine(12.0, 180.0, 45.0)));
    form().ListBox1->addItem(QString::fromLatin1(FormatTableLine(12.2, 270.0, 5.0)));
    const int n = form().ListBox1->count();
    ClickLine(n - 2);
    // A ring of about 10 pixels round (94, 55): red on its outline, not inside.
    EXPECT_EQ(Pixel(94, 55 - 5), kRed);
    EXPECT_EQ(Pixel(94 + 5, 55), kRed);
    EXPECT_NE(Pixel(94, 55), kRed);
    EXPECT_EQ(Latin1(form().ListBox1->item(n - 1)->text()).substr(19, 6), "+5.00\xB0");
    ClickLine(n - 1);  // read back as 5.0, not 0
    int x, y;
    ChartPosition(270.0, 5.0, 189, 111, x, y);
    EXPECT_EQ(y, 104);
    EXPECT_EQ(Pixel(x, y - 5), kRed);
    EXPECT_GT(CountPixels(form().PaintBox1->canvas().Image(), kRed), 30);
    form().Button5Click();
    EXPECT_EQ(CountPixels(form().PaintBox1->canvas().Image(), kRed), 0);
    // The brush was left clear by the ring; the redraw still filled solid.
    EXPECT_EQ(form().PaintBox1->canvas().Style(), Canvas::BrushStyle::Solid);
    EXPECT_EQ(Pixel(2, 2), kNavy);
}

TEST_F(WindowTest, ClickOnTheSelectedLineAfterRedrawRingsItAgain) {
    Open();
    Update();
    const QImage plain = form().PaintBox1->canvas().Image();
    ClickLine(30);
    const QImage ringed = form().PaintBox1->canvas().Image();
    ASSERT_GT(CountPixels(ringed, kRed), 20);
    form().Button5Click();
    EXPECT_EQ(form().PaintBox1->canvas().Image(), plain);
    ASSERT_TRUE(form().ListBox1->item(30)->isSelected());  // the selection stays
    ClickLine(30);
    EXPECT_EQ(form().PaintBox1->canvas().Image(), ringed);
}

TEST_F(WindowTest, ArrowKeyMovesTheSelectionAndRingsTheNewLine) {
    Open();
    Update();
    ClickLine(30);
    form().Button5Click();
    QTest::keyClick(form().ListBox1, Qt::Key_Down);
    ASSERT_TRUE(form().ListBox1->item(31)->isSelected());
    const std::string line = Latin1(form().ListBox1->item(31)->text());
    int x, y;
    ChartPosition(ListNumber(line, 8, 6), ListNumber(line, 19, 6), 189, 111, x, y);
    EXPECT_EQ(Pixel(x, y - 5), kRed) << line;
    // Selecting a line from code is no click: no ring.
    form().Button5Click();
    form().ListBox1->item(32)->setSelected(true);
    EXPECT_EQ(CountPixels(form().PaintBox1->canvas().Image(), kRed), 0);
}

TEST_F(WindowTest, CrossAtThePresentPlaceAndReadoutColour) {
    Open();
    form().CygnusA1->trigger();  // high in the evening sky in May
    Update();
    TrackPoint now{};
    {
        ObservationState s = form().State;
        now = ComputeTrack(s, clock).back();
    }
    ASSERT_TRUE(now.Visible);
    int x, y;
    ChartPosition(now.Azimuth, now.Elevation, 189, 111, x, y);
    EXPECT_EQ(Pixel(x, y - 3), kLime);
    EXPECT_EQ(Pixel(x + 3, y), kLime);
    EXPECT_EQ(form().Label4->palette().color(QPalette::WindowText), kGreen);
    form().Earth->trigger();  // never visible: red readout, no cross
    NextSecond();
    EXPECT_EQ(form().Label4->palette().color(QPalette::WindowText), kRed);
}

TEST_F(WindowTest, PerSecondPassLeavesTrailOfCrossesUntilRedraw) {
    Open();
    form().CygnusA1->trigger();
    Update();
    const int lime1 = CountPixels(form().PaintBox1->canvas().Image(), kLime);
    clock.Minute = 43;  // half an hour on: the cross moves
    NextSecond();
    const int lime2 = CountPixels(form().PaintBox1->canvas().Image(), kLime);
    EXPECT_GT(lime2, lime1);  // old cross kept, new one added
    form().Button5Click();
    EXPECT_LT(CountPixels(form().PaintBox1->canvas().Image(), kLime), lime2);
}

TEST_F(WindowTest, SameSecondTouchesNothing) {
    Open();
    Update();
    ClickLine(10);
    const QImage before = form().PaintBox1->canvas().Image();
    Update();  // the clock still reads the same second
    EXPECT_EQ(form().PaintBox1->canvas().Image(), before);
}

TEST_F(WindowTest, CancelledExportWritesNothing) {
    Open();
    form().SaveDialog1.Prompt = [](const TSaveDialog&) { return std::optional<QString>(); };
    form().Button7Click();
    EXPECT_FALSE(std::filesystem::exists(File("GRB4711.bmp")));
    EXPECT_FALSE(std::filesystem::exists("GRB4711.bmp"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(beeps, 0);
}

TEST_F(WindowTest, ExportIsABitmapOfTheClientAreaWithTheChart) {
    Open();
    form().show();
    QCoreApplication::processEvents();
    Update();
    QString title;
    form().SaveDialog1.Prompt = [&](const TSaveDialog& d) {
        title = d.Title;
        EXPECT_EQ(d.FileName, "GRB4711");
        return std::optional<QString>(QString::fromStdString(File("GRB4711").string()));
    };
    Write("GRB4711.bmp", "old contents");  // replaced without a question
    form().Button7Click();
    EXPECT_EQ(title, "Save Image as bmp-file");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(messages.empty());
    QImageReader reader(QString::fromStdString(File("GRB4711.bmp").string()));
    EXPECT_EQ(reader.format(), "bmp");
    const QImage saved = reader.read();
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), form().size());
    const QImage chart = form().PaintBox1->canvas().Image();
    for (int y = 0; y < 111; y += 10)
        for (int x = 0; x < 189; x += 10)
            EXPECT_EQ(saved.pixelColor(169 + x, 176 + y), chart.pixelColor(x, y)) << x << "," << y;
    EXPECT_EQ(form().SaveDialog1.FileName, QString::fromStdString(File("GRB4711.bmp").string()));
}

TEST_F(WindowTest, UnwritableFolderGivesTheErrorBoxAndNoFile) {
    Open();
    Write("plainfile", "x");  // a file where a folder should be
    const QString target = QString::fromStdString((File("plainfile") / "shot.bmp").string());
    form().SaveDialog1.Prompt = [&](const TSaveDialog&) { return std::optional<QString>(target); };
    form().Button7Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("Error: Bitmap saving\n")) << messages[0].toStdString();
    EXPECT_GT(messages[0].size(), 22);  // with the reason
    EXPECT_EQ(beeps, 0);
    EXPECT_FALSE(QFile::exists(target));
}
