#pragma once

#include <QString>
#include <QStringList>

// Starts what a command line names, without a shell: a program with its arguments,
// or a document, handed to the desktop's opener (xdg-open). The program is a path
// to an executable file or a name found on PATH; a line that is as a whole the path
// of a file also works when that path holds blanks and no quotes. Returns whether
// a process was started; when none was, `failure` (if given) says why. The started
// process runs on by itself, in a session of its own, with its standard streams
// on /dev/null; it is waited for when it ends, so it never lingers as a zombie.
bool startCommandLine(const QString& commandLine, QString* failure = nullptr);

// The words of a command line, split as a POSIX shell splits them (blanks, single
// and double quotes, backslash, a word starting with # begins a comment) with no
// expansion at all: $HOME, $(...), * and ~ stay as written. A line that cannot be
// split (a quote left open) or holds no word gives no words and a failure.
struct CommandWords {
    QStringList words;
    QString failure;
};
CommandWords splitCommandLine(const QString& commandLine);
