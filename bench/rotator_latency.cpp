// Command latency to rotctld: starts `rotctld -m 1` on a free port of
// 127.0.0.1, sends 1000 position commands (each followed by a position
// query) through the rotator link and prints the median and the 99th
// percentile of each round trip.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "Rotator.h"

int main() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    close(s);
    const std::string port = std::to_string(ntohs(a.sin_port));
    const pid_t pid = fork();
    if (pid == 0) {
        execlp("rotctld", "rotctld", "-m", "1", "-T", "127.0.0.1", "-t", port.c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    kelvo::RotatorConfig c;
    c.Model = 2;
    c.Device = "127.0.0.1:" + port;
    kelvo::RotatorLink link(c);
    std::string error = "not started";
    for (int i = 0; i < 100 && !error.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        error = link.Open();
    }
    if (!error.empty()) {
        std::fprintf(stderr, "rotctld: %s\n", error.c_str());
        kill(pid, SIGKILL);
        return 1;
    }
    std::vector<double> set, get;
    for (int i = 0; i < 1000; ++i) {
        double az = 0, el = 0;
        auto t0 = std::chrono::steady_clock::now();
        link.SetPosition(100.0 + (i % 50) * 0.1, 30.0);
        auto t1 = std::chrono::steady_clock::now();
        link.GetPosition(az, el);
        auto t2 = std::chrono::steady_clock::now();
        set.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        get.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
    }
    link.Close();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    for (auto* v : {&set, &get}) std::sort(v->begin(), v->end());
    std::printf("set_position: median %.0f us, p99 %.0f us\n", set[500], set[990]);
    std::printf("get_position: median %.0f us, p99 %.0f us\n", get[500], get[990]);
    return 0;
}
