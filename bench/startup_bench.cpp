// Start to the main window mapped: the real program, with the settings and a full
// command file of a user, is started again and again on a private X desktop; an X
// client of the bench watches the screen's top-level windows and notes the moment
// the window called "Quenda" is mapped. In turn with each start the bench starts
// the floor, a Qt program that shows one empty window of the same caption, so the
// program's own share is seen beside what any Qt program of this machine costs.
//
//   startup_bench [starts] [other-build]
//
// 20 starts unless given; another build of the program, when named, is started in
// turn as well (before and after a change, on the same machine at the same load).
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <QDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "support/rig/desktop.h"
#include "support/rig/files.h"
#include "tray_setup.h"

// Last: Xlib's macros (Bool, Status) would break the Qt headers.
#include <X11/Xlib.h>

namespace {

using Clock = std::chrono::steady_clock;

// Watches the screen for a top-level window with the caption being mapped.
class MapWatch {
  public:
    explicit MapWatch(const QString& display)
        : x_(XOpenDisplay(display.toLocal8Bit().constData())) {
        if (x_ == nullptr) {
            throw std::runtime_error("cannot open the private display");
        }
        XSelectInput(x_, DefaultRootWindow(x_), SubstructureNotifyMask);
        XSync(x_, False);
    }
    ~MapWatch() { XCloseDisplay(x_); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    // Waits until such a window is mapped; false after `limitMs`.
    bool waitForMapped(const char* caption, int limitMs) {
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
        while (Clock::now() < end) {
            while (XPending(x_) > 0) {
                XEvent event;
                XNextEvent(x_, &event);
                if (event.type == MapNotify && titled(event.xmap.window, caption)) {
                    return true;
                }
            }
            pollfd fd{ConnectionNumber(x_), POLLIN, 0};
            poll(&fd, 1, 10);
        }
        return false;
    }

    // Events left over from an earlier start.
    void drain() {
        XSync(x_, False);
        while (XPending(x_) > 0) {
            XEvent event;
            XNextEvent(x_, &event);
        }
    }

  private:
    bool titled(Window window, const char* caption) {
        char* name = nullptr;
        const bool same =
            XFetchName(x_, window, &name) != 0 && name != nullptr && std::string(name) == caption;
        XFree(name);
        return same;
    }
    Display* x_;
};

class Starter {
  public:
    explicit Starter(const rig::Environment& env) {
        for (const QByteArray& entry : env.entries()) {
            entries_.push_back(entry);
        }
        for (QByteArray& entry : entries_) {
            envp_.push_back(entry.data());
        }
        envp_.push_back(nullptr);
    }

    // Starts the program, times it to its window, ends it; the milliseconds.
    double timeToWindow(const QString& program, MapWatch& watch) {
        watch.drain();
        QByteArray path = program.toLocal8Bit();
        char* argv[] = {path.data(), nullptr};
        pid_t pid = -1;
        const Clock::time_point started = Clock::now();
        if (posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, envp_.data()) != 0) {
            throw std::runtime_error("cannot start " + path.toStdString());
        }
        const bool mapped = watch.waitForMapped("Quenda", 20000);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!mapped) {
            throw std::runtime_error(path.toStdString() + " showed no window called Quenda");
        }
        return ms;
    }

  private:
    std::vector<QByteArray> entries_;
    std::vector<char*> envp_;
};

void printRow(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-28s median %6.1f ms, min %6.1f ms, 90th %6.1f ms\n", what,
                bench::percentile(ms, 0.5), ms.front(), bench::percentile(ms, 0.9));
}

}  // namespace

int main(int argc, char** argv) {
    const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const QString other = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    constexpr int kWarmUp = 2;
    try {
        rig::Desktop desktop;
        rig::TestHome& home = desktop.home();
        const QString remote = home.work(QStringLiteral("bench.pci"));
        rig::writeFile(remote, bench::fullRemote({}));
        QDir().mkpath(home.programFolder());
        QByteArray settings = bench::traySettings(home.firstPortDevice(), remote, 100);
        settings.replace("Load minized on tray: yes", "Load minized on tray: no");
        rig::writeFile(home.programFolder() + QStringLiteral("/QUENDA.ini"), settings);

        MapWatch watch(desktop.display());
        Starter starter(desktop.environment());
        std::vector<double> program, floor, otherBuild;
        for (int i = 0; i < kWarmUp + starts; ++i) {
            const double p = starter.timeToWindow(rig::Quenda::binary(), watch);
            const double f = starter.timeToWindow(QStringLiteral(QUENDA_STARTUP_FLOOR), watch);
            const double o = other.isEmpty() ? 0 : starter.timeToWindow(other, watch);
            if (i >= kWarmUp) {
                program.push_back(p);
                floor.push_back(f);
                otherBuild.push_back(o);
            }
        }
        bench::printMachine();
        std::printf("Start to the main window mapped, %d starts each, in turn:\n", starts);
        printRow("program (30 commands):", program);
        printRow("floor (empty Qt window):", floor);
        if (!other.isEmpty()) {
            printRow("other build:", otherBuild);
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }
}
