#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

#include "support/rig/files.h"
#include "support/rig/process.h"
#include "support/rig/pty.h"
#include "support/rig/x11.h"

// The pieces a system test puts together: a private home, a private X desktop, and
// the program itself.
namespace rig {

// A fresh folder per test that stands in for the user's home: configuration,
// runtime folder (mode 0700), cache, logs and a work folder for test files. It is
// removed at the end, also after a failure (the program's error output is printed
// then); QUENDA_RIG_KEEP keeps it for inspection. "COM 1" of a program started in
// it is a pseudo-terminal of its own, so no test opens a serial port of the machine.
// Neither copied nor moved: its folder and terminal are its own.
class TestHome {
  public:
    TestHome();  // throws std::runtime_error
    ~TestHome();

    QString path() const { return dir_.path(); }
    QString configHome() const { return path() + QStringLiteral("/config"); }
    QString runtimeDir() const { return path() + QStringLiteral("/run"); }
    QString logDir() const { return path() + QStringLiteral("/logs"); }
    QString workDir() const { return path() + QStringLiteral("/work"); }
    // Where the program keeps its settings and the sample remote.
    QString programFolder() const { return configHome() + QStringLiteral("/quenda"); }
    QString work(const QString& name) const { return workDir() + QLatin1Char('/') + name; }
    // The pseudo-terminal that stands in for "COM 1": the receiver's end is the test's.
    QString firstPortDevice() const { return firstPort_.devicePath(); }
    PseudoTerminal& firstPort() { return firstPort_; }
    // A fresh log file base name for one more helper called `name`.
    QString nextLogBase(const QString& name);

    // A command file in the work folder; its path.
    QString writeCommandFile(const QString& fileName, const QByteArray& header,
                             const std::vector<files::Command>& commands);
    // QUENDA.ini in the program folder: `settings` loading `commandFile`, its receiver
    // the first port unless the settings name another device. Each of `lines`
    // ("Show time command: 1") takes the place of the line with the same key.
    void writeSettings(files::Settings settings, const QString& commandFile,
                       const QList<QByteArray>& lines = {});

    // An environment that reaches nothing of the real user's: no display, no
    // session bus, the home and XDG folders inside this folder, a fixed locale.
    Environment environment() const;

  private:
    void printErrorLogs() const;
    QTemporaryDir dir_;
    int logCounter_ = 0;
    PseudoTerminal firstPort_;
};

struct DesktopOptions {
    bool trayHost = false;             // trayer owns the notification area
    bool windowManager = false;        // matchbox frames, minimises and maximises windows
    QStringList serverArguments = {};  // more arguments for Xvfb
};

// Xvfb with the chosen helpers, started in order and stopped in reverse order.
class Desktop {
  public:
    explicit Desktop(DesktopOptions options = {});
    ~Desktop();

    TestHome& home() { return home_; }
    // The environment of a client of this desktop.
    const Environment& environment() const { return env_; }
    XInspector& x() { return *inspector_; }
    QString display() const { return server_->display(); }
    bool serverRunning() { return server_->running(); }
    // A screenshot of the whole screen, saved under the home's log folder; its path.
    QString screenshot(const QString& name);

  private:
    TestHome home_;
    Environment env_;
    std::optional<XServer> server_;
    std::unique_ptr<XInspector> inspector_;
    std::optional<WindowManager> windowManager_;
    std::optional<TrayHost> trayHost_;
};

// Keeps a copy of a screenshot (or of `area` of it) among the pictures the README
// shows: <build>/tests/screenshots/<name>. False when it could not be written.
bool keepScreenshot(const QString& shot, const QString& name, const QRect& area = QRect());

// The real program, started with the given environment and arguments.
class Quenda {
  public:
    static QString binary();
    static const QString kTitle;  // the main window's caption
    // Generous: a loaded machine may take long to start the program; shown, it goes on
    // at once.
    static constexpr milliseconds kStartLimit = milliseconds(30000);

    Quenda(TestHome& home, const Environment& env, const QStringList& arguments = {});
    ChildProcess& process() { return process_; }
    // The program's viewable main window, once it shows within `limit`.
    std::optional<XWindowInfo> waitForMainWindow(XInspector& x, milliseconds limit = kStartLimit);
    // Ctrl+Q on the main window found last; true when the program ended within `limit`.
    bool quit(const Environment& env, milliseconds limit = milliseconds(5000));

  private:
    ChildProcess process_;
    std::optional<XWindowInfo> mainWindow_;
};

// The witness: an X client with one window per title that logs, one line each,
// what reaches its windows (keys, buttons, focus, close requests, state changes).
class Witness {
  public:
    // Returns once its windows are mapped (a loaded machine may take long); throws
    // std::runtime_error otherwise.
    Witness(TestHome& home, const Environment& env, const QStringList& titles,
            const QStringList& options = {});
    void stop() { process_.stop(); }
    QStringList lines() const;
    int count(const QString& line) const { return int(lines().count(line)); }
    bool waitFor(const QString& line, milliseconds limit = milliseconds(5000)) const;

  private:
    QString logPath_;
    ChildProcess process_;
};

}  // namespace rig
