#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/command_table.h"

// The view-mode summary of a command, built from the captions of the panel's
// labels and the texts its lists show.
namespace PropertySummary {

// Captions of the labels the summary borrows (built-in or from a language file).
struct Captions {
    QString code = QStringLiteral("Код команды:");
    QString typeAction = QStringLiteral("Тип действия:");
    QString action = QStringLiteral("Действие:");
    QString pause = QStringLiteral("Пауза");
    QString seconds = QStringLiteral("cек.");
    QString applFile = QStringLiteral("Приложение (файл):");
    QString winCom = QStringLiteral("Окно (команда):");
    QString key = QStringLiteral("Клавиши:");
    QString playSound = QStringLiteral("Проиграть файл:");
};

// Items of the type and action lists, by position.
struct ListItems {
    QStringList types, runActions, volumeActions, computerActions, mouseActions;
    static ListItems builtIn();
};

// What the type and action lists show: a list shows the item at its position, or
// an empty text (-1). Lists of other types keep what they showed before.
struct ListPositions {
    int type = -1, run = -1, volume = -1, computer = -1, mouse = -1;
};

struct Result {
    QStringList lines;
    // Set when the pause did not convert: the summary stops at the pause line.
    std::optional<QString> error;
};

// Builds the summary and moves the lists to the command's values.
Result build(const Command& command, const Captions& captions, const ListItems& items,
             ListPositions& lists, QChar decimalSeparator);

// Milliseconds as seconds in the shortest decimal form: 1500 gives "1,5" with a comma.
QString secondsText(int milliseconds, QChar decimalSeparator);

// The combination list one element per line, as the summary shows it.
QStringList combinationLines(const QString& list, const QString& winComCaption);

}  // namespace PropertySummary
