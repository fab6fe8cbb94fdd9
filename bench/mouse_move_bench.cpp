// Continuous pointer movement on a real X display ($DISPLAY): how many pixels per
// second the 1 ms movement timer moves the pointer, and how much processor time the
// program spends on it while it runs and while it is idle. Run it on a private Xvfb
// (`Xvfb :5 -screen 0 1280x800x24 & DISPLAY=:5 build/bench/mouse_move_bench`).
// The X server's own share is not counted.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "actions/mouse_control.h"
#include "core/error_reporter.h"
#include "core/interval_timer.h"
#include "core/settings_record.h"
#include "platform/platform.h"

namespace {

double processSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop for `ms` milliseconds.
void runFor(int ms) {
    QTimer::singleShot(ms, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "mouse_move_bench: needs an X display in $DISPLAY\n");
        return 1;
    }
    std::unique_ptr<Platform> platform = createPlatform();
    SettingsRecord settings;
    settings.stepMouse = QStringLiteral("1");
    IntervalTimer TimerMouseMove(1);
    SleepingWaiter waiter;
    PointerClicks clicks(*platform, waiter);
    CollectingReporter errors;
    QString selected = QStringLiteral("Right");
    MouseControl mouse(
        {*platform, settings, TimerMouseMove, clicks, errors, [&selected] { return selected; }});
    Command command;
    command.runAction = selected;

    constexpr int kSegmentMs = 400;
    constexpr int kSegments = 10;
    platform->setCursorPos(QPoint(400, 400));
    runFor(50);

    const double idleStart = processSeconds();
    runFor(2000);
    const double idleCpu = processSeconds() - idleStart;

    mouse.run(command);  // starts the movement
    double pixels = 0;
    QElapsedTimer wall;
    wall.start();
    const double moveStart = processSeconds();
    for (int i = 0; i < kSegments; ++i) {
        // Back and forth, so the pointer never reaches the screen's edge.
        selected = i % 2 == 0 ? QStringLiteral("Right") : QStringLiteral("Left");
        const QPoint from = platform->cursorPos();
        runFor(kSegmentMs);
        pixels += std::abs(platform->cursorPos().x() - from.x());
    }
    const double moveCpu = processSeconds() - moveStart;
    const double seconds = wall.elapsed() / 1000.0;
    mouse.run(command);  // stops it

    std::printf("continuous movement: %.0f pixels per second over %.1f s\n", pixels / seconds,
                seconds);
    std::printf("processor time while moving: %.1f %% of one core\n", 100.0 * moveCpu / seconds);
    std::printf("processor time while idle:   %.2f %% of one core (2 s)\n", 100.0 * idleCpu / 2.0);
    return errors.messages.isEmpty() ? 0 : 1;
}
