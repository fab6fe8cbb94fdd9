#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>

#include "support/print_qt.h"

namespace TestFiles {

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The lines with CR LF endings, as the program writes them (ASCII text only).
inline QByteArray crlf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1() + "\r\n";
    }
    return bytes;
}

}  // namespace TestFiles
