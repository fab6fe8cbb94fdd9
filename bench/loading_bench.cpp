// Loading the program's files: a normal command file of 30 commands, the shipped
// settings, and files just under the 1 MB the program reads (524,000 empty lines;
// 209,000 lines that begin like a key and are none) read as a command file and as
// settings; then a file over the limit. Each figure is the median of several runs,
// for the whole load (read, decode, parse) and for the parse of lines already in
// memory, with the time per line.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/command_file.h"
#include "core/settings_file.h"
#include "core/text_file.h"

namespace {

double medianMicros(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray commandFile(int commands) {
    QByteArray f = "Name: Living room\r\n\r\n";
    for (int n = 1; n <= commands; ++n) {
        const QByteArray number = QByteArray::number(n);
        f += "Name: Command " + number + "\r\nCode: 41 42 43 " + number +
             " A0 7E\r\nType Action: Run command\r\nCommand combination: \r\n"
             "File: /usr/bin/player --track " +
             number +
             "\r\nWindowHandle: \r\nRun Action: Open\r\nKey add: \r\nKey add1: \r\n"
             "Key: \r\nMousePos X: \r\nMousePos Y: \r\nPause: 0\r\nFileSound: \r\n\r\n";
    }
    return f;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void line(const char* what, qsizetype lines, double wholeMicros, double parseMicros) {
    std::printf(
        "  %-34s %7lld lines: load %9.1f us (%.3f us/line), parse %9.1f us (%.3f us/line)\n", what,
        static_cast<long long>(lines), wholeMicros, wholeMicros / double(lines), parseMicros,
        parseMicros / double(lines));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString normal = dir.filePath(QStringLiteral("normal.pci"));
    const QString empty = dir.filePath(QStringLiteral("empty-lines.pci"));
    const QString settings = dir.filePath(QStringLiteral("QUENDA.ini"));
    const QString large = dir.filePath(QStringLiteral("large.pci"));
    const QString junk = dir.filePath(QStringLiteral("junk-lines.pci"));
    write(normal, commandFile(30));
    write(empty, QByteArray("\r\n").repeated(524000));
    write(junk, QByteArray("Nam\r\n").repeated(209000));  // no key, and no line to skip
    QFile shipped(QStringLiteral(QUENDA_SOURCE_DIR "/resources/QUENDA.ini"));
    if (!shipped.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no shipped settings\n");
        return 1;
    }
    write(settings, shipped.readAll());
    write(large, QByteArray("\r\n").repeated(1024 * 1024));

    std::printf("Loading files (median of the runs):\n");
    for (const QString& path : {normal, empty, junk}) {
        const QStringList lines = *TextFile::read(path).lines;
        const int runs = lines.size() > 10000 ? 15 : 2000;
        CommandTable table;
        const double whole = medianMicros(runs, [&] { CommandFile::loadFromFile(path, table); });
        const double parse = medianMicros(runs, [&] { CommandFile::load(lines, table); });
        line(path == normal  ? "command file, 30 commands"
             : path == empty ? "command file, empty lines"
                             : "command file, \"Nam\" lines",
             lines.size(), whole, parse);
    }
    for (const QString& path : {settings, empty, junk}) {
        const QStringList lines = *TextFile::read(path).lines;
        const int runs = lines.size() > 10000 ? 15 : 2000;
        const SettingsRecord defaults = SettingsRecord::defaults(QStringLiteral("English"));
        const double whole =
            medianMicros(runs, [&] { SettingsFile::read(*TextFile::read(path).lines, defaults); });
        const double parse = medianMicros(runs, [&] { SettingsFile::read(lines, defaults); });
        line(path == settings ? "settings, shipped"
             : path == empty  ? "settings, empty lines"
                              : "settings, \"Nam\" lines",
             lines.size(), whole, parse);
    }
    CommandTable table;
    const double refused = medianMicros(50, [&] { CommandFile::loadFromFile(large, table); });
    const CommandFile::FileResult result = CommandFile::loadFromFile(large, table);
    std::printf("  a file of 2,097,152 bytes: %s in %.1f us\n", result.ok ? "loaded" : "refused",
                refused);
    if (!result.ok) {
        std::printf("    \"%s\"\n", qPrintable(result.error));
    }
    return 0;
}
