#include <gtest/gtest.h>

#include "editor/property_summary.h"
#include "test_helpers.h"

namespace {

using PropertySummary::ListPositions;

// "cек.": the first letter is the Latin c. "Х" is the Cyrillic capital Kha.
const QString kSec = QStringLiteral("c\u0435\u043a.");
const QString kKha = QStringLiteral("\u0425");
const QString kIndent(31, QLatin1Char(' '));

// The built-in items of the action lists carry trailing blanks up to a common length.
QString item(const QString& caption, int length) {
    return caption + QString(length - caption.size(), QLatin1Char(' '));
}

QStringList summary(const Command& c, ListPositions& lists, QChar separator = QLatin1Char(',')) {
    const PropertySummary::Result result = PropertySummary::build(
        c, PropertySummary::Captions(), PropertySummary::ListItems::builtIn(), lists, separator);
    EXPECT_FALSE(result.error.has_value()) << result.error->toStdString();
    return result.lines;
}

QStringList summary(const Command& c) {
    ListPositions lists;
    return summary(c, lists);
}

Command runCommand(const QString& runAction) {
    Command c;
    c.typeAction = QStringLiteral("Run command");
    c.runAction = runAction;
    return c;
}

Command combination(const QString& list) {
    Command c;
    c.typeAction = QStringLiteral("Combination command");
    c.commandCombination = list;
    c.windowHandle = QStringLiteral("Player");  // not shown for a combination
    return c;
}

const QString kRunType = QStringLiteral(" Тип действия: Выполнение команды");
const QString kComboType = QStringLiteral(" Тип действия: Комбинация команд");
const QString kKeyType = QStringLiteral(" Тип действия: Управление клавишами");
const QString kMouseType = QStringLiteral(" Тип действия: Управление мышью");

}  // namespace

TEST(PropertySummary, FreshCommandShowsOnlyTheTwoEmptyLines) {
    EXPECT_EQ(summary(Command()), QStringList({"", ""}));
}

TEST(PropertySummary, PauseLineInSecondsWithTheDecimalSeparator) {
    Command c = runCommand(QStringLiteral("Pause:"));
    c.pause = QStringLiteral("1500");
    EXPECT_EQ(summary(c), QStringList({"", "", kRunType, " Действие: Пауза 1,5 " + kSec}));
    ListPositions lists;
    EXPECT_EQ(summary(c, lists, QLatin1Char('.')).last(), " Действие: Пауза 1.5 " + kSec);

    // A language file's pause caption is used without its surrounding blanks.
    PropertySummary::Captions english;
    english.action = QStringLiteral("Action:");
    english.pause = QStringLiteral("  Pause ");
    english.seconds = QStringLiteral("sec.");
    const PropertySummary::Result result = PropertySummary::build(
        c, english, PropertySummary::ListItems::builtIn(), lists, QLatin1Char(','));
    EXPECT_EQ(result.lines.last(), QStringLiteral(" Action: Pause 1,5 sec."));

    // Any type shows a pause, and short pauses are not rounded away.
    Command key;
    key.pause = QStringLiteral("50");
    EXPECT_EQ(summary(key), QStringList({"", "", " Действие: Пауза 0,05 " + kSec}));
}

TEST(PropertySummary, KeysLineJoinsTheModifiersAndTheKey) {
    Command c;
    c.typeAction = QStringLiteral("Key control");
    c.keyAdd = QStringLiteral("Ctrl+");
    c.keyAdd1 = QStringLiteral("Alt+");
    c.key = QStringLiteral("Delete");
    EXPECT_EQ(summary(c), QStringList({"", "", kKeyType, " Клавиши: Ctrl+Alt+Delete"}));

    c.keyAdd = QStringLiteral("Shift+");
    c.keyAdd1.clear();
    c.key = QStringLiteral("F5");
    EXPECT_EQ(summary(c).last(), QStringLiteral(" Клавиши: Shift+F5"));

    c.keyAdd.clear();
    EXPECT_EQ(summary(c).last(), QStringLiteral(" Клавиши: F5"));

    c.key.clear();
    c.keyAdd1 = QStringLiteral("Alt+");  // the second modifier alone shows no keys line
    EXPECT_EQ(summary(c), QStringList({"", "", kKeyType}));
}

TEST(PropertySummary, CombinationOneElementPerLine) {
    EXPECT_EQ(summary(combination(QStringLiteral("1.Play 2.Stop 3.Next"))),
              QStringList({"", "", kComboType, " Окно (команда):  1.Play ", kIndent + "2.Stop ",
                           kIndent + "3.Next"}));

    // Only the last element is cut, after 25 characters.
    EXPECT_EQ(summary(combination(QStringLiteral(
                  "1.A rather long first element 2.Stop 3.Next track on the playlist"))),
              QStringList({"", "", kComboType, " Окно (команда):  1.A rather long first element ",
                           kIndent + "2.Stop ", kIndent + "3.Next track on the playl"}));

    EXPECT_EQ(summary(combination(QStringLiteral("1.Play"))),
              QStringList({"", "", kComboType, " Окно (команда):  ", kIndent + "1.Play"}));
    EXPECT_EQ(summary(combination(QString())),
              QStringList({"", "", kComboType, " Окно (команда):  ", kIndent}));
}

TEST(PropertySummary, ActionLinesShowThePaddedListItems) {
    Command volume;
    volume.typeAction = QStringLiteral("Volume control");
    volume.runAction = QStringLiteral("Mute");
    EXPECT_EQ(summary(volume), QStringList({"", "", " Тип действия: Управление громкостью",
                                            " Действие: " + item("Приглушить", 22)}));

    Command pc;
    pc.typeAction = QStringLiteral("PC control");
    pc.runAction = QStringLiteral("Reboot");
    EXPECT_EQ(summary(pc), QStringList({"", "", " Тип действия: Управление компьютером",
                                        " Действие: " + item("Перезагрузить", 13)}));

    Command mouse;
    mouse.typeAction = QStringLiteral("Mouse control");
    mouse.runAction = QStringLiteral("Left");
    EXPECT_EQ(summary(mouse), QStringList({"", "", kMouseType, " Действие: " + item("Влево", 30)}));

    EXPECT_EQ(summary(runCommand(QStringLiteral("Close"))),
              QStringList({"", "", kRunType, " Действие: " + item("Закрыть", 13)}));
}

TEST(PropertySummary, PositionLineReadsTheMouseListWhateverTheType) {
    Command onPosition;
    onPosition.typeAction = QStringLiteral("Mouse control");
    onPosition.runAction = QStringLiteral("Mouse on position:");
    onPosition.mousePosX = QStringLiteral("100");
    onPosition.mousePosY = QStringLiteral("200");
    ListPositions lists;
    EXPECT_EQ(summary(onPosition, lists),
              QStringList({"", "", kMouseType,
                           " " + item("Мышь на позицию:", 30) + "  " + kKha + " = 100; Y = 200"}));

    Command forWindow = onPosition;
    forWindow.runAction = QStringLiteral("Mouse on position for windows:");
    forWindow.windowHandle = QStringLiteral("Калькулятор");
    EXPECT_EQ(summary(forWindow, lists),
              QStringList({"", "", kMouseType,
                           " " + item("Мышь на позицию относительно окна:", 49) + "  " + kKha +
                               " = 100; Y = 200",
                           " Окно (команда): Калькулятор"}));

    // A key command that still holds coordinates: the mouse list keeps its position.
    Command key;
    key.typeAction = QStringLiteral("Key control");
    key.mousePosX = QStringLiteral("5");
    EXPECT_EQ(summary(key, lists),
              QStringList({"", "", kKeyType,
                           " " + item("Мышь на позицию относительно окна:", 49) + "  " + kKha +
                               " = 5; Y = "}));
    ListPositions fresh;
    EXPECT_EQ(summary(key, fresh).last(), "   " + kKha + " = 5; Y = ");
}

TEST(PropertySummary, ListsOfTheCommandsTypeAreMovedAndAnUnknownValueShowsEmpty) {
    ListPositions lists;
    summary(runCommand(QStringLiteral("Close")), lists);
    EXPECT_EQ(lists.type, 0);
    EXPECT_EQ(lists.run, 1);

    // An empty action shows an empty value, not the action shown before.
    EXPECT_EQ(summary(runCommand(QString()), lists),
              QStringList({"", "", kRunType, " Действие: "}));
    EXPECT_EQ(lists.run, -1);

    Command volume;
    volume.typeAction = QStringLiteral("Volume control");
    volume.runAction = QStringLiteral("Right channel down");
    lists.mouse = 4;
    summary(volume, lists);
    EXPECT_EQ(lists.type, 4);
    EXPECT_EQ(lists.volume, 7);
    EXPECT_EQ(lists.run, -1);  // lists of other types keep what they showed
    EXPECT_EQ(lists.mouse, 4);

    Command pc;
    pc.typeAction = QStringLiteral("PC control");
    pc.runAction = QStringLiteral("shutdown");  // the match is case-sensitive
    EXPECT_EQ(summary(pc, lists).last(), QStringLiteral(" Действие: "));
    EXPECT_EQ(lists.computer, -1);
    EXPECT_EQ(lists.volume, 7);
}

TEST(PropertySummary, LinesComeInTheirFixedOrder) {
    Command c = runCommand(QStringLiteral("Open"));
    c.code = QStringLiteral(" 0A 1B");
    c.pause = QStringLiteral("250");
    c.file = QStringLiteral("/usr/bin/vlc");
    c.windowHandle = QStringLiteral("VLC");
    c.keyAdd = QStringLiteral("Alt+");
    c.key = QStringLiteral("Enter");
    c.fileSound = QStringLiteral("/home/u/beep.wav");
    EXPECT_EQ(summary(c),
              QStringList({"", "", " Код команды:  0A 1B", kRunType,
                           " Действие: " + item("Открыть", 13), " Действие: Пауза 0,25 " + kSec,
                           " Приложение (файл): /usr/bin/vlc", " Окно (команда): VLC",
                           " Клавиши: Alt+Enter", " Проиграть файл: /home/u/beep.wav"}));
}

TEST(PropertySummary, AnInvalidPauseStopsTheSummaryWithTheConversionError) {
    Command c = runCommand(QStringLiteral("Open"));
    c.code = QStringLiteral("0A");
    c.pause = QStringLiteral("abc");
    c.file = QStringLiteral("/usr/bin/vlc");
    c.key = QStringLiteral("F5");
    ListPositions lists;
    const PropertySummary::Result result =
        PropertySummary::build(c, PropertySummary::Captions(),
                               PropertySummary::ListItems::builtIn(), lists, QLatin1Char(','));
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(*result.error, QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(result.lines, QStringList({"", "", " Код команды: 0A", kRunType,
                                         " Действие: " + item("Открыть", 13)}));
}
