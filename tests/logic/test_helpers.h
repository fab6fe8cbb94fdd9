#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure output for Qt's text types.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& lines, std::ostream* os) {
    *os << '{';
    for (const QString& line : lines) {
        *os << "\n  \"" << line.toStdString() << '"';
    }
    *os << "\n}";
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << "bytes(" << bytes.size() << ") " << bytes.toHex(' ').toStdString();
}

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
