#pragma once

#include <unistd.h>
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "support/rig/desktop.h"
#include "support/rig/files.h"

// What the benchmarks that drive the real program share: its settings, command files
// (one "Open" command, or a user's full remote), the percentile and the machine line.
namespace bench {

// The shipped settings with the lines that make a benchmark run: in the tray,
// reading the pseudo-terminal, loading the bench's command file.
inline QByteArray traySettings(const QString& device, const QString& commandFile,
                               int pauseCommandMs) {
    QByteArray text = rig::readFile(QStringLiteral(QUENDA_SOURCE_DIR "/resources/QUENDA.ini"));
    const auto set = [&](const QByteArray& key, const QByteArray& value) {
        const qsizetype at = text.indexOf("\n" + key);
        if (at < 0) {
            throw std::runtime_error("no line " + key.toStdString() + " in the shipped settings");
        }
        const qsizetype end = text.indexOf('\r', at + 1);
        text.replace(at + 1, end - at - 1, key + value);
    };
    set("Load minized on tray: ", "yes");
    set("Load file: ", commandFile.toUtf8());
    set("Com Device: ", device.toUtf8());
    set("Pause command: ", QByteArray::number(pauseCommandMs));
    return text;
}

// A command file whose one command, learned as `code`, opens `commandLine`.
inline QByteArray openCommandFile(const QByteArray& code, const QString& commandLine) {
    return files::commandFile("Bench remote", {{.name = "Bench command",
                                                .code = code,
                                                .typeAction = "Run command",
                                                .file = commandLine.toUtf8(),
                                                .runAction = "Open"}});
}

// Waits until the program's tray icon is docked; false when it is not, or the
// program ended, within 15 seconds.
inline bool waitForTrayIcon(rig::Desktop& desktop, rig::Quenda& quenda) {
    const bool docked = rig::waitUntil(
        [&] {
            return !desktop.x().dockedTrayIcons(QStringLiteral("quenda")).empty() ||
                   !quenda.process().running();
        },
        std::chrono::milliseconds(15000));
    return docked && quenda.process().running();
}

// A full remote of 30 commands, as a user's command file holds: the commands in
// `pressed` (slot and the bytes their button sends) open a program of their own,
// the others run other kinds of action.
struct Press {
    int slot;
    QByteArray burst;  // what the receiver sends
};
inline QByteArray fullRemote(const std::vector<Press>& pressed) {
    std::vector<files::Command> commands;
    for (int n = 1; n <= 30; ++n) {
        const auto press = std::find_if(pressed.begin(), pressed.end(),
                                        [n](const Press& p) { return p.slot == n; });
        const bool open = press != pressed.end();
        const QByteArray number = QByteArray::number(n);
        QByteArray code = " 41 42 " + QByteArray::number(n + 0x10, 16).toUpper();
        if (open) {
            code.clear();
            for (const char byte : press->burst) {
                code += ' ' + QByteArray::number(byte, 16).toUpper();
            }
        }
        commands.push_back({.name = "Command " + number,
                            .code = code,
                            .typeAction = open || n % 3 != 0 ? "Run command" : "Key control",
                            .file = open ? "/usr/bin/player --track " + number : QByteArray(),
                            .runAction = open         ? "Open"
                                         : n % 3 != 0 ? "Active"
                                                      : QByteArray(),
                            .key = n % 3 == 0 ? "Space" : QByteArray(),
                            .pause = "0"});
    }
    return files::commandFile("Bench remote", commands);
}

// The value at fraction `p` of sorted figures (0.5 the median).
inline double percentile(const std::vector<double>& sorted, double p) {
    const std::size_t at =
        std::min(sorted.size() - 1, std::size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[at];
}

// One line on the machine the figures come from: cores, processor, load.
inline void printMachine() {
    QByteArray model = "unknown CPU";
    for (const QByteArray& line : rig::readFile(QStringLiteral("/proc/cpuinfo")).split('\n')) {
        if (line.startsWith("model name")) {
            model = line.mid(line.indexOf(':') + 1).trimmed();
            break;
        }
    }
    const QList<QByteArray> load = rig::readFile(QStringLiteral("/proc/loadavg")).split(' ');
    std::printf("Machine: %ld cores, %s; load average %s\n", sysconf(_SC_NPROCESSORS_ONLN),
                model.constData(), load.mid(0, 3).join(' ').constData());
}

}  // namespace bench
