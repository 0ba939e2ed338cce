// A year of places at one-minute steps (525,600 rows) of Saturn, the Moon and
// Cas A from the sample site, topocentric azimuth and elevation: kelvo's
// sweeps, and beside them in the same run the Swiss Ephemeris computing the
// same rows (swe_calc_ut or swe_fixstar2_ut, topocentric, then swe_azalt),
// when it is installed. Each iteration is the whole year; the counter
// "per_row" is the time per row, "max_diff_arcsec" the largest difference of
// the sweep from the per-call drivers over every 60th row.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Constants.h"
#include "Ephemeris.h"
#include "Sweep.h"

#ifdef KELVO_WITH_SWISSEPH
#include <swephexp.h>
#endif

using namespace kelvo;

namespace {

const TermsSource kShipped{KELVO_DATA_DIR, {}};
constexpr double kLongitudeWest = -15.0, kLatitude = 50.0, kHeight = 250.0;
constexpr double kYearStart = 2461406.5;  // 2027 January 1, 0h UT
constexpr int kRows = 525600;
constexpr double kMinute = 1.0 / 1440.0;
constexpr double kCasARa = 350.85, kCasADec = 58.815;  // degrees, J2000.0

EphemerisRequest RequestOf(int source, bool ofDate) {
    // 0 Saturn, 1 Moon, 2 Cas A
    const SourceKind kind = source == 0   ? SourceKind::Planet
                            : source == 1 ? SourceKind::Moon
                                          : SourceKind::Fixstar;
    return {kLongitudeWest, kLatitude, 0.0, kHeight, kind, source == 0 ? 6 : 3, &kShipped, ofDate};
}

const char* const kNames[] = {"Saturn", "Moon", "Cas A"};

// The largest difference (arcsec, on the sky) of the sweep from the per-call
// driver (terms loaded once) over every 60th row of the year.
double LargestDifference(int source, bool ofDate) {
    const EphemerisRequest request = RequestOf(source, ofDate);
    Sweep sweep(request, kCasARa * DegToRad, kCasADec * DegToRad, kMinute);
    const PlanetTerms terms = LoadTermsFor(kShipped, 6);
    double worst = 0.0;
    for (int i = 0; i < kRows; i += 60) {
        const double hours = i * kMinute * 24.0;  // the clock on UT from 2027 January 1
        double lst, az, el, ra = kCasARa * DegToRad, dec = kCasADec * DegToRad, jd;
        if (source == 0)
            PlanetEphemeris(terms, kLongitudeWest, kLatitude, 0.0, kHeight, 6, 2027, 1, 1, hours,
                            lst, az, el, ra, dec, jd, ofDate);
        else
            CallEphemerisDriver(request, 2027, 1, 1, hours, lst, az, el, ra, dec, jd);
        const SweepPlace p = sweep.At(jd);
        const double x = std::sin((p.Elevation - el) * DegToRad / 2);
        const double y = std::sin((p.Azimuth - az) * DegToRad / 2);
        const double d = 2 * std::asin(std::sqrt(x * x + std::cos(el * DegToRad) *
                                                          std::cos(p.Elevation * DegToRad) * y * y));
        worst = std::max(worst, d * RadToDeg * 3600.0);
    }
    return worst;
}

void YearSweep(benchmark::State& state, int source, bool ofDate) {
    const EphemerisRequest request = RequestOf(source, ofDate);
    for (auto _ : state) {
        Sweep sweep(request, kCasARa * DegToRad, kCasADec * DegToRad, kMinute);
        double sum = 0.0;
        for (int i = 0; i < kRows; ++i) {
            const SweepPlace p = sweep.At(kYearStart + i * kMinute);
            sum += p.Azimuth + p.Elevation;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["per_row"] =
        benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["max_diff_arcsec"] = LargestDifference(source, ofDate);
    state.SetLabel(kNames[source]);
}

}  // namespace

BENCHMARK_CAPTURE(YearSweep, Saturn, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearSweep, Moon, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearSweep, CasA, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearSweep, SaturnOfDate, 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearSweep, MoonOfDate, 1, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearSweep, CasAOfDate, 2, true)->Unit(benchmark::kMillisecond);

#ifdef KELVO_WITH_SWISSEPH
namespace {

// The Swiss Ephemeris' files, and a star file of its own format holding Cas
// A (it is not among the stars it ships), in a scratch folder.
std::string SwissFolder() {
    static const std::string folder = [] {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("kelvo-swe-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        for (const auto& f : std::filesystem::directory_iterator("/usr/share/libswe/ephe"))
            if (f.path().extension() == ".se1")
                std::filesystem::create_symlink(f.path(), dir / f.path().filename());
        std::ofstream(dir / "sefstars.txt")
            << "CasA,CasA,ICRS,23,23,24.000,+58,48,54.00,0,0,0,0,6.0,  0,    0\n";
        return dir.string();
    }();
    return folder;
}

void YearSwissEphemeris(benchmark::State& state, int source) {
    swe_set_ephe_path(SwissFolder().c_str());
    double geopos[3] = {-kLongitudeWest, kLatitude, kHeight};
    swe_set_topo(geopos[0], geopos[1], geopos[2]);
    const int flags = SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_TOPOCTR;
    char star[64] = "CasA";
    char error[AS_MAXCH];
    int failures = 0;
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < kRows; ++i) {
            const double ut = kYearStart + i * kMinute;
            double x[6], horizontal[3];
            const int rc = source == 0   ? swe_calc_ut(ut, SE_SATURN, flags, x, error)
                           : source == 1 ? swe_calc_ut(ut, SE_MOON, flags, x, error)
                                         : swe_fixstar2_ut(star, ut, flags, x, error);
            failures += rc < 0;
            swe_azalt(ut, SE_EQU2HOR, geopos, 0.0, 10.0, x, horizontal);
            sum += horizontal[0] + horizontal[2];
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["per_row"] =
        benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (failures) state.SkipWithError("the Swiss Ephemeris reported errors");
    state.SetLabel(kNames[source]);
}

}  // namespace

BENCHMARK_CAPTURE(YearSwissEphemeris, Saturn, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearSwissEphemeris, Moon, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(YearSwissEphemeris, CasA, 2)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
