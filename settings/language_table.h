#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The keys a language file may hold, how many characters of each text are kept,
// and what each text replaces. Targets are named "<window>/<object>" after the
// objects' names ("TForm1/Nfile"), or "<window>" alone for a window's caption.
namespace LanguageTable {

struct Entry {
    QString key;          // with its colon, as looked for in a line
    int maxLength = 0;    // characters kept of the text
    QStringList targets;  // captions the text replaces
    QString list;         // a list the text is appended to as an item, or empty
    QString stored;       // a text kept for later use (delete question, messages)
};

// The five lists of the property panel that a language file refills, in the order
// of their keys' numbers: "PanCustomizationCB1" is the action types, "CB4" the mouse
// actions and "CB5" the computer actions.
inline const QStringList kLists = {
    QStringLiteral("TForm1/ComboBox1"), QStringLiteral("TForm1/ComboBox2"),
    QStringLiteral("TForm1/ComboBox8"), QStringLiteral("TForm1/ComboBox10"),
    QStringLiteral("TForm1/ComboBox9")};

// Names of the stored texts.
inline const QString kDeleteTitle = QStringLiteral("deleteTitle");
inline const QString kDeletePrompt = QStringLiteral("deletePrompt");

// Every key, the program's own messages ("Msg.<Name>:") included.
const std::vector<Entry>& entries();

}  // namespace LanguageTable
