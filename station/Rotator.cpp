#include "Rotator.h"

#include <hamlib/rotator.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "SiteFiles.h"
#include "Text.h"
#include "Track.h"

namespace kelvo {

namespace {

std::string Trim(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
    return std::string(s.substr(a, b - a));
}

std::optional<double> WholeNumber(const std::string& text) {
    const NumberField f = ScanReal(text);
    if (!f.Found || !f.Whole || f.OutOfRange || !std::isfinite(f.Value)) return std::nullopt;
    return f.Value;
}

}  // namespace

RotatorConfigReading ParseRotatorConfig(std::string_view text, const std::string& fileName) {
    RotatorConfigReading out;
    RotatorConfig& c = out.Config;
    int lineNumber = 0;
    std::size_t start = 0;
    auto problem = [&](const std::string& what) {
        out.Problems.push_back(fileName + " line " + std::to_string(lineNumber) + ": " + what);
    };
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        const std::string trimmed = Trim(line);
        if (trimmed.empty()) {
            if (end == text.size()) break;
            continue;
        }
        const std::size_t eq = trimmed.find('=');
        if (eq == std::string::npos) {
            problem("\"" + trimmed.substr(0, 40) + "\" is not \"key = value\"");
            continue;
        }
        const std::string key = Trim(std::string_view(trimmed).substr(0, eq));
        const std::string value = Trim(std::string_view(trimmed).substr(eq + 1));
        const std::optional<double> number = WholeNumber(value);
        auto numberIn = [&](double& field, double low, double high) {
            if (!number || *number < low || *number > high) {
                char range[64];
                std::snprintf(range, sizeof range, "%g to %g", low, high);
                problem(key + " takes a number from " + range + ", not \"" + value.substr(0, 40) +
                        "\"");
                return;
            }
            field = *number;
        };
        if (key == "model") {
            if (!number || *number != std::floor(*number) || *number < 1 || *number > 1e6)
                problem("model takes a Hamlib model number, not \"" + value.substr(0, 40) + "\"");
            else
                c.Model = static_cast<int>(*number);
        } else if (key == "device") {
            if (value.empty()) problem("device needs a value");
            c.Device = value;
        } else if (key == "speed") {
            if (!number || *number != std::floor(*number) || *number < 0 || *number > 1e7)
                problem("speed takes a whole baud rate, not \"" + value.substr(0, 40) + "\"");
            else
                c.Speed = static_cast<int>(*number);
        } else if (key == "az_min") numberIn(c.AzMin, -360, 720);
        else if (key == "az_max") numberIn(c.AzMax, -360, 720);
        else if (key == "el_min") numberIn(c.ElMin, -10, 180);
        else if (key == "el_max") numberIn(c.ElMax, -10, 180);
        else if (key == "min_elevation") numberIn(c.MinElevation, -10, 90);
        else if (key == "dead_band") numberIn(c.DeadBand, 0, 45);
        else if (key == "period") numberIn(c.Period, 0.1, 3600);
        else if (key == "park_az") numberIn(c.ParkAz, -360, 720);
        else if (key == "park_el") numberIn(c.ParkEl, -10, 180);
        else if (key == "below") {
            if (value == "hold") c.Park = false;
            else if (value == "park") c.Park = true;
            else problem("below takes hold or park, not \"" + value.substr(0, 40) + "\"");
        } else {
            problem("unknown key \"" + key.substr(0, 40) + "\"");
        }
        if (end == text.size()) break;
    }
    // Problems of the file as a whole name no line.
    auto fileProblem = [&](const std::string& what) { out.Problems.push_back(fileName + ": " + what); };
    if (c.AzMin >= c.AzMax) fileProblem("az_min must lie below az_max");
    if (c.ElMin >= c.ElMax) fileProblem("el_min must lie below el_max");
    if (c.AzMax - c.AzMin > 720) fileProblem("az_max - az_min exceeds 720 degrees");
    if (c.Model == 2 && c.Device.empty()) fileProblem("the network model needs device = host:port");
    return out;
}

RotatorConfigReading ReadRotatorConfig(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        RotatorConfigReading r;
        r.Problems.push_back(path + ": cannot be opened");
        return r;
    }
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > 1 << 20) {
            RotatorConfigReading r;
            r.Problems.push_back(path + ": longer than 1 MB, not a rotator.cfg");
            return r;
        }
    }
    const std::size_t slash = path.find_last_of('/');
    return ParseRotatorConfig(text, slash == std::string::npos ? path : path.substr(slash + 1));
}

double LowestElevation(const RotatorConfig& c, const HorizonProfile* profile, double azimuth) {
    double lowest = std::max(c.MinElevation, c.ElMin);
    if (profile) {
        const double wrapped = azimuth - 360.0 * std::floor(azimuth / 360.0);
        lowest = std::max(lowest, static_cast<double>(HorizonAt(*profile, wrapped)));
    }
    return lowest;
}

RotatorCommand CommandFor(const RotatorConfig& c, const HorizonProfile* profile, double targetAz,
                          double targetEl, std::optional<std::pair<double, double>> last,
                          std::optional<double> presentAz) {
    RotatorCommand out;
    auto below = [&](const std::string& why) {
        out.Why = why;
        if (!c.Park) {
            out.What = RotatorCommand::Action::Hold;
            return out;
        }
        out.What = RotatorCommand::Action::Park;
        out.Azimuth = std::clamp(c.ParkAz, c.AzMin, c.AzMax);
        out.Elevation = std::clamp(std::max(c.ParkEl, LowestElevation(c, profile, out.Azimuth)),
                                   c.ElMin, c.ElMax);
        return out;
    };
    if (!std::isfinite(targetAz) || !std::isfinite(targetEl)) return below("no place");
    const double lowest = LowestElevation(c, profile, targetAz);
    if (targetEl < lowest) return below("below the horizon or the lowest elevation");
    if (lowest > c.ElMax) return below("no elevation within the limits there");
    // The azimuth within the limits nearest the present one (the short way).
    const double base = targetAz - 360.0 * std::floor(targetAz / 360.0);
    const double from = presentAz ? *presentAz : 0.5 * (c.AzMin + c.AzMax);
    std::optional<double> az;
    for (int k = -2; k <= 2; ++k) {
        const double candidate = base + 360.0 * k;
        if (candidate < c.AzMin || candidate > c.AzMax) continue;
        if (!az || std::fabs(candidate - from) < std::fabs(*az - from)) az = candidate;
    }
    if (!az) return below("outside the azimuth limits");
    out.Azimuth = *az;
    out.Elevation = std::min(targetEl, c.ElMax);
    if (last && std::fabs(std::remainder(last->first - out.Azimuth, 360.0)) <= c.DeadBand &&
        std::fabs(last->second - out.Elevation) <= c.DeadBand) {
        out.What = RotatorCommand::Action::Keep;
        return out;
    }
    out.What = RotatorCommand::Action::Move;
    return out;
}

struct RotatorLink::Impl {
    RotatorConfig Config;
    ROT* Rot = nullptr;
    bool Open = false;
    bool Lost = false;
    // Hamlib's code of a call: "" or its text, and whether it lost the link.
    std::string Result(int rc) {
        Lost = rc == -RIG_ETIMEOUT || rc == -RIG_EIO || rc == -RIG_EPROTO ||
               rc == -RIG_BUSERROR;
        return rc == RIG_OK ? std::string() : std::string(rigerror(rc));
    }
};

RotatorLink::RotatorLink(const RotatorConfig& config) : impl_(std::make_unique<Impl>()) {
    impl_->Config = config;
    static const bool quiet = [] {
        rig_set_debug(RIG_DEBUG_NONE);
        return true;
    }();
    (void)quiet;
}

RotatorLink::~RotatorLink() {
    if (impl_->Open) Stop();
    Close();
}

std::string RotatorLink::Open() {
    Close();
    const RotatorConfig& c = impl_->Config;
    ROT* rot = rot_init(static_cast<rot_model_t>(c.Model));
    if (!rot) return "Hamlib knows no rotator model " + std::to_string(c.Model);
    auto set = [rot](const char* name, const std::string& value) {
        const token_t token = rot_token_lookup(rot, name);
        if (token != RIG_CONF_END) rot_set_conf(rot, token, value.c_str());
    };
    if (!c.Device.empty()) set("rot_pathname", c.Device);
    if (c.Speed > 0) set("serial_speed", std::to_string(c.Speed));
    // A rotator that does not answer within two seconds is lost; no retries.
    set("timeout", "2000");
    set("retry", "0");
    set("min_az", std::to_string(c.AzMin));
    set("max_az", std::to_string(c.AzMax));
    set("min_el", std::to_string(c.ElMin));
    set("max_el", std::to_string(c.ElMax));
    const int rc = rot_open(rot);
    if (rc != RIG_OK) {
        rot_cleanup(rot);
        return std::string("cannot connect: ") + rigerror(rc);
    }
    impl_->Rot = rot;
    impl_->Open = true;
    return {};
}

void RotatorLink::Close() {
    if (!impl_->Rot) return;
    if (impl_->Open) rot_close(impl_->Rot);
    rot_cleanup(impl_->Rot);
    impl_->Rot = nullptr;
    impl_->Open = false;
}

bool RotatorLink::IsOpen() const { return impl_->Open; }

std::string RotatorLink::SetPosition(double azimuth, double elevation) {
    if (!impl_->Open) return "not connected";
    return impl_->Result(rot_set_position(impl_->Rot, static_cast<azimuth_t>(azimuth),
                                          static_cast<elevation_t>(elevation)));
}

std::string RotatorLink::GetPosition(double& azimuth, double& elevation) {
    if (!impl_->Open) return "not connected";
    azimuth_t az = 0;
    elevation_t el = 0;
    if (std::string error = impl_->Result(rot_get_position(impl_->Rot, &az, &el)); !error.empty())
        return error;
    if (!std::isfinite(az) || !std::isfinite(el)) {
        impl_->Lost = true;
        return "the rotator reported no number";
    }
    azimuth = az;
    elevation = el;
    return {};
}

std::string RotatorLink::Stop() {
    if (!impl_->Open) return "not connected";
    return impl_->Result(rot_stop(impl_->Rot));
}

bool RotatorLink::Lost() const { return impl_->Lost; }

RotatorSession::RotatorSession(const RotatorConfig& config, const HorizonProfile* profile,
                               bool dryRun)
    : config_(config), dryRun_(dryRun), link_(config) {
    if (profile) profile_ = *profile;
}

void RotatorSession::LoseLink(double now, RotatorRound& round) {
    link_.Close();
    presentAz_.reset();
    nextAttempt_ = now + retryPause_;
    round.Messages.back() += "; connection lost";
}

RotatorRound RotatorSession::Round(double now, double targetAz, double targetEl) {
    RotatorRound round;
    if (!dryRun_ && !link_.IsOpen() && now >= nextAttempt_) {
        if (const std::string error = link_.Open(); !error.empty()) {
            round.Failed = true;
            nextAttempt_ = now + retryPause_;
            round.Messages.push_back(error + "; next attempt in " +
                                     std::to_string(static_cast<int>(retryPause_)) + " s");
            retryPause_ = std::min(retryPause_ * 2.0, 30.0);
        } else {
            round.Messages.push_back("connected");
            retryPause_ = 1.0;
            last_.reset();
        }
    }
    if (link_.IsOpen()) {
        double az = 0.0, el = 0.0;
        if (const std::string error = link_.GetPosition(az, el); !error.empty()) {
            round.Failed = true;
            round.Messages.push_back(error);
            if (link_.Lost()) LoseLink(now, round);
        } else {
            round.ReportedAz = az;
            round.ReportedEl = el;
            presentAz_ = az;
        }
    }
    const HorizonProfile* profile = profile_ ? &*profile_ : nullptr;
    round.Command = CommandFor(config_, profile, targetAz, targetEl, last_, presentAz_);
    const RotatorCommand& c = round.Command;
    using Action = RotatorCommand::Action;
    const bool due = c.What == Action::Move ||
                     (c.What == Action::Park &&
                      !(last_ && last_->first == c.Azimuth && last_->second == c.Elevation));
    round.HoldStarts = c.What == Action::Hold && !holding_;
    holding_ = c.What == Action::Hold;
    if (due && dryRun_) {
        round.Sent = true;
    } else if (due && link_.IsOpen()) {
        if (const std::string error = link_.SetPosition(c.Azimuth, c.Elevation); !error.empty()) {
            round.Failed = true;
            round.Messages.push_back(error);
            if (link_.Lost()) LoseLink(now, round);
        } else {
            round.Sent = true;
        }
    }
    if (round.Sent) last_ = std::pair{c.Azimuth, c.Elevation};
    round.Connected = link_.IsOpen();
    if (!dryRun_ && !round.Connected) round.RetryIn = std::max(0.0, nextAttempt_ - now);
    return round;
}

std::string RotatorSession::End() {
    std::string error;
    if (link_.IsOpen()) error = link_.Stop();
    link_.Close();
    last_.reset();
    presentAz_.reset();
    holding_ = false;
    retryPause_ = 1.0;
    nextAttempt_ = 0.0;
    return error;
}

}  // namespace kelvo
