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
#include "editor/main_window.h"
#include "platform/fake/fake_platform.h"
#include "settings/properties_dialog.h"
#include "support/rig/desktop.h"
#include "tray_setup.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes the moment the executor asks for a program start.
class TimingPlatform : public FakePlatform {
  public:
    Clock::time_point started;
    int starts = 0;
    bool startCommand(const QString& commandLine) override {
        started = Clock::now();
        ++starts;
        return FakePlatform::startCommand(commandLine);
    }
};

// A full remote of 30 commands, as a user's command file holds; the one learned as
// `code` opens a program, the others run other kinds of action.
QByteArray fullRemote(const QByteArray& code, int openSlot) {
    QByteArray f = "Name: Bench remote\r\n\r\n";
    for (int n = 1; n <= 30; ++n) {
        const bool open = n == openSlot;
        const QByteArray number = QByteArray::number(n);
        const QList<QByteArray> lines{
            "Name: Command " + number,
            "Code: " + (open ? code : " 41 42 " + QByteArray::number(n + 0x10, 16).toUpper()),
            "Type Action: " + QByteArray(open || n % 3 != 0 ? "Run command" : "Key control"),
            "Command combination: ",
            "File: " + QByteArray(open ? "/usr/bin/true" : ""),
            "WindowHandle: ",
            "Run Action: " + QByteArray(open         ? "Open"
                                        : n % 3 != 0 ? "Active"
                                                     : ""),
            "Key add: ",
            "Key add1: ",
            "Key: " + QByteArray(n % 3 == 0 ? "Space" : ""),
            "MousePos X: ",
            "MousePos Y: ",
            "Pause: 0",
            "FileSound: ",
            ""};
        for (const QByteArray& line : lines) {
            f += line + "\r\n";
        }
    }
    return f;
}

double percentile(const std::vector<double>& sorted, double p) {
    const std::size_t at =
        std::min(sorted.size() - 1, std::size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[at];
}

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    constexpr int kWarmUp = 5;
    constexpr int kOpenSlot = 17;
    try {
        rig::Desktop desktop({.trayHost = true});
        rig::TestHome& home = desktop.home();
        for (const QByteArray& entry : desktop.environment().entries()) {
            const qsizetype eq = entry.indexOf('=');
            qputenv(entry.left(eq).constData(), entry.mid(eq + 1));
        }
        rig::PseudoTerminal receiver;
        const QString remote = home.work(QStringLiteral("bench.pci"));
        rig::writeFile(remote, fullRemote(" 41 42 43", kOpenSlot));
        QDir().mkpath(home.programFolder());
        rig::writeFile(home.programFolder() + QStringLiteral("/QUENDA.ini"),
                       bench::traySettings(receiver.devicePath(), remote, 100));

        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        TimingPlatform platform;
        CollectingReporter errors;
        AppState state;
        state.programFolder = home.programFolder() + QLatin1Char('/');
        TForm1 form(state, platform, errors);
        TPropertiesF propertiesF(form, state, platform, errors);
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
            reception.receiveBytes("ABC");
            const int startsBefore = platform.starts;
            const Clock::time_point fired = Clock::now();
            reception.Timer1Timer();
            const Clock::time_point ended = Clock::now();
            if (platform.starts != startsBefore + 1) {
                std::fprintf(stderr, "pass %d started no program\n", i);
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
            "%d passes:\n",
            passes);
        std::printf("  timer to program start: median %.3f ms, 99th %.3f ms, max %.3f ms\n",
                    percentile(toStart, 0.5), percentile(toStart, 0.99), toStart.back());
        std::printf("  whole pass (with the 50 ms hint wait): median %.3f ms, 99th %.3f ms\n",
                    percentile(whole, 0.5), percentile(whole, 0.99));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pass_bench: %s\n", e.what());
        return 1;
    }
}
