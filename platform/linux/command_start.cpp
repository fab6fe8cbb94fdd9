#include "platform/linux/command_start.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

bool isExecutableFile(const QFileInfo& f) {
    return f.isFile() && f.isExecutable();
}

// The program a command's first word names, or empty.
QString resolveProgram(const QString& word) {
    if (word.contains(QLatin1Char('/'))) {
        const QFileInfo f(word);
        return isExecutableFile(f) ? f.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(word);
}

}  // namespace

bool startCommandLine(const QString& commandLine) {
    const QString line = commandLine.trimmed();
    if (line.isEmpty()) {
        return false;
    }
    // startDetached answers false when the program could not be executed (an
    // executable bit on a document, say); such a file is then opened as a document.
    const QFileInfo whole(line);
    if (isExecutableFile(whole) && QProcess::startDetached(whole.absoluteFilePath(), {})) {
        return true;
    }
    const QStringList words = QProcess::splitCommand(line);
    if (!words.isEmpty()) {
        const QString program = resolveProgram(words.first());
        if (!program.isEmpty() && QProcess::startDetached(program, words.mid(1))) {
            return true;
        }
    }
    QString document;
    if (whole.isFile()) {
        document = whole.absoluteFilePath();
    } else if (words.size() == 1 && QFileInfo(words.first()).isFile()) {
        document = QFileInfo(words.first()).absoluteFilePath();
    }
    if (document.isEmpty()) {
        return false;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return !opener.isEmpty() && QProcess::startDetached(opener, {document});
}
