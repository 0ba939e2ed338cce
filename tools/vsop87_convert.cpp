// Makes the planetary terms files PLANETS.NDX and PLANETS.DAT from the
// published VSOP87 series (Bretagnon & Francou 1988) as the data modules of
// the npm package astronomia carry them (data/vsop87B*.js, data/vsop87D*.js),
// truncated so that every slot stays within 0.1" in longitude and latitude
// and 1e-7 au in radius of the full series over 1900-2100 (the check keeps
// 5 % in hand: 0.095" and 0.95e-7 au at the check dates).
//
//   vsop87_convert DATA_DIR OUT_DIR
//
// Slots: 0 Earth of VSOP87B (ecliptic and equinox J2000.0), 1..8 Mercury ..
// Neptune of VSOP87D (ecliptic and equinox of date), slot 3 the Earth.
//
// Truncation: a term of power j of tau (Julian millennia) counts with its
// effective amplitude A * 0.1^j, its largest size over 1900-2100. For each
// slot and series the smallest terms are dropped as long as the sum of what
// is dropped stays within the limit at every one of the check dates (every
// 2.5 days from 1900 to 2100); the report prints, per slot and series, the
// threshold (the smallest effective amplitude kept), the counts and the
// largest error.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Term {
    double a, b, c;  // amplitude, phase (rad), frequency (rad per millennium)
    int power;
};

using Series = std::vector<Term>;  // all powers of one of L, B, R
struct Body {
    Series s[3];
};

constexpr double kArcSecond = 4.84813681109536e-06;
// The limits, with 5 % kept in hand for what falls between the check dates.
constexpr double kLimit[3] = {0.095 * kArcSecond, 0.095 * kArcSecond, 0.95e-7};
const char* const kSeriesName[3] = {"L", "B", "R"};

bool ParseDouble(const std::string& s, std::size_t& i, double& v) {
    while (i < s.size() && (s[i] == ' ' || s[i] == ',')) ++i;
    const char* begin = s.data() + i;
    auto [end, ec] = std::from_chars(begin, s.data() + s.size(), v);
    if (ec != std::errc()) return false;
    i += static_cast<std::size_t>(end - begin);
    return true;
}

// Terms of the source that are not numbers (the package carries a few as
// [NaN, NaN, NaN]); they are left out and counted.
int g_unreadable = 0;

bool ReadBody(const std::string& path, Body& body) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "vsop87_convert: cannot read %s\n", path.c_str());
        return false;
    }
    int series = -1;
    int power = -1;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        const std::string t = line.substr(first);
        if (t.size() >= 4 && (t[0] == 'L' || t[0] == 'B' || t[0] == 'R') && t[1] == ':') {
            series = t[0] == 'L' ? 0 : t[0] == 'B' ? 1 : 2;
            power = -1;
        } else if (t.size() >= 5 && t[0] == '"' && t[1] >= '0' && t[1] <= '5' && t[2] == '"') {
            power = t[1] - '0';
        } else if (t[0] == '[' && series >= 0 && power >= 0) {
            std::size_t i = 1;
            Term term{0, 0, 0, power};
            if (!ParseDouble(t, i, term.a) || !ParseDouble(t, i, term.b) ||
                !ParseDouble(t, i, term.c)) {
                std::fprintf(stderr, "vsop87_convert: bad term in %s: %s\n", path.c_str(),
                             t.c_str());
                return false;
            }
            if (!std::isfinite(term.a) || !std::isfinite(term.b) || !std::isfinite(term.c)) {
                std::printf("%s: a term of %s%d (series term %zu) is not a number; left out\n", path.c_str(),
                            kSeriesName[series], power, body.s[series].size() + 1);
                ++g_unreadable;
                continue;
            }
            body.s[series].push_back(term);
        }
    }
    return true;
}

double Effective(const Term& t) { return std::fabs(t.a) * std::pow(0.1, t.power); }

// Check dates: tau in Julian millennia from J2000.0, 1900.0 to 2100.0.
std::vector<double> CheckTaus() {
    std::vector<double> taus;
    const double start = -36525.0, end = 36525.0;
    for (double d = start; d <= end; d += 2.5) taus.push_back(d / 365250.0);
    return taus;
}

double TermValue(const Term& t, double tau) {
    return t.a * std::cos(t.b + t.c * tau) * std::pow(tau, t.power);
}

struct Truncation {
    Series kept;     // in the original order within each power
    double threshold;
    double maxError;
};

// Drops the smallest terms while the dropped sum stays within limit.
Truncation Truncate(const Series& full, double limit, const std::vector<double>& taus) {
    std::vector<std::size_t> order(full.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return Effective(full[x]) < Effective(full[y]);
    });
    // Add the terms to the dropped sum from the smallest up and stop before
    // the first one that takes the sum past the limit at any check date.
    std::vector<double> dropped(taus.size(), 0.0);
    std::vector<double> trial(taus.size());
    std::size_t lo = 0;
    double worst = 0.0;
    for (; lo < order.size(); ++lo) {
        const Term& term = full[order[lo]];
        double w = 0.0;
        for (std::size_t d = 0; d < taus.size(); ++d) {
            trial[d] = dropped[d] + TermValue(term, taus[d]);
            w = std::max(w, std::fabs(trial[d]));
        }
        if (w > limit) break;
        dropped.swap(trial);
        worst = w;
    }
    std::vector<bool> keep(full.size(), true);
    for (std::size_t i = 0; i < lo; ++i) keep[order[i]] = false;
    Truncation t{{}, 0.0, worst};
    t.threshold = lo < order.size() ? Effective(full[order[lo]]) : 0.0;
    for (int power = 0; power < 6; ++power)
        for (std::size_t i = 0; i < full.size(); ++i)
            if (keep[i] && full[i].power == power) t.kept.push_back(full[i]);
    return t;
}

void PutInt16(std::string& out, int v) {
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
}

void PutDouble(std::string& out, double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vsop87_convert DATA_DIR OUT_DIR\n");
        return 2;
    }
    const std::string dataDir = argv[1];
    const std::string outDir = argv[2];
    const char* files[9] = {"vsop87Bearth", "vsop87Dmercury", "vsop87Dvenus",
                            "vsop87Dearth", "vsop87Dmars",    "vsop87Djupiter",
                            "vsop87Dsaturn", "vsop87Duranus", "vsop87Dneptune"};
    const std::vector<double> taus = CheckTaus();

    std::vector<Series> runs(9);  // per slot: L, B, R blocks in order
    int counts[9][18] = {};
    std::printf("slot body            series threshold   full kept  max error\n");
    for (int slot = 0; slot < 9; ++slot) {
        Body body;
        if (!ReadBody(dataDir + "/" + files[slot] + ".js", body)) return 1;
        for (int s = 0; s < 3; ++s) {
            const Truncation t = Truncate(body.s[s], kLimit[s], taus);
            for (const Term& term : t.kept) ++counts[slot][6 * s + term.power];
            runs[slot].insert(runs[slot].end(), t.kept.begin(), t.kept.end());
            const double shown = s < 2 ? t.maxError / kArcSecond : t.maxError;
            std::printf("%4d %-15s %-6s %9.3e %6zu %4zu  %.4g%s\n", slot, files[slot],
                        kSeriesName[s], t.threshold, body.s[s].size(), t.kept.size(), shown,
                        s < 2 ? "\"" : " au");
        }
    }

    // Runs back to back, the smallest first, so that every run starts within
    // the 16-bit start field.
    std::vector<int> order = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return runs[x].size() < runs[y].size(); });
    std::string dat;
    int start[9] = {};
    int next = 0;
    for (int slot : order) {
        start[slot] = next;
        if (next > 32767) {
            std::fprintf(stderr, "vsop87_convert: run of slot %d starts past record 32767\n", slot);
            return 1;
        }
        for (const Term& t : runs[slot]) {
            PutDouble(dat, t.a);
            PutDouble(dat, t.b);
            PutDouble(dat, t.c);
        }
        next += static_cast<int>(runs[slot].size());
    }
    std::string ndx;
    for (int slot = 0; slot < 9; ++slot) {
        int blockStart = start[slot];
        for (int k = 0; k < 18; ++k) {
            if (counts[slot][k] > 32767) {
                std::fprintf(stderr, "vsop87_convert: block too long\n");
                return 1;
            }
            PutInt16(ndx, std::min(blockStart, 32767));
            PutInt16(ndx, counts[slot][k]);
            blockStart += counts[slot][k];
        }
    }
    std::ofstream(outDir + "/PLANETS.NDX", std::ios::binary) << ndx;
    std::ofstream(outDir + "/PLANETS.DAT", std::ios::binary) << dat;
    std::printf("source terms left out as not numbers: %d\n", g_unreadable);
    std::printf("total terms %d; PLANETS.NDX %zu bytes, PLANETS.DAT %zu bytes\n", next, ndx.size(),
                dat.size());
    return 0;
}
