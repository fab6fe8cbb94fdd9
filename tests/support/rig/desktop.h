#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

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
class TestHome {
  public:
    TestHome();  // throws std::runtime_error
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return dir_.path(); }
    QString configHome() const { return path() + QStringLiteral("/config"); }
    QString runtimeDir() const { return path() + QStringLiteral("/run"); }
    QString logDir() const { return path() + QStringLiteral("/logs"); }
    QString workDir() const { return path() + QStringLiteral("/work"); }
    // Where the program keeps its settings and the sample remote.
    QString programFolder() const { return configHome() + QStringLiteral("/quenda"); }
    QString work(const QString& name) const { return workDir() + QLatin1Char('/') + name; }
    // The pseudo-terminal that stands in for "COM 1".
    QString firstPortDevice() const { return firstPort_.devicePath(); }
    // A fresh log file base name for one more helper called `name`.
    QString nextLogBase(const QString& name);

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
    bool trayHost = false;       // trayer owns the notification area
    bool windowManager = false;  // matchbox frames, minimises and maximises windows
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
    // A screenshot of the whole screen, saved under the home's log folder.
    QString screenshot(const QString& name);

  private:
    TestHome home_;
    Environment env_;
    std::optional<XServer> server_;
    std::unique_ptr<XInspector> inspector_;
    std::optional<WindowManager> windowManager_;
    std::optional<TrayHost> trayHost_;
};

// The real program, started with the given environment and arguments.
class Quenda {
  public:
    static QString binary();
    static const QString kTitle;  // the main window's caption

    Quenda(TestHome& home, const Environment& env, const QStringList& arguments = {});
    ChildProcess& process() { return process_; }
    // The program's viewable main window, once it shows within `limit`.
    std::optional<XWindowInfo> waitForMainWindow(XInspector& x, milliseconds limit);

  private:
    ChildProcess process_;
};

}  // namespace rig
