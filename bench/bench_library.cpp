// Cost of the astronomy library, the terms loader and the drivers per call.
// The planet driver reads PLANETS.NDX and PLANETS.DAT on every call, from
// the data folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "Catalogue.h"
#include "Ephemeris.h"
#include "Moon.h"
#include "OfDate.h"
#include "Nutation.h"
#include "PlanetTerms.h"
#include "Planets.h"

using namespace kelvo;

namespace {
const TermsSource kShipped{KELVO_DATA_DIR, {}};
}  // namespace

static void BM_Nutation(benchmark::State& state) {
    double T = 0.0931, dpsi = 0, deps = 0;
    for (auto _ : state) {
        Nutation(T, dpsi, deps);
        benchmark::DoNotOptimize(dpsi);
        benchmark::DoNotOptimize(deps);
        T += 1e-9;
    }
}
BENCHMARK(BM_Nutation);

static void BM_MeanSiderealTime(benchmark::State& state) {
    double T = 0.0931;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MeanSiderealTime(T));
        T += 1e-9;
    }
}
BENCHMARK(BM_MeanSiderealTime);

static void BM_MoonPosition(benchmark::State& state) {
    double T = 0.0931;
    SphericalCoords r{};
    for (auto _ : state) {
        MoonPosition(T, r);
        benchmark::DoNotOptimize(r);
        T += 1e-9;
    }
}
BENCHMARK(BM_MoonPosition);

// One request's worth of terms: load the Earth (slot 3) and the given slot,
// evaluate both, release.
static void BM_TermsCycleWithEarth(benchmark::State& state) {
    const int slot = static_cast<int>(state.range(0));
    SphericalCoords a{}, b{};
    for (auto _ : state) {
        PlanetTerms terms;
        LoadPlanetTerms(terms, KELVO_DATA_DIR, 3, {});
        if (slot != 3) LoadPlanetTerms(terms, KELVO_DATA_DIR, slot, {});
        PlanetHeliocentric(terms, 3, 0.0931, a);
        PlanetHeliocentric(terms, slot, 0.0931, b);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
}
BENCHMARK(BM_TermsCycleWithEarth)->DenseRange(0, 8);

static void BM_FixstarEphemeris(benchmark::State& state) {
    double lst, az, el, jd, h = 21.2186;
    for (auto _ : state) {
        FixstarEphemeris(-15, 50, -1, 250, 2009, 5, 10, h, 5.23, 0.71, lst, az, el, jd);
        benchmark::DoNotOptimize(el);
    }
}
BENCHMARK(BM_FixstarEphemeris);

// The same source at its observed place of date (ERFA's IAU 2006/2000A
// chain), as the window asks for it: again and again within the hour.
static void BM_FixstarEphemerisOfDate(benchmark::State& state) {
    double lst, az, el, jd, ra, dec, h = 21.2186;
    for (auto _ : state) {
        FixstarEphemerisOfDate(-15, 50, -1, 250, 2009, 5, 10, h, 5.23, 0.71, lst, az, el, jd, ra,
                               dec);
        benchmark::DoNotOptimize(el);
    }
}
BENCHMARK(BM_FixstarEphemerisOfDate);

// A sweep at one-minute steps: each hour's slow parts computed once.
static void BM_FixstarEphemerisOfDateSweep(benchmark::State& state) {
    double lst, az, el, jd, ra, dec;
    long minute = 0;
    for (auto _ : state) {
        const int day = 1 + static_cast<int>((minute / 1440) % 28);
        FixstarEphemerisOfDate(-15, 50, 0, 250, 2026, 2, day, (minute % 1440) / 60.0, 5.23, 0.71,
                               lst, az, el, jd, ra, dec);
        benchmark::DoNotOptimize(el);
        ++minute;
    }
}
BENCHMARK(BM_FixstarEphemerisOfDateSweep);

// The worst case: every call in another hour, both hours' slow parts anew.
static void BM_FixstarEphemerisOfDateNewHour(benchmark::State& state) {
    double lst, az, el, jd, ra, dec;
    int year = 2000;
    for (auto _ : state) {
        FixstarEphemerisOfDate(-15, 50, 0, 250, year, 6, 1, 12.0, 5.23, 0.71, lst, az, el, jd, ra,
                               dec);
        benchmark::DoNotOptimize(el);
        year = year == 2000 ? 2030 : 2000;
    }
}
BENCHMARK(BM_FixstarEphemerisOfDateNewHour);

// A catalogue of 10,000 sources (sexagesimal places, notes) read whole.
static void BM_ReadCatalogue10000(benchmark::State& state) {
    const std::string path = "/tmp/kelvo-bench-" + std::to_string(::getpid()) + ".cat";
    {
        std::FILE* f = std::fopen(path.c_str(), "w");
        for (int i = 0; i < 10000; ++i)
            std::fprintf(f, "Source %d, %02d:%02d:%05.2f, %+03d:%02d:%04.1f, J2000, note %d\n", i,
                         i % 24, i % 60, (i % 6000) / 100.0, i % 90 - 45, i % 60,
                         (i % 600) / 10.0, i);
        std::fclose(f);
    }
    for (auto _ : state) {
        const Catalogue c = ReadCatalogue(path);
        benchmark::DoNotOptimize(c.Entries.data());
        if (c.Entries.size() != 10000) state.SkipWithError("not every line was read");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadCatalogue10000)->Unit(benchmark::kMillisecond);

static void BM_MoonEphemeris(benchmark::State& state) {
    double lst, az, el, ra, dec, jd, h = 21.2186;
    for (auto _ : state) {
        MoonEphemeris(-15, 50, -1, 250, 2009, 5, 10, h, lst, az, el, ra, dec, jd);
        benchmark::DoNotOptimize(el);
    }
}
BENCHMARK(BM_MoonEphemeris);

// Planet numbers: 0 Sun, 1 Mercury, 3 Earth, 5 Jupiter, 9 Pluto (and the rest).
static void BM_PlanetEphemeris(benchmark::State& state) {
    const int planet = static_cast<int>(state.range(0));
    double lst, az = 0, el = 0, ra, dec, jd, h = 21.2186;
    for (auto _ : state) {
        PlanetEphemeris(kShipped, -15, 50, -1, 250, planet, 2009, 5, 10, h, lst, az, el, ra, dec,
                        jd);
        benchmark::DoNotOptimize(el);
    }
}
BENCHMARK(BM_PlanetEphemeris)->DenseRange(0, 9);

// The same driver on terms loaded once beforehand.
static void BM_PlanetEphemerisPreloaded(benchmark::State& state) {
    const int planet = static_cast<int>(state.range(0));
    const PlanetTerms terms = LoadPlanetTerms(KELVO_DATA_DIR, {planet, 0, 3}, {});
    double lst, az = 0, el = 0, ra, dec, jd, h = 21.2186;
    for (auto _ : state) {
        PlanetEphemeris(terms, -15, 50, -1, 250, planet, 2009, 5, 10, h, lst, az, el, ra, dec, jd);
        benchmark::DoNotOptimize(el);
    }
}
BENCHMARK(BM_PlanetEphemerisPreloaded)->DenseRange(0, 9);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
