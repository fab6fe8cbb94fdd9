#pragma once

#include <QString>
#include <optional>

// Conversion of stored texts to whole numbers: leading blanks are allowed, then an
// optional sign and decimal digits, nothing else.
namespace NumberText {

std::optional<int> toInt(const QString& text);

// "'%s' is not a valid integer value" with the text in place of %s.
QString invalidIntegerMessage(const QString& text);

}  // namespace NumberText
