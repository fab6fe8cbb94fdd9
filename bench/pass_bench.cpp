// The recognition pass inside the real windows: from the recognition timer's firing
// to the moment the matched "Open" command asks the system to start its program, and
// to the end of the pass (feedback included). The main window, the tray icon and
// every other window are the program's own, on a private X desktop with a tray host,
// the program living in the tray as a remote control user has it. Only the platform
// is a recorder, so nothing is started and the figures are the program's own work.
//
//   pass_bench [passes]     (300 unless given)
#include <QApplication>
#include <QEventLoop>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/app_state.h"
#include "core/error_reporter.h"
#include "editor/command_runner.h"
#include "editor/dialog_prompts.h"
#include "editor/main_window.h"
#include "platform/fake/fake_platform.h"
#include "settings/properties_dialog.h"
#include "support/rig/desktop.h"
#include "support/rig/files.h"
#include "tray_setup.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes the moment the executor asks for a program start.
class TimingPlatform : public FakePlatform {
  public:
    Clock::time_point started;
    int starts = 0;
    QString lastStarted;
    bool startCommand(const QString& commandLine) override {
        started = Clock::now();
        ++starts;
        lastStarted = commandLine;
        return FakePlatform::startCommand(commandLine);
    }
};

// The presses: three buttons in turn, each learned by one command that opens a
// program of its own, in different places of the table.
const std::vector<bench::Press> kPresses = {{5, "ABC"}, {17, "ABD"}, {26, "ABE"}};

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    constexpr int kWarmUp = 5;
    try {
        rig::Desktop desktop({.trayHost = true});
        rig::TestHome& home = desktop.home();
        for (const QByteArray& entry : desktop.environment().entries()) {
            const qsizetype eq = entry.indexOf('=');
            qputenv(entry.left(eq).constData(), entry.mid(eq + 1));
        }
        rig::PseudoTerminal receiver;
        const QString remote = home.work(QStringLiteral("bench.pci"));
        rig::writeFile(remote, bench::fullRemote(kPresses));
        QDir().mkpath(home.programFolder());
        rig::writeFile(home.programFolder() + QStringLiteral("/QUENDA.ini"),
                       bench::traySettings(receiver.devicePath(), remote, 100));

        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        TimingPlatform platform;
        CollectingReporter errors;
        AppState state;
        state.programFolder = home.programFolder() + QLatin1Char('/');
        DialogPrompts prompts;
        TForm1 form(state, platform, errors, prompts);
        TPropertiesF propertiesF(form, state, platform, errors, prompts);
        runEventsFor(500);  // the start into the tray
        if (state.inTray != QLatin1String("yes") || form.isVisible() ||
            !QSystemTrayIcon::isSystemTrayAvailable()) {
            std::fprintf(stderr,
                         "the program did not go to the tray (inTray %s, %s, tray %s)\n%s\n",
                         qPrintable(state.inTray), form.isVisible() ? "shown" : "hidden",
                         QSystemTrayIcon::isSystemTrayAvailable() ? "there" : "missing",
                         qPrintable(errors.messages.join(QLatin1Char('\n'))));
            return 1;
        }
        Reception& reception = form.runner()->reception();

        std::vector<double> toStart;
        std::vector<double> whole;
        for (int i = 0; i < kWarmUp + passes; ++i) {
            reception.receiveBytes(kPresses[i % std::size(kPresses)].burst);
            const int startsBefore = platform.starts;
            const Clock::time_point fired = Clock::now();
            reception.Timer1Timer();
            const Clock::time_point ended = Clock::now();
            const QString expected = QStringLiteral("/usr/bin/player --track %1")
                                         .arg(kPresses[i % std::size(kPresses)].slot);
            if (platform.starts != startsBefore + 1 || platform.lastStarted != expected) {
                std::fprintf(stderr, "pass %d did not start %s\n", i, qPrintable(expected));
                return 1;
            }
            if (i >= kWarmUp) {
                toStart.push_back(
                    std::chrono::duration<double, std::milli>(platform.started - fired).count());
                whole.push_back(std::chrono::duration<double, std::milli>(ended - fired).count());
            }
            // The event loop runs between presses: the icon flash ends, the hint paints.
            runEventsFor(120);
        }
        if (!errors.messages.isEmpty()) {
            std::fprintf(stderr, "errors reported: %s\n",
                         qPrintable(errors.messages.join(QLatin1Char('\n'))));
            return 1;
        }
        std::sort(toStart.begin(), toStart.end());
        std::sort(whole.begin(), whole.end());
        bench::printMachine();
        std::printf(
            "Recognition pass in the real windows (in the tray, 30 commands, hint shown),\n"
            "%d passes, three buttons in turn:\n",
            passes);
        std::printf("  timer to program start: median %.3f ms, 99th %.3f ms, max %.3f ms\n",
                    bench::percentile(toStart, 0.5), bench::percentile(toStart, 0.99),
                    toStart.back());
        std::printf("  whole pass (with the 50 ms hint wait): median %.3f ms, 99th %.3f ms\n",
                    bench::percentile(whole, 0.5), bench::percentile(whole, 0.99));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pass_bench: %s\n", e.what());
        return 1;
    }
}
