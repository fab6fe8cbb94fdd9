// End-to-end latency of a button press through the real program: the bench writes a
// receiver's burst into a pseudo-terminal that the program reads as its serial port,
// and waits for the effect of the command it runs, "Open" of /usr/bin/touch on a
// file, seen through inotify. The program lives in the tray on a private X server.
// The recognition timer waits `Pause command` milliseconds after the first byte on
// purpose; that wait is taken off the figures, which are what is left: reception,
// the pass, the program start and touch itself.
//
//   latency_bench [presses]     (200 unless given)
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/rig/desktop.h"
#include "support/rig/pty.h"
#include "tray_setup.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPauseCommandMs = 100;
constexpr int kWarmUp = 3;

// Waits up to `limit` for touch to change the file's times; the moment it was seen.
std::optional<Clock::time_point> waitForTouch(int inotifyFd, int limitMs) {
    pollfd p{inotifyFd, POLLIN, 0};
    if (poll(&p, 1, limitMs) <= 0) {
        return std::nullopt;
    }
    const Clock::time_point seen = Clock::now();
    char events[4096];
    while (read(inotifyFd, events, sizeof events) > 0) {
    }
    return seen;
}

double percentile(const std::vector<double>& sorted, double p) {
    const std::size_t at =
        std::min(sorted.size() - 1, std::size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[at];
}

}  // namespace

int main(int argc, char** argv) {
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    try {
        rig::Desktop desktop({.trayHost = true});
        rig::TestHome& home = desktop.home();
        rig::PseudoTerminal receiver;
        const QString target = home.work(QStringLiteral("pressed"));
        const QString remote = home.work(QStringLiteral("bench.pci"));
        rig::writeFile(target, QByteArray());
        rig::writeFile(remote, bench::openCommandFile(" 41 42 43", "/usr/bin/touch " + target));
        QDir().mkpath(home.programFolder());
        rig::writeFile(home.programFolder() + QStringLiteral("/QUENDA.ini"),
                       bench::traySettings(receiver.devicePath(), remote, kPauseCommandMs));

        rig::Quenda quenda(home, desktop.environment());
        if (!bench::waitForTrayIcon(desktop, quenda)) {
            std::fprintf(stderr, "the program did not come up in the tray:\n%s\n",
                         quenda.process().standardError().constData());
            return 1;
        }

        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (watch < 0 ||
            inotify_add_watch(watch, QFile::encodeName(target).constData(), IN_ATTRIB) < 0) {
            std::perror("inotify");
            return 1;
        }
        std::vector<double> latencies;
        int missed = 0;
        for (int i = 0; i < kWarmUp + presses; ++i) {
            waitForTouch(watch, 0);  // nothing left over from the last press
            if (!receiver.send("ABC")) {
                std::fprintf(stderr, "writing into the pseudo-terminal failed\n");
                return 1;
            }
            const Clock::time_point written = Clock::now();
            const std::optional<Clock::time_point> touched = waitForTouch(watch, 3000);
            if (!touched) {
                ++missed;
            } else if (i >= kWarmUp) {
                latencies.push_back(
                    std::chrono::duration<double, std::milli>(*touched - written).count() -
                    kPauseCommandMs);
            }
            // The pass goes on with its feedback (the hint waits 50 ms): the next press
            // comes once it has ended, as a user's next press would.
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        close(watch);
        if (latencies.empty()) {
            std::fprintf(stderr, "no press had an effect\n");
            return 1;
        }

        std::sort(latencies.begin(), latencies.end());
        bench::printMachine();
        std::printf(
            "End-to-end latency, last byte written to the effect, minus the %d ms\n"
            "recognition pause, over %zu presses (%d without effect):\n",
            kPauseCommandMs, latencies.size(), missed);
        std::printf("  min %.1f ms, median %.1f ms, 90th %.1f ms, 99th %.1f ms, max %.1f ms\n",
                    latencies.front(), percentile(latencies, 0.5), percentile(latencies, 0.9),
                    percentile(latencies, 0.99), latencies.back());
        return missed == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "latency_bench: %s\n", e.what());
        return 1;
    }
}
