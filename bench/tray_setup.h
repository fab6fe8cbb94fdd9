#pragma once

#include <unistd.h>
#include <QByteArray>
#include <QString>
#include <cstdio>
#include <stdexcept>

#include "support/rig/desktop.h"
#include "support/rig/files.h"

// What the benchmarks that drive the real program in the tray share: its settings
// and a command file of one "Open" command.
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
