#pragma once

#include <QString>

// Starts what a command line names, without a shell: a program with its arguments
// (split as a shell would split words and quotes, but nothing else is interpreted),
// or a document, handed to the desktop's opener (xdg-open). The program is a path
// to an executable file or a name found on PATH; a line that is as a whole the path
// of a file also works when that path holds blanks and no quotes. Returns whether
// a process was started; the started process runs on by itself.
bool startCommandLine(const QString& commandLine);
