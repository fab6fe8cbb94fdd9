#pragma once

#include <QString>

// The built-in words of the countdown and timer windows: the captions of the list
// entries that choose those actions. A language file replaces them through the
// windows' setActionWord()/setTimerWord().
namespace OverlayWords {

inline const QString kShutdown = QStringLiteral("Выключить");
inline const QString kReboot = QStringLiteral("Перезагрузить");
inline const QString kTimer = QStringLiteral("Таймер");

}  // namespace OverlayWords
