// The rotator: rotator.cfg, the safe command for a target, the Hamlib link,
// tracking round by round and on its own thread, against the dummy rotator
// in-process, a real rotctld started here on 127.0.0.1, and peers that never
// answer or answer garbage.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <string>
#include <thread>

#include "Rotator.h"
#include "RotatorTracker.h"
#include "Track.h"

using namespace kelvo;
using Action = RotatorCommand::Action;

TEST(RotatorConfig, ReadsEveryKeyAndReportsBadLines) {
    const RotatorConfigReading good = ParseRotatorConfig(
        "# the dish\nmodel = 2\ndevice = 127.0.0.1:4533   # rotctld\nspeed=9600\n"
        "az_min = -180\naz_max = 540\nel_min = 5\nel_max = 85\nmin_elevation = 10\n"
        "dead_band = 0.25\nperiod = 1.5\nbelow = park\npark_az = 180\npark_el = 60\n",
        "rotator.cfg");
    EXPECT_TRUE(good.Problems.empty()) << good.Problems.front();
    const RotatorConfig& c = good.Config;
    EXPECT_EQ(c.Model, 2);
    EXPECT_EQ(c.Device, "127.0.0.1:4533");
    EXPECT_EQ(c.Speed, 9600);
    EXPECT_EQ(c.AzMin, -180);
    EXPECT_EQ(c.AzMax, 540);
    EXPECT_EQ(c.ElMin, 5);
    EXPECT_EQ(c.ElMax, 85);
    EXPECT_EQ(c.MinElevation, 10);
    EXPECT_EQ(c.DeadBand, 0.25);
    EXPECT_EQ(c.Period, 1.5);
    EXPECT_TRUE(c.Park);
    EXPECT_EQ(c.ParkAz, 180);
    EXPECT_EQ(c.ParkEl, 60);

    const struct {
        const char* Text;
        const char* Problem;
    } bad[] = {
        {"model = 1\nspeeed = 3\n", "rotator.cfg line 2: unknown key \"speeed\""},
        {"period = x\n", "rotator.cfg line 1: period takes a number"},
        {"period = 0\n", "line 1: period takes a number from 0.1 to 3600"},
        {"dead_band = 1 2\n", "line 1: dead_band takes"},
        {"below = drop\n", "line 1: below takes hold or park"},
        {"model = 1.5\n", "line 1: model takes a Hamlib model number"},
        {"just words\n", "line 1: \"just words\" is not \"key = value\""},
        {"az_min = 10\naz_max = 5\n", "rotator.cfg: az_min must lie below az_max"},
        {"model = 2\n", "the network model needs device = host:port"},
        {"el_max = 1e999\n", "line 1: el_max takes"},
    };
    for (const auto& b : bad) {
        const RotatorConfigReading r = ParseRotatorConfig(b.Text, "rotator.cfg");
        ASSERT_FALSE(r.Problems.empty()) << b.Text;
        EXPECT_NE(r.Problems.front().find(b.Problem), std::string::npos) << r.Problems.front();
    }
    EXPECT_FALSE(ReadRotatorConfig("/nonexistent-kelvo/rotator.cfg").Problems.empty());
}

TEST(RotatorCommand, SafeShortAndWithinTheDeadBand) {
    RotatorConfig c;
    c.AzMin = -180;
    c.AzMax = 540;
    c.ElMin = 0;
    c.ElMax = 80;
    c.MinElevation = 5;
    c.DeadBand = 0.5;
    HorizonProfile profile;
    profile.fill(2.0f);
    for (int a = 100; a < 110; ++a) profile[a] = 20.0f;

    struct Case {
        const char* Name;
        bool Park, Profile;
        double Az, El;
        std::optional<std::pair<double, double>> Last;
        std::optional<double> Present;
        Action Expect;
        double Az2, El2;
    } cases[] = {
        {"plain move", false, true, 200, 30, {}, 200, Action::Move, 200, 30},
        {"short way past north", false, true, 10, 30, {}, 350, Action::Move, 370, 30},
        {"short way back", false, true, 350, 30, {}, 10, Action::Move, -10, 30},
        {"within the dead band", false, true, 200.3, 30.2, std::pair{200.0, 30.0}, 200,
         Action::Keep, 200.3, 30.2},
        {"just beyond it", false, true, 200.6, 30, std::pair{200.0, 30.0}, 200, Action::Move,
         200.6, 30},
        {"above el_max: clamped", false, true, 200, 88, {}, 200, Action::Move, 200, 80},
        {"below min_elevation: hold", false, true, 200, 4, {}, 200, Action::Hold, 0, 0},
        {"behind the profile: hold", false, true, 105, 15, {}, 200, Action::Hold, 0, 0},
        {"no profile loaded", false, false, 105, 15, {}, 200, Action::Move, 105, 15},
        {"behind the profile: park", true, true, 105, 15, {}, 200, Action::Park, 0, 90 > 80 ? 80 : 90},
        {"no place: hold", false, true, NAN, 15, {}, 200, Action::Hold, 0, 0},
    };
    for (const Case& k : cases) {
        c.Park = k.Park;
        const RotatorCommand r =
            CommandFor(c, k.Profile ? &profile : nullptr, k.Az, k.El, k.Last, k.Present);
        EXPECT_EQ(static_cast<int>(r.What), static_cast<int>(k.Expect)) << k.Name;
        if (k.Expect == Action::Move || k.Expect == Action::Park) {
            EXPECT_NEAR(r.Azimuth, k.Az2, 1e-9) << k.Name;
            EXPECT_NEAR(r.Elevation, k.El2, 1e-9) << k.Name;
        }
    }
    // Whatever the target: a command lies within the limits and never below
    // the lowest elevation at its azimuth.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> az(-720, 720), el(-90, 90);
    for (bool park : {false, true})
        for (int i = 0; i < 20000; ++i) {
            c.Park = park;
            c.ParkEl = 1.0;  // asks for too low a park: raised to the lowest allowed
            const RotatorCommand r = CommandFor(c, &profile, az(random), el(random), {}, az(random));
            if (r.What == Action::Hold || r.What == Action::Keep) continue;
            EXPECT_GE(r.Azimuth, c.AzMin);
            EXPECT_LE(r.Azimuth, c.AzMax);
            EXPECT_LE(r.Elevation, c.ElMax);
            EXPECT_GE(r.Elevation, LowestElevation(c, &profile, r.Azimuth));
        }
}

namespace {

RotatorConfig Dummy() {
    RotatorConfig c;
    c.Model = 1;
    return c;
}

// A rotctld (or a peer posing as one) at host:port, through the network model.
RotatorConfig Network(const std::string& device) {
    RotatorConfig c;
    c.Model = 2;
    c.Device = device;
    return c;
}

// What the peers below answer: nothing, garbage, an over-long line, an
// error reply.
const std::string kPeerReplies[] = {std::string(), std::string("garbage\n"),
                                    std::string(5000, 'x') + "\n", std::string("RPRT -1\n")};

// A free TCP port on 127.0.0.1.
int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    close(s);
    return ntohs(a.sin_port);
}

// rotctld -m 1 on 127.0.0.1:port, until stopped.
class Rotctld {
public:
    explicit Rotctld(int port) : port_(port) { Start(); }
    ~Rotctld() { Kill(); }
    void Start() {
        pid_ = fork();
        if (pid_ == 0) {
            const std::string p = std::to_string(port_);
            execlp("rotctld", "rotctld", "-m", "1", "-T", "127.0.0.1", "-t", p.c_str(),
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        // Ready once it accepts a connection.
        for (int i = 0; i < 100; ++i) {
            const int s = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_port = htons(static_cast<uint16_t>(port_));
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            const bool up = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
            close(s);
            if (up) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    void Kill() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    int port_;
    pid_t pid_ = -1;
};

// A peer on 127.0.0.1 that accepts and then says nothing, or answers every
// line with what reply gives.
class Peer {
public:
    explicit Peer(std::string reply) : reply_(std::move(reply)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(listener_, 4);
        socklen_t n = sizeof a;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &n);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] {
            while (!done_) {
                const int c = accept(listener_, nullptr, nullptr);
                if (c < 0) return;
                char buffer[512];
                while (!done_) {
                    const ssize_t got = read(c, buffer, sizeof buffer);
                    if (got <= 0) break;
                    if (!reply_.empty()) (void)!write(c, reply_.data(), reply_.size());
                }
                close(c);
            }
        });
    }
    ~Peer() {
        done_ = true;
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        thread_.join();
    }
    std::string Device() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    std::string reply_;
    int listener_ = -1, port_ = 0;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

TEST(RotatorLink, DummyInProcessFollowsAndStops) {
    RotatorLink link(Dummy());
    ASSERT_EQ(link.Open(), "");
    ASSERT_EQ(link.SetPosition(20.0, 10.0), "");
    double az = -1, el = -1;
    for (int i = 0; i < 100 && !(std::fabs(az - 20) < 0.01 && std::fabs(el - 10) < 0.01); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_EQ(link.GetPosition(az, el), "");
    }
    EXPECT_NEAR(az, 20.0, 0.01);
    EXPECT_NEAR(el, 10.0, 0.01);
    EXPECT_EQ(link.Stop(), "");
    link.Close();
    EXPECT_EQ(link.GetPosition(az, el), "not connected");
    RotatorConfig unknown = Dummy();
    unknown.Model = 999999;
    EXPECT_NE(RotatorLink(unknown).Open(), "");
}

TEST(RotatorLink, RotctldKilledAndRestartedIsReconnected) {
    const int port = FreePort();
    auto daemon = std::make_unique<Rotctld>(port);
    RotatorLink link(Network("127.0.0.1:" + std::to_string(port)));
    ASSERT_EQ(link.Open(), "");
    ASSERT_EQ(link.SetPosition(30.0, 5.0), "");
    double az = 0, el = 0;
    EXPECT_EQ(link.GetPosition(az, el), "");
    daemon.reset();  // killed
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_NE(link.GetPosition(az, el), "");  // reported, not silent
    EXPECT_LT(Seconds(t0), 10.0);
    link.Close();
    EXPECT_NE(link.Open(), "");  // nothing listens
    daemon = std::make_unique<Rotctld>(port);
    ASSERT_EQ(link.Open(), "");
    EXPECT_EQ(link.GetPosition(az, el), "");
}

TEST(RotatorLink, SilentAndGarbagePeersAreReportedWithoutHanging) {
    for (const std::string& reply : kPeerReplies) {
        Peer peer(reply);
        RotatorLink link(Network(peer.Device()));
        const auto t0 = std::chrono::steady_clock::now();
        std::string error = link.Open();
        double az = 0, el = 0;
        if (error.empty()) error = link.GetPosition(az, el);
        if (error.empty()) error = link.SetPosition(10, 10);
        EXPECT_NE(error, "") << reply.substr(0, 20);
        EXPECT_LT(Seconds(t0), 20.0) << reply.substr(0, 20);
    }
}

namespace {

RotatorConfig Rotctl(int port) { return Network("127.0.0.1:" + std::to_string(port)); }

void Sleep(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Angle between two azimuths, degrees.
double AzimuthGap(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// Waits up to limit seconds for the tracker's state to satisfy done.
template <typename Done>
RotatorStatus WaitFor(const RotatorTracker& tracker, double limit, Done done) {
    const auto t0 = std::chrono::steady_clock::now();
    RotatorStatus s = tracker.Status();
    while (!done(s) && Seconds(t0) < limit) {
        Sleep(0.05);
        s = tracker.Status();
    }
    return s;
}

}  // namespace

// The dummy behind rotctld turns at about 6 deg/s in both axes; a source
// moving 1.5 deg/s in azimuth is followed with every command within the dead
// band of the target, and the rotator stays within the dead band plus one
// round's motion of the target.
TEST(RotatorSession, FollowsAMovingSourceWithinTheDeadBand) {
    const int port = FreePort();
    Rotctld daemon(port);
    RotatorConfig c = Rotctl(port);
    c.DeadBand = 0.5;
    RotatorSession session(c, nullptr);
    const double step = 0.3, round = 0.2;  // degrees and seconds per round
    std::optional<std::pair<double, double>> commanded;
    int sent = 0;
    for (int k = 0; k < 30; ++k) {
        const double az = 2.0 + step * k, el = 3.0 + 0.1 * k;
        const RotatorRound r = session.Round(k * round, az, el);
        ASSERT_TRUE(r.Connected) << k;
        ASSERT_FALSE(r.Failed) << (r.Messages.empty() ? "" : r.Messages.back());
        if (r.Sent) {
            ++sent;
            commanded = std::pair{r.Command.Azimuth, r.Command.Elevation};
        }
        ASSERT_TRUE(commanded);
        EXPECT_LE(AzimuthGap(commanded->first, az), c.DeadBand) << k;
        EXPECT_LE(std::fabs(commanded->second - el), c.DeadBand) << k;
        if (k >= 10) {  // after the first slew
            EXPECT_LE(AzimuthGap(r.ReportedAz, az), c.DeadBand + step + 0.05) << k;
            EXPECT_LE(std::fabs(r.ReportedEl - el), c.DeadBand + step + 0.05) << k;
        }
        Sleep(round);
    }
    // Commands only when the target left the dead band: about one in two.
    EXPECT_GE(sent, 10);
    EXPECT_LE(sent, 20);
    EXPECT_EQ(session.End(), "");
}

// A source that sets behind a hill of 20 deg (azimuth 90..180) is held where
// it was (or parked) and never commanded lower than the hill or the limits.
TEST(RotatorSession, BelowTheProfileIsHeldOrParkedNeverLower) {
    HorizonProfile hill{};
    for (int a = 90; a <= 180; ++a) hill[static_cast<std::size_t>(a)] = 20.0f;
    for (const bool park : {false, true}) {
        RotatorConfig c = Dummy();
        c.MinElevation = 5.0;
        c.Park = park;
        c.ParkAz = 135.0;
        c.ParkEl = 10.0;  // below the hill there: raised to 20
        RotatorSession session(c, &hill);
        bool held = false, parked = false;
        for (int k = 0; k <= 80; ++k) {  // from az 100, el 40 down to el 0
            const double az = 100.0 + 0.5 * k, el = 40.0 - 0.5 * k;
            const RotatorRound r = session.Round(k, az, el);
            ASSERT_TRUE(r.Connected);
            if (r.Sent) {
                EXPECT_GE(r.Command.Elevation,
                          std::max<double>(c.MinElevation, HorizonAt(hill, r.Command.Azimuth)))
                    << park << " " << k;
            }
            if (el < 20.0) {
                EXPECT_EQ(r.Command.What, park ? Action::Park : Action::Hold) << k;
                held = held || (!park && !r.Sent);
                if (park && r.Sent) {
                    parked = true;
                    EXPECT_DOUBLE_EQ(r.Command.Azimuth, 135.0);
                    EXPECT_DOUBLE_EQ(r.Command.Elevation, 20.0);
                }
            }
        }
        EXPECT_TRUE(park ? parked : held);
    }
}

// rotctld killed mid-track: the round says so with Hamlib's text, attempts
// follow with pauses of 1, 2, 4 s, and once rotctld is back the next
// attempt connects and the command goes out again.
TEST(RotatorSession, RotctldKilledMidTrackIsReconnected) {
    const int port = FreePort();
    auto daemon = std::make_unique<Rotctld>(port);
    RotatorSession session(Rotctl(port), nullptr);
    RotatorRound r = session.Round(0.0, 10.0, 10.0);
    ASSERT_TRUE(r.Connected);
    ASSERT_TRUE(r.Sent);
    daemon.reset();
    const auto t0 = std::chrono::steady_clock::now();
    r = session.Round(1.0, 10.2, 10.2);
    EXPECT_LT(Seconds(t0), 10.0);
    EXPECT_FALSE(r.Connected);
    EXPECT_TRUE(r.Failed);
    ASSERT_FALSE(r.Messages.empty());
    EXPECT_NE(r.Messages.back().find("connection lost"), std::string::npos) << r.Messages.back();
    EXPECT_DOUBLE_EQ(r.RetryIn, 1.0);
    // Before the next attempt nothing is tried; then pauses of 1, 2, 4 s.
    r = session.Round(1.5, 10.2, 10.2);
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_DOUBLE_EQ(r.RetryIn, 0.5);
    double now = 2.0;
    for (const double pause : {1.0, 2.0, 4.0}) {
        r = session.Round(now, 10.2, 10.2);
        ASSERT_EQ(r.Messages.size(), 1u);
        EXPECT_NE(r.Messages[0].find("next attempt in " + std::to_string(int(pause)) + " s"),
                  std::string::npos)
            << r.Messages[0];
        EXPECT_DOUBLE_EQ(r.RetryIn, pause);
        now += pause;
    }
    daemon = std::make_unique<Rotctld>(port);
    r = session.Round(now, 10.4, 10.4);
    EXPECT_TRUE(r.Connected);
    ASSERT_FALSE(r.Messages.empty());
    EXPECT_EQ(r.Messages[0], "connected");
    EXPECT_TRUE(r.Sent);  // the command again, whatever was sent before
    EXPECT_EQ(session.End(), "");
}

// A peer that never answers, answers garbage or an over-long line, or
// refuses with an error reply: every round comes back with Hamlib's text,
// within the time limit.
TEST(RotatorSession, SilentGarbageAndRefusingPeersAreReported) {
    for (const std::string& reply : kPeerReplies) {
        Peer peer(reply);
        RotatorSession session(Network(peer.Device()), nullptr);
        for (int k = 0; k < 3; ++k) {
            const auto t0 = std::chrono::steady_clock::now();
            const RotatorRound r = session.Round(10.0 * k, 50.0, 20.0);
            EXPECT_LT(Seconds(t0), 10.0) << reply.substr(0, 20);
            EXPECT_TRUE(r.Failed) << reply.substr(0, 20);
            EXPECT_FALSE(r.Sent) << reply.substr(0, 20);
            ASSERT_FALSE(r.Messages.empty());
            EXPECT_GT(r.Messages.back().size(), 5u);
        }
    }
}

// The tracker on the in-process dummy: connecting, moving, on target; off
// again at once.
TEST(RotatorTracker, FollowsTheAimAndShowsItsState) {
    RotatorConfig c = Dummy();
    c.Period = 0.2;
    RotatorTracker tracker(c, nullptr);
    EXPECT_EQ(tracker.Status().What, RotatorStatus::State::Off);
    tracker.Aim(12.0, 8.0);
    tracker.Track(true);
    RotatorStatus s = WaitFor(tracker, 1.0, [](const RotatorStatus& s) {
        return s.What == RotatorStatus::State::Moving;
    });
    EXPECT_EQ(s.What, RotatorStatus::State::Moving) << StateName(s.What);
    s = WaitFor(tracker, 15.0, [](const RotatorStatus& s) {
        return s.What == RotatorStatus::State::OnTarget;
    });
    ASSERT_EQ(s.What, RotatorStatus::State::OnTarget) << StateName(s.What) << " " << s.Detail;
    ASSERT_TRUE(s.Reported && s.Commanded);
    EXPECT_NEAR(s.Reported->first, 12.0, 0.5);
    EXPECT_NEAR(s.Reported->second, 8.0, 0.5);
    EXPECT_EQ(*s.Commanded, std::pair(12.0, 8.0));
    EXPECT_EQ(s.Log.front().substr(9), "connected");
    // A source below the horizon: held, the reason shown.
    tracker.Aim(200.0, -10.0);
    s = WaitFor(tracker, 2.0, [](const RotatorStatus& s) {
        return s.What == RotatorStatus::State::Holding;
    });
    EXPECT_EQ(s.What, RotatorStatus::State::Holding);
    EXPECT_FALSE(s.Detail.empty());
    tracker.Track(false);
    s = WaitFor(tracker, 2.0, [](const RotatorStatus& s) {
        return s.What == RotatorStatus::State::Off;
    });
    EXPECT_EQ(s.What, RotatorStatus::State::Off);
    EXPECT_FALSE(s.Reported);
    EXPECT_EQ(s.Log.back().substr(9), "stopped");
}

// Switching tracking off and ending the tracker both stop a rotator on its
// way: its position stands still short of the command.
TEST(RotatorTracker, StopsTheRotatorWhenSwitchedOffAndAtTheEnd) {
    const int port = FreePort();
    Rotctld daemon(port);
    for (const bool destroy : {false, true}) {
        RotatorConfig c = Rotctl(port);
        c.Period = 0.2;
        auto tracker = std::make_unique<RotatorTracker>(c, nullptr);
        const double from = destroy ? 180.0 : 0.0, to = destroy ? 0.0 : 180.0;
        tracker->Aim(to, 45.0);
        tracker->Track(true);
        const RotatorStatus s = WaitFor(*tracker, 5.0, [from](const RotatorStatus& s) {
            return s.Reported && AzimuthGap(s.Reported->first, from) > 3.0;
        });
        ASSERT_TRUE(s.Reported) << StateName(s.What) << " " << s.Detail;
        EXPECT_EQ(s.What, RotatorStatus::State::Moving);
        if (destroy) {
            tracker.reset();
        } else {
            tracker->Track(false);
            WaitFor(*tracker, 5.0, [](const RotatorStatus& s) {
                return s.What == RotatorStatus::State::Off;
            });
        }
        RotatorLink look(Rotctl(port));
        ASSERT_EQ(look.Open(), "");
        double az1 = 0, el1 = 0, az2 = 0, el2 = 0;
        ASSERT_EQ(look.GetPosition(az1, el1), "");
        Sleep(0.5);
        ASSERT_EQ(look.GetPosition(az2, el2), "");
        EXPECT_EQ(az1, az2) << destroy;
        EXPECT_EQ(el1, el2) << destroy;
        EXPECT_GT(AzimuthGap(az1, to), 10.0) << destroy;
        if (!destroy) {  // back to 180 for the second pass
            ASSERT_EQ(look.SetPosition(180.0, 45.0), "");
            for (int i = 0; i < 100 && AzimuthGap(az1, 180.0) > 0.01; ++i) {
                Sleep(0.1);
                look.GetPosition(az1, el1);
            }
        }
        look.Close();
    }
}

// A peer that never answers holds the tracker's thread in Hamlib's time
// limit, never the caller: Status, Aim and Track return at once, the state
// says lost with Hamlib's text, and the end waits at most for the limit.
TEST(RotatorTracker, ASilentPeerNeverHoldsTheCaller) {
    Peer peer("");
    RotatorConfig c = Network(peer.Device());
    c.Period = 0.2;
    auto tracker = std::make_unique<RotatorTracker>(c, nullptr);
    tracker->Track(true);
    double slowest = 0.0;
    const auto t0 = std::chrono::steady_clock::now();
    RotatorStatus s;
    while (Seconds(t0) < 8.0 && s.What != RotatorStatus::State::Lost) {
        const auto t = std::chrono::steady_clock::now();
        s = tracker->Status();
        tracker->Aim(100.0, 30.0);
        slowest = std::max(slowest, Seconds(t));
        Sleep(0.02);
    }
    EXPECT_EQ(s.What, RotatorStatus::State::Lost) << StateName(s.What);
    EXPECT_FALSE(s.Detail.empty());
    EXPECT_FALSE(s.Reported);
    EXPECT_LT(slowest, 0.5);  // no waiting on the rotator (its limit is 2 s)
    const auto t1 = std::chrono::steady_clock::now();
    tracker->Track(false);
    EXPECT_LT(Seconds(t1), 0.5);
    tracker.reset();
    EXPECT_LT(Seconds(t1), 10.0);
}

// Where a rotator's reported position points: overlap and over-the-zenith
// positions drawn where the antenna looks.
TEST(RotatorTracker, PointingOfOverlapAndOverTheTop) {
    struct Case {
        double az, el, wantAz, wantEl;
    };
    for (const Case& c : {Case{123.0, 45.0, 123.0, 45.0}, Case{400.0, 10.0, 40.0, 10.0},
                          Case{-90.0, 10.0, 270.0, 10.0}, Case{30.0, 120.0, 210.0, 60.0},
                          Case{300.0, 180.0, 120.0, 0.0}}) {
        const auto [az, el] = PointingOf(c.az, c.el);
        EXPECT_NEAR(az, c.wantAz, 1e-12) << c.az << " " << c.el;
        EXPECT_NEAR(el, c.wantEl, 1e-12) << c.az << " " << c.el;
    }
}
