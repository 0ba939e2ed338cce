// Tracking on a thread of its own: the window aims it at the source once a
// second and reads its state; the rotator's replies and time limits never
// hold up the caller.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "Rotator.h"

namespace kelvo {

struct RotatorStatus {
    enum class State {
        Off,         // not tracking (the rotator stopped)
        Connecting,  // tracking, the first attempt under way
        OnTarget,    // connected, the rotator within the dead band of its command
        Moving,      // connected, the rotator on its way to the command
        Holding,     // connected, the source below the limits or the horizon: no command
        Parked,      // connected, at or on its way to the park position
        Error,       // connected, the rotator refused the last command (Detail: Hamlib's text)
        Lost,        // no connection: the next attempt in RetryIn seconds
    } What = State::Off;
    std::string Detail;  // the reason of a hold, the error, the next attempt
    std::optional<std::pair<double, double>> Reported;   // the rotator's az, el (degrees)
    std::optional<std::pair<double, double>> Commanded;  // the last command taken
    std::deque<std::string> Log;  // the last messages, oldest first
};

// The state's one-word name: "off", "connecting", "on target", "moving",
// "holding", "parked", "error", "lost".
const char* StateName(RotatorStatus::State state);

// Where an antenna at the rotator's (az, el) points, degrees: azimuth
// 0..360 (a rotator with overlap reports beyond), and an elevation above 90
// (a rotator that turns over the zenith) as the direction it points to.
std::pair<double, double> PointingOf(double azimuth, double elevation);

// The target the window aims at: the readouts' place, or none (NaN) when
// the place could not be computed or the source is the Earth.
std::pair<double, double> TrackTarget(const ObservationState& state, bool placeUsable,
                                      double azimuth, double elevation);

// The window's short text: the state's name and, with a reported position,
// "a=ddd.d°" and "e=dd.d°" lines (Latin-1 degree sign).
std::string StatusLines(const RotatorStatus& status);
// The longer text for a tooltip: the state with its detail, the reported
// and the commanded position, the rotator, and the last messages.
std::string StatusDetails(const RotatorStatus& status, const RotatorConfig& config);

class RotatorTracker {
public:
    // Rounds every config.Period seconds while tracking; the profile is copied.
    RotatorTracker(const RotatorConfig& config, const HorizonProfile* profile);
    // Stops the rotator when tracking and waits for the thread (at most the
    // rotator's time limit for each call under way).
    ~RotatorTracker();
    RotatorTracker(const RotatorTracker&) = delete;
    RotatorTracker& operator=(const RotatorTracker&) = delete;

    // The target now, degrees; not finite: the source has no place (held).
    void Aim(double azimuth, double elevation);
    // Tracking on (a round at once) or off (the rotator stopped, the link
    // closed). Returns at once.
    void Track(bool on);
    // A copy of the state; never waits for the rotator.
    RotatorStatus Status() const;

private:
    void Run();
    const double period_;
    RotatorSession session_;  // the thread's alone
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool on_ = false, quit_ = false, changed_ = false;
    double aimAz_ = std::nan(""), aimEl_ = std::nan("");
    RotatorStatus status_;
    std::thread thread_;  // last: starts when the rest is ready
};

}  // namespace kelvo
