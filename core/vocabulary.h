#pragma once

#include <QString>
#include <QStringList>

// The stored values of the list fields and the built-in captions the editor shows
// for them, position by position. A language file may replace the captions; the
// stored values never change.
namespace Vocabulary {

struct List {
    QStringList values;
    QStringList captions;

    // Position of a stored value, -1 when it is not in the list.
    int indexOf(const QString& value) const { return values.indexOf(value); }
};

const List& actionTypes();
const List& runActions();
const List& volumeActions();
const List& computerActions();
const List& mouseActions();

// Modifiers of key control and the key names (the editor's key list adds one empty
// entry before them).
const QStringList& modifiers();
const QStringList& keyNames();

// Seconds the pause list offers.
const QStringList& pauseSeconds();

// Stored values used by name elsewhere in the program.
inline const QString kRunCommand = QStringLiteral("Run command");
inline const QString kCombinationCommand = QStringLiteral("Combination command");
inline const QString kKeyControl = QStringLiteral("Key control");
inline const QString kMouseControl = QStringLiteral("Mouse control");
inline const QString kVolumeControl = QStringLiteral("Volume control");
inline const QString kPcControl = QStringLiteral("PC control");
inline const QString kPauseAction = QStringLiteral("Pause:");
inline const QString kMouseOnPosition = QStringLiteral("Mouse on position:");
inline const QString kMouseOnWindowPosition = QStringLiteral("Mouse on position for windows:");

}  // namespace Vocabulary
