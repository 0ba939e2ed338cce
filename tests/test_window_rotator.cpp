// The window's Track box: rotator.cfg read when it is ticked, the rotator's
// state under it, its marker over the chart, and the rotator stopped when
// the box is cleared or the program ends. The rotator is Hamlib's dummy,
// in-process.
#include <QImage>
#include <chrono>
#include <thread>

#include "WindowFixture.h"

namespace {

// Pixels of the painted chart in the marker's cyan.
int CyanPixels(TPaintBox* box) {
    const QImage image = box->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == ChartRotator) ++n;
    return n;
}

}  // namespace

class TrackTest : public WindowTest {
protected:
    // Updates, a second at a time, until the state text begins with prefix
    // (at most about 5 s).
    bool WaitForState(const QString& prefix) {
        for (int i = 0; i < 100; ++i) {
            NextSecond();
            if (form().Label11->text().startsWith(prefix)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    void Tick() { QTest::mouseClick(form().Track, Qt::LeftButton, {}, QPoint(5, 8)); }
};

TEST_F(TrackTest, OffAtStartAndKeptOffByAMissingOrBadRotatorCfg) {
    Open();
    EXPECT_FALSE(form().Track->isChecked());
    EXPECT_EQ(form().Track->geometry(), QRect(72, 188, 70, 17));
    EXPECT_EQ(form().OfDate->geometry(), QRect(72, 170, 70, 17));  // the others keep theirs
    Update();
    EXPECT_EQ(form().Label11->text(), "");
    struct Case {
        const char* file;  // nullptr: no rotator.cfg
        const char* said;
    };
    for (const Case& c : {Case{nullptr, "rotator.cfg: cannot be opened"},
                          Case{"model = 2\nspeed = fast\n", "rotator.cfg line 2"},
                          Case{"model = 1\ncolour = red\n", "rotator.cfg line 2"}}) {
        if (c.file) Write("rotator.cfg", c.file);
        messages.clear();
        Tick();
        EXPECT_FALSE(form().Track->isChecked()) << c.said;
        ASSERT_EQ(messages.size(), 1u) << c.said;
        EXPECT_TRUE(messages[0].startsWith("Tracking does not start:\n")) << c.said;
        EXPECT_TRUE(messages[0].contains(c.said)) << messages[0].toStdString();
        EXPECT_EQ(form().Label11->text(), "no rotator");
        EXPECT_TRUE(form().Label11->toolTip().contains(c.said));
        EXPECT_EQ(form().PaintBox1->Rotator(), std::nullopt);
    }
}

TEST_F(TrackTest, FollowsTheSourceShowsTheMarkerAndStops) {
    Write("rotator.cfg", "model = 1   # the dummy\nperiod = 0.2\n");
    Open();
    form().CygnusA1->trigger();  // at 60 deg elevation in the north-east at 21:13
    Update();
    EXPECT_EQ(CyanPixels(form().PaintBox1), 0);
    Tick();
    ASSERT_TRUE(form().Track->isChecked()) << (messages.empty() ? "" : messages[0].toStdString());
    ASSERT_TRUE(WaitForState("moving")) << form().Label11->text().toStdString();
    EXPECT_TRUE(form().Label11->text().contains("\na="));
    EXPECT_TRUE(form().Label11->toolTip().contains("Hamlib model 1"));
    EXPECT_TRUE(form().Label11->toolTip().contains("connected"));
    ASSERT_TRUE(form().PaintBox1->Rotator().has_value());
    EXPECT_GT(CyanPixels(form().PaintBox1), 0);
    // The chart's own image stays without it: no trail as it moves.
    const QImage& image = form().PaintBox1->chart().Image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(image.pixelColor(x, y), ChartRotator) << x << " " << y;
    // The Earth has no place: held, nothing commanded.
    form().Earth->trigger();
    EXPECT_TRUE(WaitForState("holding"));
    EXPECT_TRUE(form().Label11->toolTip().contains("no place"));
    Tick();  // off: stopped, no marker
    EXPECT_FALSE(form().Track->isChecked());
    EXPECT_TRUE(WaitForState("off"));
    EXPECT_EQ(form().PaintBox1->Rotator(), std::nullopt);
    EXPECT_EQ(CyanPixels(form().PaintBox1), 0);
    EXPECT_TRUE(form().Label11->toolTip().contains("stopped"));
    // A rotator.cfg spoilt meanwhile: the box stays clear and the problem
    // stays shown, not the old tracker's "off".
    Write("rotator.cfg", "model = 1\nperiod = soon\n");
    Tick();
    EXPECT_FALSE(form().Track->isChecked());
    NextSecond();
    EXPECT_EQ(form().Label11->text(), "no rotator");
    EXPECT_TRUE(form().Label11->toolTip().contains("rotator.cfg line 2"));
}

// Ctrl+C and SIGTERM reach the window as a request that the update cycle
// carries out: the window closes (and with it the tracking).
TEST_F(TrackTest, EndRequestClosesTheWindowWhileTracking) {
    Write("rotator.cfg", "model = 1\nperiod = 0.2\n");
    Open();
    form().show();
    form().CygnusA1->trigger();
    Update();
    Tick();
    ASSERT_TRUE(WaitForState("moving"));
    EndRequested = 1;
    form().Timer1Timer();
    EXPECT_EQ(EndRequested, 0);
    EXPECT_FALSE(form().isVisible());
}
