#include "RotatorTracker.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace kelvo {

namespace {

constexpr std::size_t kLogLines = 20;

// "hh:mm:ss " of the computer's local clock, for the log.
std::string Stamp() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    char text[16] = "";
    if (localtime_r(&t, &local)) std::strftime(text, sizeof text, "%H:%M:%S ", &local);
    return text;
}

}  // namespace

const char* StateName(RotatorStatus::State state) {
    switch (state) {
        case RotatorStatus::State::Off: return "off";
        case RotatorStatus::State::Connecting: return "connecting";
        case RotatorStatus::State::OnTarget: return "on target";
        case RotatorStatus::State::Moving: return "moving";
        case RotatorStatus::State::Holding: return "holding";
        case RotatorStatus::State::Parked: return "parked";
        case RotatorStatus::State::Error: return "error";
        case RotatorStatus::State::Lost: return "lost";
    }
    return "";
}

std::pair<double, double> PointingOf(double azimuth, double elevation) {
    if (elevation > 90.0) {
        azimuth += 180.0;
        elevation = 180.0 - elevation;
    }
    return {azimuth - 360.0 * std::floor(azimuth / 360.0), elevation};
}

std::pair<double, double> TrackTarget(const ObservationState& state, bool placeUsable,
                                      double azimuth, double elevation) {
    const bool earth = state.Kind == SourceKind::Planet && state.PlanetNumber == 3;
    if (!placeUsable || earth) return {std::nan(""), std::nan("")};
    return {azimuth, elevation};
}

std::string StatusLines(const RotatorStatus& status) {
    std::string text = StateName(status.What);
    if (status.Reported) {
        const auto [az, el] = *status.Reported;
        char line[64];
        std::snprintf(line, sizeof line, "\na=%.1f\xB0\ne=%.1f\xB0", az, el);
        text += line;
    }
    return text;
}

std::string StatusDetails(const RotatorStatus& status, const RotatorConfig& config) {
    std::string text = std::string("Rotator: ") + StateName(status.What);
    if (!status.Detail.empty()) text += " (" + status.Detail + ")";
    char line[128];
    if (status.Reported) {
        std::snprintf(line, sizeof line, "\nreported  az %.2f\xB0  el %.2f\xB0",
                      status.Reported->first, status.Reported->second);
        text += line;
    }
    if (status.Commanded) {
        std::snprintf(line, sizeof line, "\ncommanded az %.2f\xB0  el %.2f\xB0",
                      status.Commanded->first, status.Commanded->second);
        text += line;
    }
    text += "\nHamlib model " + std::to_string(config.Model);
    if (!config.Device.empty()) text += " at " + config.Device;
    for (const std::string& m : status.Log) text += "\n" + m;
    return text;
}

RotatorTracker::RotatorTracker(const RotatorConfig& config, const HorizonProfile* profile)
    : period_(config.Period), session_(config, profile), thread_([this] { Run(); }) {}

RotatorTracker::~RotatorTracker() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RotatorTracker::Aim(double azimuth, double elevation) {
    std::lock_guard lock(mutex_);
    aimAz_ = azimuth;
    aimEl_ = elevation;
}

void RotatorTracker::Track(bool on) {
    {
        std::lock_guard lock(mutex_);
        if (on == on_) return;
        on_ = on;
        changed_ = true;
        if (on) {
            status_.What = RotatorStatus::State::Connecting;
            status_.Detail.clear();
        }
    }
    wake_.notify_all();
}

RotatorStatus RotatorTracker::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

void RotatorTracker::Run() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto seconds = [start] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    const double tolerance = std::max(session_.Config().DeadBand, 0.1);
    bool tracking = false;  // the session has begun and not ended
    Clock::time_point next = start;
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (on_ && !changed_ && Clock::now() < next) {
            wake_.wait_until(lock, next, [this] { return quit_ || changed_; });
            continue;
        }
        if (!on_ && !tracking) {
            changed_ = false;
            status_.What = RotatorStatus::State::Off;  // switched off before a round
            wake_.wait(lock, [this] { return quit_ || on_; });
            continue;
        }
        changed_ = false;
        const bool on = on_;
        const double az = aimAz_, el = aimEl_;
        lock.unlock();
        // The rotator is spoken to with the lock free: Status, Aim and Track
        // never wait for it.
        RotatorRound round;
        std::string stopError;
        if (on) {
            round = session_.Round(seconds(), az, el);
            tracking = true;
            double pause = period_;
            if (!round.Connected) pause = std::clamp(round.RetryIn, 0.05, period_);
            next = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(pause));
        } else {
            stopError = session_.End();
            tracking = false;
        }
        lock.lock();
        RotatorStatus& s = status_;
        const std::string stamp = Stamp();
        auto log = [&](const std::string& line) {
            s.Log.push_back(stamp + line);
            while (s.Log.size() > kLogLines) s.Log.pop_front();
        };
        if (!on) {
            log(stopError.empty() ? "stopped" : "stop: " + stopError);
            s.What = RotatorStatus::State::Off;
            s.Detail = stopError;
            s.Reported.reset();
            s.Commanded.reset();
            continue;
        }
        for (const std::string& m : round.Messages) log(m);
        if (round.Sent) s.Commanded = std::pair{round.Command.Azimuth, round.Command.Elevation};
        if (!round.Connected) {
            s.What = RotatorStatus::State::Lost;
            s.Detail = round.Messages.empty() ? "next attempt in " +
                                                    std::to_string(static_cast<int>(
                                                        std::ceil(round.RetryIn))) +
                                                    " s"
                                              : round.Messages.back();
            s.Reported.reset();
            s.Commanded.reset();
            continue;
        }
        if (std::isfinite(round.ReportedAz) && std::isfinite(round.ReportedEl))
            s.Reported = std::pair{round.ReportedAz, round.ReportedEl};
        else
            s.Reported.reset();
        using Action = RotatorCommand::Action;
        if (round.Failed) {
            s.What = RotatorStatus::State::Error;
            s.Detail = round.Messages.back();
        } else if (round.Command.What == Action::Hold) {
            s.What = RotatorStatus::State::Holding;
            s.Detail = round.Command.Why;
        } else if (round.Command.What == Action::Park) {
            s.What = RotatorStatus::State::Parked;
            s.Detail = round.Command.Why;
        } else {
            const bool there = s.Reported && s.Commanded &&
                               std::fabs(std::remainder(s.Reported->first - s.Commanded->first,
                                                        360.0)) <= tolerance &&
                               std::fabs(s.Reported->second - s.Commanded->second) <= tolerance;
            s.What = there ? RotatorStatus::State::OnTarget : RotatorStatus::State::Moving;
            s.Detail.clear();
        }
    }
    lock.unlock();
    if (tracking) session_.End();
}

}  // namespace kelvo
