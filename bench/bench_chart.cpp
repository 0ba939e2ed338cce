// One full chart redraw and one per-second track refresh on the real main
// window (off screen), at the 6-minute step (242 driver calls a pass), for a
// fixed source, the Moon, the Sun and Mercury, with the shipped data files.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <memory>

#include "Doruruve.h"
#include "SkyChartPainter.h"

using namespace kelvo;

namespace {

enum Source { Fixed = 0, MoonSource = 1, SunSource = 2, MercurySource = 3 };

std::unique_ptr<TForm1> MakeWindow(int source) {
    auto form = std::make_unique<TForm1>(InFolder(KELVO_DATA_DIR));
    form->Timer1->stop();
    form->Clock = [] { return ClockReading{2009, 5, 10, 21, 13, 7, 0}; };
    switch (source) {
        case Fixed: form->CygnusA1Click(); break;
        case MoonSource: form->MoonClick(); break;
        case SunSource: form->SunClick(); break;
        case MercurySource: form->MerkurClick(); break;
    }
    form->INC61Click();
    return form;
}

const char* Name(int source) {
    static const char* names[] = {"fixed source", "Moon", "Sun", "Mercury"};
    return names[source];
}

}  // namespace

// Button5Click with a pending redraw: background, track and the 241-line
// table, arc, horizon.
static void BM_FullRedraw(benchmark::State& state) {
    auto form = MakeWindow(static_cast<int>(state.range(0)));
    state.SetLabel(Name(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        form->State.RedrawPending = true;
        form->Button5Click();
        form->State.RedrawPending = false;
    }
}
BENCHMARK(BM_FullRedraw)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The pass at every new second: the track again, the table untouched.
static void BM_TrackRefresh(benchmark::State& state) {
    auto form = MakeWindow(static_cast<int>(state.range(0)));
    state.SetLabel(Name(static_cast<int>(state.range(0))));
    form->State.RedrawPending = true;
    form->Button5Click();
    form->State.RedrawPending = false;
    for (auto _ : state) {
        form->State.LastSecond = 99;
        form->State.TickCount = 90;
        form->Timer1Timer();  // one update with a new second: readouts and track
    }
}
BENCHMARK(BM_TrackRefresh)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// One full update of the large sky chart at 1600 x 1000 for Mercury at the
// 6-minute step (242 points): the day's track from the drivers and the
// drawing, as kelvo-ephem --chart makes it; then the drawing alone, which is
// what the sky chart window adds to the main window's own pass each second.
static void BM_SkyChart1600(benchmark::State& state) {
    const bool drawingOnly = state.range(0) == 1;
    state.SetLabel(drawingOnly ? "drawing only" : "track and drawing");
    auto form = MakeWindow(MercurySource);
    const ClockReading clock{2009, 5, 10, 21, 13, 7, 0};
    std::vector<TrackPoint> points = ComputeTrack(form->State, clock);
    QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (!drawingOnly) points = ComputeTrack(form->State, clock, true);
        const ChartScene scene = SceneOf(form->State, points, "10-05-2009", "Timezone: MEZ");
        QPainter p(&image);
        PaintSkyChart(p, QSizeF(1600, 1000), scene, ChartView::Rectangular);
    }
}
BENCHMARK(BM_SkyChart1600)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
