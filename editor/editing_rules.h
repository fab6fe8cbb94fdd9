#pragma once

#include <QPoint>
#include <QString>
#include <optional>
#include "core/command_file.h"

class ErrorReporter;

// The rules behind the editor's dialogs and the customisation panel that decide
// something without a widget: which controls each action type shows, how a
// combination list grows, how pause seconds become milliseconds.
namespace EditingRules {

// The action row of the customisation panel for one action type: which of the
// action lists shows, and whether the combination field lies over the window row.
struct ActionRow {
    bool runActions = false;          // ComboBox2
    bool volumeActions = false;       // ComboBox8
    bool computerActions = false;     // ComboBox9
    bool mouseActions = false;        // ComboBox10
    bool blank = false;               // ComboBox11
    std::optional<bool> combination;  // Edit6; empty: left as it is

    bool operator==(const ActionRow&) const = default;
};

// The row for the type at a list position; empty for a position that names no type
// (then nothing changes).
std::optional<ActionRow> actionRowFor(int typePosition);

// The two overlays over the action row follow the stored run action.
bool showsPositionFields(const QString& runAction);  // Panel1: X and Y
bool showsPauseSeconds(const QString& runAction);    // Panel3: seconds

// The longest combination list the command file keeps.
constexpr int kCombinationKept = CommandFile::Kept::kCombination;
constexpr int kMaxCombinationElements = 30;

// Appends one element to a combination list: "1." and the name when the list is
// empty, otherwise the next number after the highest marker present. Markers ("2.",
// "3." ...) are searched as plain text, so a name holding one shifts the numbering.
// Nothing is appended once "30." is present or when no marker is found.
QString appendElement(const QString& list, const QString& name);

// Pause seconds as typed or picked ("0,25", "1.5", "15") to whole milliseconds.
struct PauseConversion {
    std::optional<QString> milliseconds;  // empty: store nothing
    QString error;                        // why, for the user
};
PauseConversion pauseMilliseconds(const QString& secondsText);

// The longest pause the command file keeps: five digits of milliseconds.
constexpr int kMaxPauseMs = 99999;

// Filters of the file pickers, in the file dialog's "Name (*.ext);;..." form: the
// program or document to open (command files included), and the command's sound.
QString programFileFilter();
QString soundFileFilter();

// The name a command file is written under: ".pci" is added unless the name already
// ends with it, in any letter case ("remote.PCI" stays as it is).
QString withCommandFileExtension(const QString& path);

// Where a file dialog opens: the folder of the current command file when it exists,
// else the program folder.
QString dialogFolder(const QString& commandFilePath, const QString& programFolder);

// A path picked in a file dialog that is longer than the file storing it keeps
// (`kept` characters) would come back cut after the next start or load: false, and
// `tooLong` (%1 the path, %2 the number kept) is reported.
bool pathFits(const QString& path, int kept, const QString& tooLong, ErrorReporter& errors);

// "X = 12; Y = 34", the readout that helps fill in mouse positions.
QString positionReadout(QPoint position);

}  // namespace EditingRules
