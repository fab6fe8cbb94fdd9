#pragma once

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
