// kelvo-ephem: what the main window shows, for any clock reading, on the
// command line. Reads kelvo.cfg, horizon.prn, PLANETS.NDX and PLANETS.DAT from
// the working directory with the window's rules, and prints the readouts
// (and the table of the day) through the same code as the window.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QGuiApplication>

#include "Calendar.h"
#include "EphemerisConstants.h"
#include "SkyChartPainter.h"
#include "Catalogue.h"
#include "Events.h"
#include "Instants.h"
#include "Locations.h"
#include "Sweep.h"
#include "Readouts.h"
#include "Rotator.h"
#include "SiteFiles.h"
#include "Sources.h"
#include "Text.h"
#include "Track.h"

using namespace kelvo;

namespace {

const char* const kHelp =
    "Usage: kelvo-ephem [--source NAME | --ra RA --dec DEC [--name TEXT]]\n"
    "                   [--at TIME] [--utc] [--zone UT|MEZ|MESZ|CODE|auto] [--of-date]\n"
    "                   [--step 60|30|12|6] [--table] [--events] [--json]\n"
    "                   [--chart FILE.png|FILE.svg [--width W] [--height H] [--polar]]\n"
    "       kelvo-ephem [source, site and zone options] --from TIME --to TIME\n"
    "                   --every DURATION [--csv | --jsonl]\n"
    "       kelvo-ephem [source and site options] --track [--rotator FILE]\n"
    "                   [--dry-run] [--duration SECONDS] [--jsonl]\n"
    "       kelvo-ephem -h | --help | --version\n"
    "\n"
    "Prints what the kelvo window shows for the site of kelvo.cfg (with\n"
    "horizon.prn, PLANETS.NDX and PLANETS.DAT) in the working directory. An\n"
    "installed kelvo-ephem looks for a file missing there in\n"
    "$XDG_CONFIG_HOME/kelvo (by default ~/.config/kelvo: the site files) and in\n"
    "its share/kelvo folder (the terms files).\n"
    "\n"
    "  --source NAME  the source, by its menu caption or short name, any case:\n"
    "                 Sun, Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus,\n"
    "                 Neptun(e), Pluto, Moon, \"Cass A\", \"Cygn A\", \"Tau A\",\n"
    "                 \"Virgo A\", \"Sagitt A\", Orion, or e.g.\n"
    "                 \"Cassiopeia A, SNR\"; also \"Cas A\", \"Cyg A\", \"Cygnus A\",\n"
    "                 Crab, M1, \"Vir A\", M87, \"Sgr A\", \"Sgr A*\", M42,\n"
    "                 \"3C 461\", \"3C 405\", \"3C 144\", \"3C 274\"; or a source of\n"
    "                 sources.cat. Default: Sun.\n"
    "  --ra RA        right ascension of a fixed source (J2000): degrees as a plain\n"
    "                 number (83.633), or hours: 5h34m31.9s, 5.575h, 05:34:31.9\n"
    "  --dec DEC      its declination, -90 to 90: degrees (22.0145) or\n"
    "                 +22:00:52, 22d00m52s; both are needed\n"
    "  --name TEXT    its name (at most 39 characters; default \"individual\")\n"
    "  --at TIME      the clock reading, local time of the clock (default: now).\n"
    "                 TIME: 2026-12-11 09:00:00, 2026-12-11T09:00:00 or without\n"
    "                 the seconds (2026-12-11T09:00); a trailing Z for UT\n"
    "  --utc          every TIME is UT (as if it ended in Z)\n"
    "  --zone Z       the clock's zone instead of the configuration's code:\n"
    "                 auto (this computer's zone, summer time included),\n"
    "                 UT, MEZ, MESZ, or the hours to add to the clock to get UT\n"
    "  --of-date      places of date (precession, nutation, aberration, light\n"
    "                 deflection through ERFA; TT from the leap-second table)\n"
    "                 instead of the catalogue places (also: a sixth line\n"
    "                 \"of-date\" in kelvo.cfg)\n"
    "  --step MIN     the table's time step in minutes (default 30)\n"
    "  --table        also print the table of the day, as the window lists it\n"
    "  --events       also print the rise, transit and set of the day (against\n"
    "                 the horizon profile unless kelvo.cfg hides it)\n"
    "  --from TIME    rows from TIME to the --to TIME at every DURATION: 30s,\n"
    "  --to TIME      10m, 1h, 1d (any range and step; streamed); one row per\n"
    "  --every DUR    instant: local time, UT, azimuth, elevation, RA, Dec\n"
    "  --csv          the rows as CSV with a header (decimal degrees)\n"
    "  --track        follow the source with the rotator of rotator.cfg (or of\n"
    "                 --rotator FILE) until Ctrl+C or --duration SECONDS; one\n"
    "                 line per command: time, target, commanded and reported\n"
    "                 az/el (JSON lines with --jsonl); the rotator is stopped\n"
    "                 at the end\n"
    "  --rotator FILE the rotator's settings (default: rotator.cfg)\n"
    "  --dry-run      with --track: compute and print, no rotator\n"
    "  --duration S   with --track: stop after S seconds\n"
    "  --jsonl        the rows as JSON lines, one object per row\n"
    "  --chart FILE   also draw the sky chart of the day into FILE (.png or .svg),\n"
    "                 no display needed; --width and --height in pixels (default\n"
    "                 1600 x 1000), --polar for the view of the sky dome\n"
    "  --json         one JSON object with full-precision numbers instead (its\n"
    "                 \"warnings\" list the problems found in the site files)\n"
    "  -h, --help     this text\n"
    "  --version      the program's version\n"
    "\n"
    "Examples:\n"
    "  kelvo-ephem --source \"Cygn A\" --at \"2009-05-10 21:13:07\" --zone MEZ --table\n"
    "  kelvo-ephem --source \"Cas A\" --events --at 2026-12-11T12:00\n"
    "  kelvo-ephem --source Moon --from 2026-12-11T00:00Z --to 2026-12-12T00:00Z \\\n"
    "              --every 10m --csv\n"
    "\n"
    "Problems in kelvo.cfg or horizon.prn (and, when the computer's clock is\n"
    "read, a zone code that differs from the computer's zone) are warnings on\n"
    "standard error; the values then are those the reading rules give.\n"
    "\n"
    "Exit status: 0 on success; 1 when the output could not be written; 2 for a\n"
    "bad option; 3 when the source's place cannot be computed because the\n"
    "planetary terms files are missing or damaged. Each failure writes one line\n"
    "on standard error and nothing on standard output.\n";

struct Options {
    std::optional<std::string> source;
    std::optional<double> ra, dec;
    std::optional<std::string> name;
    std::optional<TypedInstant> at, from, to;
    std::optional<double> every;  // days
    bool utc = false;
    bool events = false;
    bool csv = false, jsonl = false;
    bool track = false, dryRun = false;
    std::optional<std::string> rotator;
    std::optional<double> duration;
    std::optional<int> zone;
    bool systemZone = false;
    bool ofDate = false;
    int step = 30;
    bool table = false;
    bool json = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> chart;
    int width = 1600, height = 1000;
    bool polar = false;
};

// A whole argument as a decimal number, or nothing.
std::optional<double> Number(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            digits = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits) return std::nullopt;
    const NumberField f = ScanReal(text);
    if (f.OutOfRange) return std::nullopt;  // beyond the double range: not read as 0
    return f.Value;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "kelvo-ephem: %s\n", message.c_str());
    return 2;
}

// Exit status 0 once everything written has reached standard output; 1 with
// one line on standard error when it has not (a full disk, a closed pipe).
int Finish() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    const int error = errno;
    std::fprintf(stderr, "kelvo-ephem: cannot write the output: %s\n",
                 error ? std::strerror(error) : "write error");
    return 1;
}

// An argument as an error message shows it: one line, at most 40
// characters, control characters as '?'.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (text.size() > kShown) out += "...";
    return "\"" + out + "\"";
}

// Parses argv into options; on a bad option returns its message.
std::optional<std::string> Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--table") {
            o.table = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--utc") {
            o.utc = true;
        } else if (arg == "--events") {
            o.events = true;
        } else if (arg == "--track") {
            o.track = true;
        } else if (arg == "--dry-run") {
            o.dryRun = true;
        } else if (arg == "--csv") {
            o.csv = true;
        } else if (arg == "--jsonl") {
            o.jsonl = true;
        } else if (arg == "--of-date") {
            o.ofDate = true;
        } else if (arg == "--polar") {
            o.polar = true;
        } else if (arg == "--source" || arg == "--ra" || arg == "--dec" || arg == "--name" ||
                   arg == "--at" || arg == "--zone" || arg == "--step" || arg == "--chart" ||
                   arg == "--width" || arg == "--height" ||
                   arg == "--from" || arg == "--to" || arg == "--every" ||
                   arg == "--rotator" || arg == "--duration") {
            const std::optional<std::string> v = value();
            if (!v) return arg + " needs a value";
            if (arg == "--source") {
                o.source = *v;  // checked once the catalogue is read
            } else if (arg == "--ra" || arg == "--dec") {
                // Degrees as a plain number, or hours / degrees sexagesimally.
                const TypedAngle a =
                    arg == "--ra" ? TypedRightAscension(*v) : TypedDeclination(*v);
                if (!a.Problem.empty()) return arg + " " + Quoted(*v) + ": " + a.Problem;
                (arg == "--ra" ? o.ra : o.dec) = a.Degrees;
            } else if (arg == "--name") {
                if (v->size() > TextBufferSize - 1) return "--name takes at most 39 characters";
                o.name = *v;
            } else if (arg == "--at" || arg == "--from" || arg == "--to") {
                auto& field = arg == "--at" ? o.at : arg == "--from" ? o.from : o.to;
                field = ParseInstant(*v);
                if (!field)
                    return arg + " takes a valid date and time (2026-12-11 09:00:00, " +
                           "2026-12-11T09:00, a trailing Z for UT), not " + Quoted(*v);
            } else if (arg == "--rotator") {
                o.rotator = *v;
            } else if (arg == "--duration") {
                const std::optional<double> n = Number(*v);
                if (!n || *n <= 0 || *n > 1e9)
                    return "--duration takes a positive number of seconds, not " + Quoted(*v);
                o.duration = *n;
            } else if (arg == "--every") {
                o.every = ParseDuration(*v);
                if (!o.every)
                    return "--every takes a positive duration with its unit (30s, 10m, 1h, 1d), "
                           "not " + Quoted(*v);
            } else if (arg == "--zone") {
                const std::optional<double> hours = Number(*v);  // whole hours only
                if (*v == "auto") o.systemZone = true;
                else if (*v == "UT" || *v == "ut") o.zone = 0;
                else if (*v == "MEZ" || *v == "mez") o.zone = -1;
                else if (*v == "MESZ" || *v == "mesz") o.zone = -2;
                else if (hours && v->find('.') == std::string::npos && std::fabs(*hours) <= 24)
                    o.zone = static_cast<int>(*hours);
                else
                    return "--zone takes UT, MEZ, MESZ, auto or whole hours from -24 to 24, not " +
                           Quoted(*v);
            } else if (arg == "--chart") {
                const std::string_view name = *v;
                if (!(name.ends_with(".png") || name.ends_with(".svg") ||
                      name.ends_with(".PNG") || name.ends_with(".SVG")))
                    return "--chart takes a file name ending in .png or .svg, not " + Quoted(*v);
                o.chart = *v;
            } else if (arg == "--width" || arg == "--height" ||
                   arg == "--from" || arg == "--to" || arg == "--every" ||
                   arg == "--rotator" || arg == "--duration") {
                const std::optional<double> n = Number(*v);
                if (!n || *n != std::floor(*n) || *n < 100 || *n > 10000)
                    return arg + " takes whole pixels from 100 to 10000, not " + Quoted(*v);
                (arg == "--width" ? o.width : o.height) = static_cast<int>(*n);
            } else if (arg == "--step") {
                if (*v == "60") o.step = 60;
                else if (*v == "30") o.step = 30;
                else if (*v == "12") o.step = 12;
                else if (*v == "6") o.step = 6;
                else return "--step takes 60, 30, 12 or 6, not " + Quoted(*v);
            }
        } else {
            return "unknown option " + Quoted(arg) + " (see --help)";
        }
    }
    if (o.ra.has_value() != o.dec.has_value()) return "--ra and --dec go together";
    if (o.source && o.ra) return "--source and --ra/--dec exclude each other";
    if (o.name && !o.ra) return "--name goes with --ra and --dec";
    if (!o.chart && (o.polar || o.width != 1600 || o.height != 1000))
        return "--width, --height and --polar go with --chart";
    const bool range = o.from || o.to || o.every;
    if (range && !(o.from && o.to && o.every)) return "--from, --to and --every go together";
    if ((o.rotator || o.dryRun || o.duration) && !o.track)
        return "--rotator, --dry-run and --duration go with --track";
    if (o.track && (range || o.at || o.table || o.events || o.chart || o.json || o.csv))
        return "--track follows the source now: leave out --at, --from, --table, --events, "
               "--chart, --json and --csv";
    if (o.csv && !range) return "--csv goes with --from, --to and --every";
    if (o.jsonl && !range && !o.track) return "--jsonl goes with --from/--to/--every or --track";
    if (o.csv && o.jsonl) return "--csv and --jsonl exclude each other";
    if (range && (o.at || o.table || o.events || o.chart || o.json))
        return "--from/--to/--every print rows only: leave out --at, --table, --events, "
               "--chart and --json";
    return std::nullopt;
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

// The Julian Date of UT of a typed instant: as written when it is UT (Z or
// --utc), else the clock reading of the state's zone.
double UtOf(const ObservationState& s, const TypedInstant& t, bool utc) {
    if (!(t.Utc || utc)) return UtOfClock(s, t.Clock);
    const ClockReading& c = t.Clock;
    return JulianDay({c.Year, c.Month, c.Day + ClockHours(c) / 24.0});
}

// The clock reading of a typed instant.
ClockReading ClockOf(const ObservationState& s, const TypedInstant& t, bool utc) {
    if (!(t.Utc || utc)) return t.Clock;
    return ClockReadingOf(ClockJulianDate(s, UtOf(s, t, utc)));
}

std::string Fixed(double v) {
    if (!std::isfinite(v)) return "-";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", v);
    return buffer;
}

double Degrees(double radians, bool wrap) {
    const double d = radians * EphemerisConstants::RadToDeg;
    return wrap ? d - 360.0 * std::floor(d / 360.0) : d;
}

// --from, --to, --every: one row per instant, streamed through a sweep.
int PrintRows(const Options& o, ObservationState& s) {
    if (s.Kind == SourceKind::Planet && s.PlanetNumber == 3)
        return Fail("the Earth has no place in the sky: no rows");
    const double from = UtOf(s, *o.from, o.utc), to = UtOf(s, *o.to, o.utc);
    if (to < from) return Fail("--to lies before --from");
    // Julian Dates resolve 40 us: a step that fits the range to a millionth ends on --to.
    const double rows = std::floor((to - from) / *o.every + 1e-6) + 1.0;
    if (rows > 1e9) return Fail("--from, --to and --every make more than 1e9 rows");
    const ClockReading c = ClockReadingOf(ClockJulianDate(s, from));
    Sweep sweep(RequestFor(s, c.Year, c.Month, c.Day, ClockHours(c)), s.SourceRa, s.SourceDec,
                *o.every);
    if (!sweep.Status().Usable) {
        std::fprintf(stderr, "kelvo-ephem: no place for %s: %s\n", NameAsUtf8(s.SourceName).c_str(),
                     sweep.Status().Detail.c_str());
        return 3;
    }
    const std::string name = NameAsUtf8(s.SourceName);
    const std::string jsonName = JsonString(name);
    if (o.csv) std::printf("local_time,ut,azimuth_deg,elevation_deg,ra_deg,dec_deg,visible\n");
    const auto count = static_cast<long long>(rows);
    for (long long i = 0; i < count; ++i) {
        const double ut = from + static_cast<double>(i) * *o.every;
        const SweepPlace p = sweep.At(ut);
        const std::string local = IsoText(ClockJulianDate(s, ut), o.csv || o.jsonl ? 'T' : ' ');
        const std::string universal = IsoText(ut) + "Z";
        const bool visible = IsVisible(s, p.Azimuth, p.Elevation);
        const double ra = Degrees(p.RightAscension, true), dec = Degrees(p.Declination, false);
        if (o.csv)
            std::printf("%s,%s,%.6f,%.6f,%.6f,%.6f,%d\n", local.c_str(), universal.c_str(),
                        p.Azimuth, p.Elevation, ra, dec, visible ? 1 : 0);
        else if (o.jsonl)
            std::printf("{\"source\": %s, \"local_time\": \"%s\", \"ut\": \"%s\", "
                        "\"azimuth_deg\": %s, \"elevation_deg\": %s, \"ra_deg\": %s, "
                        "\"dec_deg\": %s, \"visible\": %s}\n",
                        jsonName.c_str(), local.c_str(), universal.c_str(),
                        JsonNumber(p.Azimuth).c_str(), JsonNumber(p.Elevation).c_str(),
                        JsonNumber(ra).c_str(), JsonNumber(dec).c_str(),
                        visible ? "true" : "false");
        else
            std::printf("%s  %s  a=%07.3f\u00b0  e=%+07.3f\u00b0  ra=%09.5f\u00b0  "
                        "dec=%+09.5f\u00b0\n",
                        local.c_str(), universal.c_str(), p.Azimuth, p.Elevation, ra, dec);
        if (std::ferror(stdout)) break;
    }
    return Finish();
}

volatile std::sig_atomic_t stopRequested = 0;

// Waits up to seconds, less when Ctrl+C or SIGTERM arrives.
void Pause(double seconds) {
    const auto until = std::chrono::steady_clock::now() +
                       std::chrono::duration<double>(seconds);
    while (!stopRequested && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

double UtNow() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return 2440587.5 + std::chrono::duration<double>(since).count() / 86400.0;
}

// --track: follows the source with the rotator until the duration ends or a
// signal arrives, then stops the rotator.
int Track(const Options& o, ObservationState& s, const std::string& defaultFile) {
    if (s.Kind == SourceKind::Planet && s.PlanetNumber == 3)
        return Fail("the Earth has no place in the sky: nothing to track");
    const std::string file = o.rotator ? *o.rotator : defaultFile;
    RotatorConfigReading reading;
    if (o.rotator || !o.dryRun || std::filesystem::exists(file)) reading = ReadRotatorConfig(file);
    if (!reading.Problems.empty()) {
        for (const std::string& p : reading.Problems)
            std::fprintf(stderr, "kelvo-ephem: %s\n", p.c_str());
        std::fprintf(stderr, "kelvo-ephem: tracking does not start\n");
        return 2;
    }
    const RotatorConfig& config = reading.Config;
    const ClockReading c = ReadLocalClock();
    Sweep sweep(RequestFor(s, c.Year, c.Month, c.Day, ClockHours(c)), s.SourceRa, s.SourceDec);
    if (!sweep.Status().Usable) {
        std::fprintf(stderr, "kelvo-ephem: no place for %s: %s\n", NameAsUtf8(s.SourceName).c_str(),
                     sweep.Status().Detail.c_str());
        return 3;
    }
    std::signal(SIGINT, [](int) { stopRequested = 1; });
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    // The horizon profile always bounds the rotator (all zeros when there is
    // no horizon.prn), whether or not the readouts test visibility against it.
    RotatorSession session(config, &s.Horizon, o.dryRun);
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    auto say = [](const std::string& text) {
        std::fprintf(stderr, "kelvo-ephem: rotator: %s\n", text.c_str());
    };
    while (!stopRequested && (!o.duration || elapsed() < *o.duration)) {
        const double ut = UtNow();
        const SweepPlace target = sweep.At(ut);
        const RotatorRound round = session.Round(elapsed(), target.Azimuth, target.Elevation);
        for (const std::string& m : round.Messages) say(m);
        const RotatorCommand& command = round.Command;
        if (round.Sent || round.HoldStarts) {
            const char* action = command.What == RotatorCommand::Action::Move   ? "move"
                                 : command.What == RotatorCommand::Action::Park ? "park"
                                                                                : "hold";
            const std::string time = IsoText(ut) + "Z";
            const bool commanded = round.Sent;
            if (o.jsonl)
                std::printf("{\"time\": \"%s\", \"action\": \"%s\", \"target_az_deg\": %s, "
                            "\"target_el_deg\": %s, \"command_az_deg\": %s, "
                            "\"command_el_deg\": %s, \"rotator_az_deg\": %s, "
                            "\"rotator_el_deg\": %s}\n",
                            time.c_str(), action, JsonNumber(target.Azimuth).c_str(),
                            JsonNumber(target.Elevation).c_str(),
                            commanded ? JsonNumber(command.Azimuth).c_str() : "null",
                            commanded ? JsonNumber(command.Elevation).c_str() : "null",
                            JsonNumber(round.ReportedAz).c_str(),
                            JsonNumber(round.ReportedEl).c_str());
            else
                std::printf("%s  %-4s  target a=%07.3f e=%+07.3f  command a=%s e=%s  "
                            "rotator a=%s e=%s\n",
                            time.c_str(), action, target.Azimuth, target.Elevation,
                            commanded ? Fixed(command.Azimuth).c_str() : "-",
                            commanded ? Fixed(command.Elevation).c_str() : "-",
                            Fixed(round.ReportedAz).c_str(), Fixed(round.ReportedEl).c_str());
            std::fflush(stdout);
        }
        Pause(o.duration ? std::min(config.Period, *o.duration - elapsed()) : config.Period);
    }
    if (session.Connected())
        if (const std::string error = session.End(); !error.empty()) say("stop: " + error);
    return Finish();
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (const auto error = Parse(argc, argv, o)) return Fail(*error);
    if (o.help) {
        std::fputs(kHelp, stdout);
        return Finish();
    }
    if (o.version) {
        std::fputs("kelvo-ephem " KELVO_VERSION "\n", stdout);
        return Finish();
    }

    ObservationState s;
    // Standard output carries this program's own output only. The terms
    // loader's lines are not printed: a source whose terms are unusable ends
    // the run with one line naming the file and the problem.
    s.Terms.Report = [](const std::vector<std::string_view>&) {};
    SiteProblems problems;
    const FileLocations where = ProgramLocations();
    const std::string siteFile = where.StationFile("kelvo.cfg");
    s.Terms.Directory = where.TermsFolder();
    ReadHorizonProfile(where.StationFile("horizon.prn").c_str(), s, &problems);
    ReadSiteFile(siteFile.c_str(), s, &problems);
    // The configured zone matters against this computer's zone only when the
    // clock is read.
    if (!o.zone && !o.systemZone && !o.at && !o.from && !s.SystemZone)
        if (auto mismatch = ZoneMismatch(siteFile.c_str(), s.TimeZoneCode, LocalUtcOffsetSeconds()))
            problems.push_back(*mismatch);
    // A source of the catalogue; an unknown name ends the run before anything
    // else is said.
    const Catalogue catalogue = ReadCatalogue(where.CatalogueFile());
    const CatalogueEntry* catalogueEntry =
        o.source && !FindSource(*o.source) ? FindInCatalogue(catalogue, *o.source) : nullptr;
    if (o.source && !FindSource(*o.source) && !catalogueEntry)
        return Fail("unknown source " + Quoted(*o.source));
    problems.insert(problems.end(), catalogue.Problems.begin(), catalogue.Problems.end());
    std::vector<std::string> warnings;
    for (const SiteProblem& p : problems) warnings.push_back(Describe(p));
    for (const std::string& w : warnings)
        std::fprintf(stderr, "kelvo-ephem: warning: %s\n", w.c_str());
    if (o.zone) {
        s.TimeZoneCode = *o.zone;
        s.SystemZone = false;
    }
    if (o.systemZone) s.SystemZone = true;
    if (o.ofDate) s.OfDate = true;
    s.StepMinutes = o.step;
    if (o.source) {
        if (const SourceEntry* e = FindSource(*o.source))
            SelectSource(s, *e);
        else
            SelectCatalogueEntry(s, *catalogueEntry);
    }
    if (o.ra) {
        s.Kind = SourceKind::Fixstar;
        s.SourceRa = *o.ra * EphemerisConstants::DegToRad;
        s.SourceDec = *o.dec * EphemerisConstants::DegToRad;
        SetText(s.SourceName, o.name ? *o.name : "individual");
    }
    if (o.from) return PrintRows(o, s);
    if (o.track) return Track(o, s, where.StationFile("rotator.cfg"));
    const ClockReading clock = o.at ? ClockOf(s, *o.at, o.utc) : ReadLocalClock();

    double lst = 0, azimuth = 0, elevation = 0;
    const Readouts r = UpdateReadouts(s, clock, lst, azimuth, elevation);
    if (!r.PlaceUsable) {
        std::fprintf(stderr, "kelvo-ephem: no place for %s: %s\n",
                     NameAsUtf8(s.SourceName).c_str(), r.Problem.c_str());
        return 3;
    }
    const double ra = r.Ra, dec = r.Dec, jd = s.JulianDate;
    const bool visible = IsVisible(s, azimuth, elevation);
    std::vector<TrackPoint> table;
    // The terms are read once for the whole day here: the same numbers.
    if (o.table || o.chart) table = ComputeTrack(s, clock, true);
    std::optional<DayEvents> events;
    if (o.events) events = EventsOfDay(s, clock.Year, clock.Month, clock.Day);
    if (o.chart) {
        // The chart is drawn without any display, and the toolkit's own
        // remarks (a missing runtime folder ...) stay off standard error.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QGuiApplication application(qtArgc, qtArgv);
        ChartScene scene = SceneOf(s, table, QString::fromLatin1(r.Date.c_str() + 6),
                                   QString::fromLatin1(r.TimeZone.c_str()));
        if (auto error = ExportSkyChart(*o.chart, o.width, o.height, scene,
                                        o.polar ? ChartView::Polar : ChartView::Rectangular)) {
            std::fprintf(stderr, "kelvo-ephem: cannot write the chart %s: %s\n",
                         Quoted(*o.chart).c_str(), error->c_str());
            return 1;
        }
    }

    const std::string texts[] = {r.Date, r.LocalTime, r.TimeZone, r.Source, r.Lst,
                                 r.Gha,  r.AziEle,    r.RaDec,    r.Jd,     r.Tjd};
    if (!o.json) {
        for (const std::string& t : texts) std::printf("%s\n", Latin1ToUtf8(t).c_str());
        if (!r.Galactic.empty()) std::printf("Galactic %s\n", Latin1ToUtf8(r.Galactic).c_str());
        if (o.table)
            for (const TrackPoint& p : table)
                if (p.Tabulated) std::printf("%s\n", Latin1ToUtf8(p.Line).c_str());
        if (events) {
            if (events->AlwaysUp) std::printf("Always up\n");
            if (events->NeverUp) std::printf("Never up\n");
            for (const SkyEvent& e : events->Events)
                std::printf("%-7s %s  UT %s  a=%07.3f\u00b0  e=%+07.3f\u00b0\n",
                            EventName(e.Kind), ClockText(e.Hours).c_str(),
                            ClockText((e.Ut - std::floor(e.Ut - 0.5) - 0.5) * 24.0).c_str(),
                            e.Azimuth, e.Elevation);
        }
        return Finish();
    }
    const char* keys[] = {"date", "local_time", "time_zone", "source", "lst",
                          "gha",  "azi_ele",    "ra_dec",    "jd",     "tjd"};
    std::string out = "{";
    out += "\"source\": " + JsonString(NameAsUtf8(s.SourceName));
    out += ", \"ut\": \"" + IsoText(UtOfClock(s, clock)) + "Z\"";
    out += ", \"local_time\": \"" + IsoText(jd) + "\"";
    out += ", \"julian_date\": " + JsonNumber(jd);
    out += ", \"lst_rad\": " + JsonNumber(lst);
    out += ", \"gha_hours\": " + JsonNumber(GreenwichHours(lst, s.SiteLongitude));
    out += ", \"azimuth_deg\": " + JsonNumber(azimuth);
    out += ", \"elevation_deg\": " + JsonNumber(elevation);
    out += ", \"ra_rad\": " + JsonNumber(ra);
    out += ", \"dec_rad\": " + JsonNumber(dec);
    out += ", \"lst_deg\": " + JsonNumber(Degrees(lst, false));
    out += ", \"gha_deg\": " + JsonNumber(GreenwichHours(lst, s.SiteLongitude) * 15.0);
    out += ", \"ra_deg\": " + JsonNumber(Degrees(ra, true));
    out += ", \"dec_deg\": " + JsonNumber(Degrees(dec, false));
    out += std::string(", \"visible\": ") + (visible ? "true" : "false");
    out += std::string(", \"of_date\": ") + (s.OfDate ? "true" : "false");
    out += ", \"gal_l_deg\": " + JsonNumber(r.GalacticL);
    out += ", \"gal_b_deg\": " + JsonNumber(r.GalacticB);
    out += ", \"vlsr_correction_kms\": " + JsonNumber(r.LsrCorrection);
    out += ", \"site\": {\"name\": " + JsonString(NameAsUtf8(s.SiteName)) +
           ", \"file\": " + JsonString(siteFile) +
           ", \"longitude_east_deg\": " + JsonNumber(-s.SiteLongitude) +
           ", \"longitude_west_deg\": " + JsonNumber(s.SiteLongitude) +
           ", \"latitude_deg\": " + JsonNumber(s.SiteLatitude) +
           ", \"height_m\": " + JsonNumber(s.SiteHeight) + "}";
    out += ", \"readouts\": {";
    for (int i = 0; i < 10; ++i)
        out += std::string(i ? ", " : "") + JsonString(keys[i]) + ": " +
               JsonString(Latin1ToUtf8(texts[i]));
    out += "}";
    if (o.table) {
        out += ", \"table\": [";
        bool first = true;
        for (const TrackPoint& p : table) {
            if (!p.Tabulated) continue;
            out += std::string(first ? "" : ", ") + "{\"hours\": " + JsonNumber(p.Hours) +
                   ", \"azimuth_deg\": " + JsonNumber(p.Azimuth) +
                   ", \"elevation_deg\": " + JsonNumber(p.Elevation) +
                   ", \"line\": " + JsonString(Latin1ToUtf8(p.Line)) + "}";
            first = false;
        }
        out += "]";
    }
    if (events && !events->Usable) out += ", \"events\": null";
    if (events && events->Usable) {
        out += ", \"always_up\": " + std::string(events->AlwaysUp ? "true" : "false");
        out += ", \"never_up\": " + std::string(events->NeverUp ? "true" : "false");
        out += ", \"events\": [";
        for (std::size_t i = 0; i < events->Events.size(); ++i) {
            const SkyEvent& e = events->Events[i];
            out += std::string(i ? ", " : "") + "{\"event\": \"" + EventName(e.Kind) +
                   "\", \"local_time\": \"" + IsoText(ClockJulianDate(s, e.Ut)) +
                   "\", \"ut\": \"" + IsoText(e.Ut) + "Z\", \"azimuth_deg\": " +
                   JsonNumber(e.Azimuth) + ", \"elevation_deg\": " + JsonNumber(e.Elevation) + "}";
        }
        out += "]";
    }
    out += ", \"warnings\": [";
    for (std::size_t i = 0; i < warnings.size(); ++i)
        out += std::string(i ? ", " : "") + JsonString(warnings[i]);
    out += "]}\n";
    std::fputs(out.c_str(), stdout);
    return Finish();
}
