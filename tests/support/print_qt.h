#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure output for Qt's text types, in every test suite.
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
