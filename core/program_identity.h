#pragma once

#include <QString>

// The program's name as its windows and the desktop show it, and its icon.
namespace ProgramIdentity {

inline const QString kTitle = QStringLiteral("Quenda");
inline const QString kIconPath = QStringLiteral(":/quenda/icons/quenda.png");

}  // namespace ProgramIdentity
