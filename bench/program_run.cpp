#include "program_run.h"

#include <unistd.h>
#include <QDir>
#include <QHash>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace bench {

namespace {

// /proc files report no size; read them to their end.
QByteArray procFile(const QString& path) {
    std::ifstream in(path.toStdString());
    std::stringstream text;
    text << in.rdbuf();
    return QByteArray::fromStdString(text.str());
}

}  // namespace

QByteArray commandFile(const QByteArray& code, const QByteArray& runAction, const QByteArray& file,
                       const QByteArray& pause) {
    QByteArray f = "Name: Bench remote\r\n\r\n";
    const QList<QByteArray> lines{"Name: Bench",
                                  "Code: " + code,
                                  "Type Action: Run command",
                                  "Command combination: ",
                                  "File: " + file,
                                  "WindowHandle: ",
                                  "Run Action: " + runAction,
                                  "Key add: ",
                                  "Key add1: ",
                                  "Key: ",
                                  "MousePos X: ",
                                  "MousePos Y: ",
                                  "Pause: " + pause,
                                  "FileSound: ",
                                  ""};
    for (const QByteArray& line : lines) {
        f += line + "\r\n";
    }
    return f;
}

ProgramRun::ProgramRun(const QString& device, const QByteArray& remote,
                       const QList<QByteArray>& settings, int secondsToLive) {
    const QString remotePath = home().work(QStringLiteral("bench.pci"));
    rig::writeFile(remotePath, remote);
    QByteArray text = rig::readFile(QStringLiteral(QUENDA_SOURCE_DIR "/resources/QUENDA.ini"));
    QList<QByteArray> wanted = settings;
    wanted << "Load minized on tray: yes"
           << "Load file: " + remotePath.toUtf8() << "Com Device: " + device.toUtf8();
    for (const QByteArray& line : wanted) {
        const QByteArray key = line.left(line.indexOf(": ") + 2);
        const qsizetype at = text.indexOf("\n" + key);
        if (at < 0) {
            throw std::runtime_error("no line " + key.toStdString() + " in the shipped settings");
        }
        text.replace(at + 1, text.indexOf('\r', at + 1) - at - 1, line);
    }
    QDir().mkpath(home().programFolder());
    rig::writeFile(home().programFolder() + QStringLiteral("/QUENDA.ini"), text);

    rig::ChildProcess::Options options;
    options.argv = QStringList{rig::Quenda::binary()};
    options.env = desktop_.environment();
    options.logBase = home().nextLogBase(QStringLiteral("quenda"));
    options.hardLimit = rig::seconds(secondsToLive);
    process_.emplace(options);
}

bool ProgramRun::waitInTray() {
    return rig::waitUntil(
               [&] {
                   return !desktop_.x().dockedTrayIcons(QStringLiteral("quenda")).empty() ||
                          !process_->running();
               },
               rig::milliseconds(15000)) &&
           process_->running();
}

QByteArray ProgramRun::errors() const {
    return process_->standardError();
}

pid_t ProgramRun::pid() {
    // The program is the only child of the `timeout` that bounds its run.
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (int i = 0; pid_ < 0 && i < entries.size(); ++i) {
        const QByteArray stat = procFile(QStringLiteral("/proc/%1/stat").arg(entries[i]));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (!stat.isEmpty() && fields.value(1).toInt() == process_->pid()) {
            pid_ = entries[i].toInt();
        }
    }
    return pid_;
}

QHash<QString, long> contextSwitches(pid_t pid) {
    QHash<QString, long> byThread;
    const QStringList tasks =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        const QByteArray status =
            procFile(QStringLiteral("/proc/%1/task/%2/status").arg(pid).arg(task));
        for (const QByteArray& line : status.split('\n')) {
            if (line.contains("ctxt_switches:")) {
                byThread[task] += line.mid(line.indexOf(':') + 1).trimmed().toLong();
            }
        }
    }
    return byThread;
}

long contextSwitchesSince(const QHash<QString, long>& before, pid_t pid) {
    long total = 0;
    const QHash<QString, long> now = contextSwitches(pid);
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        total += it.value() - before.value(it.key(), 0);
    }
    return total;
}

double cpuMs(pid_t pid) {
    // Fields 14 and 15 of stat, after the command name in parentheses.
    const QByteArray stat = procFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

long residentKb(pid_t pid) {
    for (const QByteArray& line :
         procFile(QStringLiteral("/proc/%1/status").arg(pid)).split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

QByteArray machine() {
    QByteArray model = "unknown CPU";
    for (const QByteArray& line : procFile(QStringLiteral("/proc/cpuinfo")).split('\n')) {
        if (line.startsWith("model name")) {
            model = line.mid(line.indexOf(':') + 1).trimmed();
            break;
        }
    }
    const QList<QByteArray> load = procFile(QStringLiteral("/proc/loadavg")).split(' ');
    return QByteArray::number(sysconf(_SC_NPROCESSORS_ONLN)) + " cores, " + model +
           "; load average " + load.mid(0, 3).join(' ');
}

}  // namespace bench
