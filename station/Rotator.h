// The antenna rotator: its settings (rotator.cfg), the safe command for a
// target, and a link to any rotator Hamlib drives (its library in-process,
// or a rotctld through Hamlib's network model).
#pragma once

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ObservationState.h"

namespace kelvo {

// rotator.cfg: "key = value" lines, '#' begins a comment.
struct RotatorConfig {
    int Model = 1;              // Hamlib model number (1: the dummy, 2: rotctld over the network)
    std::string Device;         // serial device, or host:port for the network model
    int Speed = 0;              // serial baud (0: the model's default)
    double AzMin = 0.0, AzMax = 360.0;  // limits, degrees
    double ElMin = 0.0, ElMax = 90.0;
    double MinElevation = 0.0;  // never lower than this, degrees
    double DeadBand = 0.5;      // degrees a target must move before a new command
    double Period = 2.0;        // seconds between updates
    bool Park = false;          // below the limits: false hold, true park
    double ParkAz = 0.0, ParkEl = 90.0;
    bool operator==(const RotatorConfig&) const = default;
};

struct RotatorConfigReading {
    RotatorConfig Config;
    std::vector<std::string> Problems;  // "rotator.cfg line 3: ..."; tracking does not start
};

// Reads the text of a rotator.cfg; fileName names it in the problems.
RotatorConfigReading ParseRotatorConfig(std::string_view text, const std::string& fileName);

// Reads the file at path (a missing file is a problem too).
RotatorConfigReading ReadRotatorConfig(const std::string& path);

// What to do for a target.
struct RotatorCommand {
    enum class Action { Move, Keep, Hold, Park } What = Action::Keep;
    double Azimuth = 0.0;    // Move and Park: the position to command (within the limits)
    double Elevation = 0.0;
    std::string Why;         // Hold and Park: the reason
};

// The lowest elevation allowed at azimuth: the larger of the minimum
// elevation, the lower limit and (when profile is given) the horizon there.
double LowestElevation(const RotatorConfig& config, const HorizonProfile* profile, double azimuth);

// The command for a target at (targetAz, targetEl), degrees: never below
// LowestElevation, never outside the limits; the azimuth taken the short way
// from the rotator's present azimuth within the limits; Keep while the
// target stays within the dead band of the last command. Below the limits or
// the horizon: Hold (no command) or Park (the park position, clamped to the
// limits and above LowestElevation).
RotatorCommand CommandFor(const RotatorConfig& config, const HorizonProfile* profile,
                          double targetAz, double targetEl,
                          std::optional<std::pair<double, double>> lastCommand,
                          std::optional<double> presentAz);

// A connection to a rotator through Hamlib. Every call returns an empty
// string on success, else Hamlib's text of the error (or ours).
class RotatorLink {
public:
    explicit RotatorLink(const RotatorConfig& config);
    ~RotatorLink();  // stops and closes
    RotatorLink(const RotatorLink&) = delete;
    RotatorLink& operator=(const RotatorLink&) = delete;

    std::string Open();
    void Close();
    bool IsOpen() const;
    std::string SetPosition(double azimuth, double elevation);
    std::string GetPosition(double& azimuth, double& elevation);
    std::string Stop();
    // Whether the last call that failed failed on the connection itself (no
    // answer within the time limit, an I/O error, a reply outside the
    // protocol) rather than on an error reply of the rotator: the link is
    // then to be closed and opened again.
    bool Lost() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// What one round of tracking did.
struct RotatorRound {
    std::vector<std::string> Messages;  // "connected", errors with Hamlib's text, in order
    RotatorCommand Command;             // the command for this round's target
    bool Sent = false;        // a Move or Park went to the rotator (in a dry run: would have)
    bool HoldStarts = false;  // the first round of a hold
    bool Connected = false;   // the link is open after the round (a dry run: never)
    bool Failed = false;      // an error in this round (Messages says which)
    double RetryIn = 0.0;     // not connected: seconds until the next attempt
    double ReportedAz = std::nan(""), ReportedEl = std::nan("");  // the rotator's position
};

// Tracking, one round at a time: connects (after a lost connection again,
// with pauses of 1 s doubling to 30 s), reads the rotator's position, and
// sends the safe command for the target (CommandFor) when it is a Move or a
// new Park. A command the rotator refused is sent again in the next round.
// The clock is the caller's: now in seconds on any steady scale. Shared by
// kelvo-ephem --track and the window's tracker; one thread at a time.
class RotatorSession {
public:
    // profile: the horizon profile to respect (copied), or none. A dry run
    // computes the commands without a rotator.
    RotatorSession(const RotatorConfig& config, const HorizonProfile* profile, bool dryRun = false);

    // A round at now for the target at (targetAz, targetEl), degrees; a
    // target that is not finite has no place and is held.
    RotatorRound Round(double now, double targetAz, double targetEl);
    // Stops the rotator and closes the link; Hamlib's text on a failure.
    std::string End();
    bool Connected() const { return link_.IsOpen(); }
    const RotatorConfig& Config() const { return config_; }

private:
    RotatorConfig config_;
    std::optional<HorizonProfile> profile_;
    bool dryRun_;
    RotatorLink link_;
    std::optional<std::pair<double, double>> last_;  // the last command the rotator took
    std::optional<double> presentAz_;
    bool holding_ = false;
    double retryPause_ = 1.0, nextAttempt_ = 0.0;
    void LoseLink(double now, RotatorRound& round);
};

}  // namespace kelvo
