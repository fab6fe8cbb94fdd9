#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What one language file says, in the order its lines say it: captions to
// replace, items for the lists, and texts kept for later (delete question,
// messages). Reading decides nothing about windows; applying does.
struct LanguageTexts {
    QList<QPair<QString, QString>> captions;  // target, text
    // Items of every list the file has at least one line for, in file order.
    QHash<QString, QStringList> lists;
    QHash<QString, QString> stored;

    // The last text the file gives a target; empty when none.
    QString caption(const QString& target) const;
};

namespace LanguageFile {

// Every key is looked for anywhere in every line; its text is cut at the column
// right after the key and one blank, counted from the line's start, kept to the
// key's maximum and trimmed of blanks and control characters at both ends.
LanguageTexts read(const QStringList& lines);

// "<program folder>/Lng/<language>.lng"; when that file does not exist, the copy
// built into the program (":/quenda/Lng/<language>.lng"); empty when neither exists.
QString locate(const QString& programFolder, const QString& language);
// Where a user's file for the language belongs, named in the message when no file exists.
QString userPath(const QString& programFolder, const QString& language);

}  // namespace LanguageFile
