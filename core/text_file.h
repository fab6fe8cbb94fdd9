#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Reading and writing the program's line-based text files. A write goes to a
// temporary file that replaces the old one only when complete.
namespace TextFile {

struct ReadResult {
    std::optional<QStringList> lines;  // empty optional when the file could not be read
    QString error;                     // a message naming the file
};

ReadResult read(const QString& path);

// Returns an empty text on success, else a message naming the file.
QString write(const QString& path, const QStringList& lines);

}  // namespace TextFile
