#pragma once

#include <QString>

// Where QUENDA.ini, the command files and the language folder live: the
// executable's folder when a QUENDA.ini lies beside it (portable use), otherwise
// the per-user folder. The returned path ends with a slash.
namespace ProgramFolder {

QString resolve(const QString& executableDir, const QString& perUserDir);

// $XDG_CONFIG_HOME/quenda, or ~/.config/quenda when the variable is unset.
QString perUserDir();

}  // namespace ProgramFolder
