// End-to-end latency of a button press through the real program: the bench writes a
// receiver's burst into a pseudo-terminal that the program reads as its serial port,
// and waits for the effect of the command it runs, "Open" of /usr/bin/touch on a
// file, seen through inotify. The program lives in the tray on a private X server.
// The recognition timer waits `Pause command` milliseconds after the first byte on
// purpose; that wait is taken off the figures, which are what is left: reception,
// the pass, the program start and touch itself.
//
// Beside each press of the program the bench presses the floor, latency_floor: a
// reader of a second pseudo-terminal that starts the same touch with posix_spawn
// as soon as bytes arrive. The two take turns, so both see the same machine, and
// the ratio of their figures is what the program adds.
//
//   latency_bench [presses]     (200 unless given)
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>
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

// An inotify descriptor that reports changes of the times of `file`; -1 on failure.
int watchTimes(const QString& file) {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd >= 0 && inotify_add_watch(fd, QFile::encodeName(file).constData(), IN_ATTRIB) < 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Sends one burst into `port` and waits for touch to change the watched file: the
// time from the last byte written to the change, in milliseconds; none when
// nothing changed within 3 s. Throws when the terminal cannot be written.
std::optional<double> press(rig::PseudoTerminal& port, int watch) {
    waitForTouch(watch, 0);  // nothing left over from the last press
    // Read before the write: a bench descheduled right after writing would else see
    // an effect that came before its clock and count it as nearly nothing.
    const Clock::time_point written = Clock::now();
    if (!port.send("ABC")) {
        throw std::runtime_error("writing into the pseudo-terminal failed");
    }
    const std::optional<Clock::time_point> touched = waitForTouch(watch, 3000);
    if (!touched) {
        return std::nullopt;
    }
    return std::chrono::duration<double, std::milli>(*touched - written).count();
}

void printFigures(std::vector<double>& sorted) {
    std::sort(sorted.begin(), sorted.end());
    std::printf("  min %.1f ms, median %.1f ms, 90th %.1f ms, 99th %.1f ms, max %.1f ms\n",
                sorted.front(), bench::percentile(sorted, 0.5), bench::percentile(sorted, 0.9),
                bench::percentile(sorted, 0.99), sorted.back());
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

        rig::PseudoTerminal floorPort;
        const QString floorTarget = home.work(QStringLiteral("floor-pressed"));
        rig::writeFile(floorTarget, QByteArray());
        QProcess floor;
        floor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        floor.start(QStringLiteral(QUENDA_LATENCY_FLOOR),
                    {floorPort.devicePath(), QStringLiteral("/usr/bin/touch"), floorTarget});
        if (!floor.waitForStarted()) {
            std::fprintf(stderr, "the floor reader did not start\n");
            return 1;
        }

        const int watch = watchTimes(target);
        const int floorWatch = watchTimes(floorTarget);
        if (watch < 0 || floorWatch < 0) {
            std::perror("inotify");
            return 1;
        }
        std::vector<double> latencies, floorLatencies;
        int missed = 0, floorMissed = 0;
        for (int i = 0; i < kWarmUp + presses; ++i) {
            const std::optional<double> ms = press(receiver, watch);
            if (!ms) {
                ++missed;
            } else if (i >= kWarmUp) {
                latencies.push_back(*ms - kPauseCommandMs);
            }
            // The pass goes on with its feedback (the hint waits 50 ms): the next press
            // comes once it has ended, as a user's next press would.
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            const std::optional<double> floorMs = press(floorPort, floorWatch);
            if (!floorMs) {
                ++floorMissed;
            } else if (i >= kWarmUp) {
                floorLatencies.push_back(*floorMs);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        close(watch);
        close(floorWatch);
        floor.kill();
        floor.waitForFinished();
        if (latencies.empty() || floorLatencies.empty()) {
            std::fprintf(stderr, "no press had an effect\n");
            return 1;
        }

        bench::printMachine();
        std::printf(
            "End-to-end latency, from writing the burst to the effect, minus the %d ms\n"
            "recognition pause, over %zu presses (%d without effect):\n",
            kPauseCommandMs, latencies.size(), missed);
        printFigures(latencies);
        std::printf(
            "Floor, a reader that starts the same program with posix_spawn at once,\n"
            "over %zu presses (%d without effect):\n",
            floorLatencies.size(), floorMissed);
        printFigures(floorLatencies);
        std::printf("Ratio to the floor: median %.2f, 99th percentile %.2f\n",
                    bench::percentile(latencies, 0.5) / bench::percentile(floorLatencies, 0.5),
                    bench::percentile(latencies, 0.99) / bench::percentile(floorLatencies, 0.99));
        return missed == 0 && floorMissed == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "latency_bench: %s\n", e.what());
        return 1;
    }
}
