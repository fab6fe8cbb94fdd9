#pragma once

#include <sys/types.h>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

#include "support/rig/desktop.h"

// The real program living in the tray of a private desktop, for the benchmarks that
// watch it from outside: its serial port is whatever device path the bench names.
namespace bench {

// A command file with one command of the given code, type, action and fields
// (file, pause), in the program's own format.
QByteArray commandFile(const QByteArray& code, const QByteArray& runAction, const QByteArray& file,
                       const QByteArray& pause);

class ProgramRun {
  public:
    // `settings`: "Key: value" lines that replace those of the shipped settings.
    ProgramRun(const QString& device, const QByteArray& remote, const QList<QByteArray>& settings,
               int secondsToLive);
    rig::TestHome& home() { return desktop_.home(); }
    // Whether it came up in the tray; its standard error otherwise.
    bool waitInTray();
    QByteArray errors() const;
    bool errorsContain(const QByteArray& text) const { return errors().contains(text); }
    // The program's own process (not the `timeout` around it).
    pid_t pid();

  private:
    rig::Desktop desktop_{{.trayHost = true}};
    std::optional<rig::ChildProcess> process_;
    pid_t pid_ = -1;
};

// From /proc: context switches of each of its threads (by thread id), those since
// an earlier reading (threads started since count from zero; threads that ended
// are left out), CPU time in ms, resident kB.
QHash<QString, long> contextSwitches(pid_t pid);
long contextSwitchesSince(const QHash<QString, long>& before, pid_t pid);
double cpuMs(pid_t pid);
long residentKb(pid_t pid);
QByteArray machine();

}  // namespace bench
