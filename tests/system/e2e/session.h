#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/rig/desktop.h"
#include "support/rig/files.h"
#include "support/rig/pty.h"
#include "support/rig/services.h"

// One run of the real program on a private desktop, its serial port a pseudo-terminal
// into which the test writes what a receiver would send.
namespace e2e {

using Clock = std::chrono::steady_clock;
using rig::milliseconds;

// Commands as the user builds them in the editor.
files::Command openCommand(const QByteArray& name, const QByteArray& code, const QByteArray& file);
files::Command pauseCommand(const QByteArray& name, const QByteArray& code, int ms);
files::Command windowCommand(const QByteArray& name, const QByteArray& code,
                             const QByteArray& action, const QByteArray& caption);
files::Command combinationCommand(const QByteArray& name, const QByteArray& code,
                                  const QByteArray& list);
files::Command volumeCommand(const QByteArray& name, const QByteArray& code,
                             const QByteArray& action);
files::Command pcCommand(const QByteArray& name, const QByteArray& code, const QByteArray& action);
// A timer command that runs the command `commandName` of the file `file` at expiry.
files::Command timerCommand(const QByteArray& name, const QByteArray& code, const QByteArray& file,
                            const QByteArray& commandName);

class Session;
// A remote whose "Sleep" timer command (code " 54", the byte T) runs "Lights out"
// (code " 4C"), which touches the work file "fired"; the program starts in the
// tray with the given "Timer step" and "Timer ambit: 120".
void writeTimerRemote(Session& s, const QByteArray& timerStep);

// One line a stamping program wrote: its word and the wall-clock time it ran.
struct Stamp {
    QString word;
    double seconds = 0;
};

class Session {
  public:
    explicit Session(rig::DesktopOptions options = {.trayHost = true});
    ~Session();

    rig::TestHome& home() { return desktop_.home(); }
    rig::XInspector& x() { return desktop_.x(); }
    const rig::Environment& env() const { return desktop_.environment(); }

    // QUENDA.ini and command files in the home (see rig::TestHome); the program starts
    // in the tray when the settings say so.
    void writeSettings(const files::Settings& settings, const QString& commandFile,
                       const QList<QByteArray>& lines = {});
    QString writeCommandFile(const QString& fileName, const QByteArray& header,
                             const std::vector<files::Command>& commands) {
        return home().writeCommandFile(fileName, header, commands);
    }

    // Private services for the program, started before it: a sound server and a
    // system bus with the logind mock. Without the bus the program finds none.
    rig::SoundServer& startSoundServer(int channels = 2);
    rig::SystemBus& startSystemBus();

    // Starts the program and waits until it listens: its tray icon docked when it
    // starts in the tray, else its main window shown.
    ::testing::AssertionResult start();
    const rig::XWindowInfo& mainWindow() const { return *mainWindow_; }
    // What the program wrote to its standard error.
    std::string programErrors();

    // A screenshot of the whole screen in the log folder; its path.
    QString screenshot(const QString& name) { return desktop_.screenshot(name); }

    // Writes one burst into the receiver's end; the moment the write returned.
    Clock::time_point press(const QByteArray& burst);

    // The command line of a program that appends "<word> <time>" to the stamp log.
    QByteArray stamp(const QByteArray& word);
    std::vector<Stamp> stamps() const;
    QStringList stampWords() const;
    bool waitForStamps(std::size_t count, milliseconds limit) const;
    bool waitForStamp(const QString& word, milliseconds limit) const;

    // The witness client, one window per title, with its further options; the lines
    // of its log.
    void startWitness(const QStringList& titles, const QStringList& options = {}) {
        witness_.emplace(home(), env(), titles, options);
    }
    QStringList witnessLog() const { return witness_ ? witness_->lines() : QStringList(); }
    bool waitForWitness(const QString& line, milliseconds limit) {
        return witness_ && witness_->waitFor(line, limit);
    }

    // The program's hint window while it is on the screen: a viewable window of the
    // program that no window manager may frame or move (override-redirect).
    std::optional<rig::XWindowInfo> hint();
    // Waits for the hint to show; the moment it was seen.
    std::optional<Clock::time_point> waitForHint(milliseconds limit);
    bool waitForHintGone(milliseconds limit);

    // Where the X pointer is, in root coordinates.
    QPoint pointer();
    // Gives the keyboard focus to the viewable top-level window titled `title` and
    // puts the pointer in its middle, as a user about to type and click there would.
    void focus(const QString& title);

  private:
    struct Xlib;
    rig::Desktop desktop_;
    std::unique_ptr<Xlib> xlib_;
    std::optional<rig::Witness> witness_;
    std::optional<rig::SoundServer> sound_;
    std::optional<rig::SystemBus> systemBus_;
    std::optional<rig::Quenda> quenda_;
    std::optional<rig::XWindowInfo> mainWindow_;
    bool inTray_ = false;
    QString workDir_;
};

// Milliseconds between two moments.
inline double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace e2e
