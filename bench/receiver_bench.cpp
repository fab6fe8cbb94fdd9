// What a receiver that goes away costs: the real program in the tray reads a
// pseudo-terminal through a link (as a udev name of an adapter); the bench hangs up
// the terminal, counts the program's wake-ups (context switches of all its threads)
// and CPU time while the device is missing, then puts a new terminal behind the link
// and times how long the program takes to find it and run a command again.
//
//   receiver_bench [seconds]     (measuring window, 20 unless given)
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "program_run.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Terminal {
    int controller = -1, device = -1;
    QString name;
    Terminal() {
        char path[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&controller, &device, path, &raw, nullptr) != 0) {
            throw std::runtime_error("openpty failed");
        }
        // The program must not inherit an end: it would keep the line from hanging up.
        fcntl(controller, F_SETFD, FD_CLOEXEC);
        fcntl(device, F_SETFD, FD_CLOEXEC);
        name = QString::fromLocal8Bit(path);
    }
    void hangUp() {
        ::close(controller);
        ::close(device);
    }
};

struct Cost {
    double wakeUpsPerSecond, cpuPercent;
};

Cost measure(pid_t pid, int seconds) {
    const QHash<QString, long> switches = bench::contextSwitches(pid);
    const double cpu = bench::cpuMs(pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return {double(bench::contextSwitchesSince(switches, pid)) / seconds,
            (bench::cpuMs(pid) - cpu) / (10.0 * seconds)};
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    try {
        Terminal first;
        const QString link = QStringLiteral("/tmp/quenda-bench-receiver-%1").arg(getpid());
        QFile::remove(link);
        QFile::link(first.name, link);
        bench::ProgramRun run(
            link,
            bench::commandFile(" 41 42 43", "Open",
                               "/usr/bin/touch " + QFile::encodeName(link + ".touched"), ""),
            {"Show command: no"}, 3 * seconds + 80);
        if (!run.waitInTray()) {
            std::fprintf(stderr, "the program did not come up in the tray:\n%s\n",
                         run.errors().constData());
            return 1;
        }
        const pid_t pid = run.pid();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const Cost listening = measure(pid, seconds);

        // Unplugged: the line hangs up and the device's name goes away with it (the
        // terminal's number is free for anyone's next terminal).
        first.hangUp();
        QFile::remove(link);
        if (!rig::waitUntil([&] { return run.errorsContain("stopped answering"); },
                            rig::milliseconds(5000))) {
            std::fprintf(stderr, "the hang-up was not reported\n");
        }
        // The notification of the loss animates while it shows (10 s); the figure is
        // the cost of waiting for the device.
        std::this_thread::sleep_for(std::chrono::seconds(11));
        const Cost missing = measure(pid, seconds);
        const int reports = int(run.errors().count("stopped answering"));

        Terminal second;
        rig::writeFile(link + QStringLiteral(".touched"), QByteArray());
        QFile::link(second.name, link);
        const Clock::time_point returned = Clock::now();
        const bool back = rig::waitUntil([&] { return run.errorsContain("is back"); },
                                         rig::milliseconds(5000), rig::milliseconds(5));
        const double foundMs =
            std::chrono::duration<double, std::milli>(Clock::now() - returned).count();
        const int watch = inotify_init1(IN_CLOEXEC);
        inotify_add_watch(watch, QFile::encodeName(link + ".touched").constData(), IN_ATTRIB);
        ::write(second.controller, "ABC", 3);
        pollfd p{watch, POLLIN, 0};
        const bool works = poll(&p, 1, 3000) == 1;
        QFile::remove(link);
        QFile::remove(link + QStringLiteral(".touched"));

        std::printf("Machine: %s\n", bench::machine().constData());
        std::printf("Listening, receiver present: %.2f wake-ups/s, %.2f %% CPU (%d s)\n",
                    listening.wakeUpsPerSecond, listening.cpuPercent, seconds);
        std::printf(
            "Receiver missing:            %.2f wake-ups/s, %.2f %% CPU (%d s), "
            "%d report(s)\n",
            missing.wakeUpsPerSecond, missing.cpuPercent, seconds, reports);
        std::printf("Receiver back: %s after %.0f ms; a press afterwards %s\n",
                    back ? "found again" : "NOT found", foundMs,
                    works ? "ran its command" : "did NOT run");
        return back && works && reports == 1 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "receiver_bench: %s\n", e.what());
        return 1;
    }
}
