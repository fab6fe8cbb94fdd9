// The summary ShowProperties writes into Memo1 (exact lines, blanks included) and
// the controls of Panel2 it loads, driven by clicks in the tree.
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <array>

#include "editor/command_runner.h"
#include "editor/command_tree.h"
#include "editor/property_panel.h"
#include "tests/forms/form_fixture.h"

namespace {

// Seconds are written with the system's decimal separator.
QString seconds(const QString& whole, const QString& fraction) {
    return whole + QLocale::system().decimalPoint() + fraction;
}

const QString kIndent(31, QLatin1Char(' '));

}  // namespace

class ShowProperties : public FormTest {
  protected:
    void SetUp() override { startWithRemote(); }
    std::array<Command, CommandTable::kSlots> table() const {
        std::array<Command, CommandTable::kSlots> slots;
        for (int i = 0; i < CommandTable::kSlots; ++i) {
            slots[i] = state.table.slot(i);
        }
        return slots;
    }
};

TEST_F(ShowProperties, RunCommandOpenShowsCodeTypeActionAndFile) {
    clickNode(Remote::kBrowser);
    EXPECT_EQ(memoLines(),
              (QStringList{"", "", " Код команды: A1 B2 C3", " Тип действия: Выполнение команды",
                           " Действие: Открыть      ", " Приложение (файл): /usr/bin/browser"}));
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel4")->isHidden())
        << "the blank cover goes at the first display";
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox1")->currentText(),
              QStringLiteral("Выполнение команды"));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox2")->currentIndex(), 0);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit2")->text(), QStringLiteral("/usr/bin/browser"));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox6")->currentText(), QStringLiteral("0"));
}

TEST_F(ShowProperties, PauseActionShowsThePauseLineInsteadOfAnActionLine) {
    clickNode(Remote::kPause);
    EXPECT_EQ(memoLines(), (QStringList{"", "", " Тип действия: Выполнение команды",
                                        " Действие: Пауза " + seconds("1", "5") + " cек."}));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox6")->currentText(), seconds("1", "5"));
}

TEST_F(ShowProperties, CombinationIsLaidOutOneElementPerLineWithTheCaretAtTheStart) {
    clickNode(Remote::kBrowser);
    widget<QPlainTextEdit>(*panel(), "Memo1")->moveCursor(QTextCursor::End);
    clickNode(Remote::kCombination);
    EXPECT_EQ(memoLines(),
              (QStringList{"", "", " Тип действия: Комбинация команд", " Окно (команда):  1.Play ",
                           kIndent + "2.Stop ", kIndent + "3.Next track with a long "}));
    EXPECT_EQ(widget<QPlainTextEdit>(*panel(), "Memo1")->textCursor().position(), 0);
    EXPECT_EQ(widget<QPlainTextEdit>(*panel(), "Memo1")->verticalScrollBar()->value(), 0);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit6")->text(),
              QStringLiteral("1.Play 2.Stop 3.Next track with a long title"));
}

TEST_F(ShowProperties, MouseOnPositionShowsOnlyThePositionLine) {
    clickNode(Remote::kMouse);
    // The list item is padded to 30 characters, then a blank and " Х = " follow.
    EXPECT_EQ(memoLines(),
              (QStringList{"", "", " Тип действия: Управление мышью",
                           " Мышь на позицию:" + QString(14, ' ') + "  Х = 100; Y = 200"}));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox10")->currentIndex(), 8);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit4")->text(), QStringLiteral("100"));
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit5")->text(), QStringLiteral("200"));
}

TEST_F(ShowProperties, KeyControlLoadsEveryControlOfTheEditingPanel) {
    clickNode(Remote::kBrowser);
    clickNode(Remote::kMouse);
    clickNode(Remote::kKeys);
    EXPECT_EQ(memoLines(), (QStringList{"", "", " Тип действия: Управление клавишами",
                                        " Действие: Пауза " + seconds("0", "25") + " cек.",
                                        " Окно (команда): Editor", " Клавиши: Ctrl+Alt+Delete",
                                        " Проиграть файл: /tmp/beep.wav"}));
    TPropertyPanel* p = panel();
    EXPECT_EQ(widget<QComboBox>(*p, "ComboBox3")->currentText(), QStringLiteral("Ctrl+"));
    EXPECT_EQ(widget<QComboBox>(*p, "ComboBox7")->currentText(), QStringLiteral("Alt+"));
    EXPECT_EQ(widget<QComboBox>(*p, "ComboBox4")->currentText(), QStringLiteral("Delete"));
    EXPECT_EQ(widget<TDropDownComboBox>(*p, "ComboBox5")->currentText(), QStringLiteral("Editor"));
    EXPECT_EQ(widget<QLineEdit>(*p, "Edit7")->text(), QStringLiteral("/tmp/beep.wav"));
    EXPECT_EQ(widget<QComboBox>(*p, "ComboBox6")->currentText(), seconds("0", "25"));
    // Values of the commands shown before are replaced, not kept.
    EXPECT_EQ(widget<QLineEdit>(*p, "Edit2")->text(), QString());
    EXPECT_EQ(widget<QLineEdit>(*p, "Edit4")->text(), QString());
    EXPECT_EQ(widget<QLineEdit>(*p, "Edit5")->text(), QString());
    EXPECT_EQ(widget<QLineEdit>(*p, "Edit6")->text(), QString());
}

TEST_F(ShowProperties, AnEmptyCommandShowsTwoEmptyLinesAndEmptyControls) {
    clickNode(Remote::kKeys);
    clickNode(Remote::kMouse);
    clickNode(Remote::kEmpty);
    EXPECT_EQ(memoLines(), (QStringList{"", ""}));
    TPropertyPanel* p = panel();
    for (const QLineEdit* edit : {widget<QLineEdit>(*p, "Edit2"), widget<QLineEdit>(*p, "Edit4"),
                                  widget<QLineEdit>(*p, "Edit5"), widget<QLineEdit>(*p, "Edit6"),
                                  widget<QLineEdit>(*p, "Edit7")}) {
        EXPECT_EQ(edit->text(), QString()) << edit->objectName().toStdString();
    }
    for (const QComboBox* box : std::initializer_list<const QComboBox*>{
             widget<QComboBox>(*p, "ComboBox3"), widget<QComboBox>(*p, "ComboBox7"),
             widget<QComboBox>(*p, "ComboBox4"), widget<TDropDownComboBox>(*p, "ComboBox5")}) {
        EXPECT_EQ(box->currentText(), QString()) << box->objectName().toStdString();
    }
    EXPECT_EQ(widget<QComboBox>(*p, "ComboBox6")->currentText(), QStringLiteral("0"));
}

TEST_F(ShowProperties, ARunCommandWithoutActionShowsAnEmptyActionNotThePreviousOne) {
    clickNode(Remote::kBrowser);
    ASSERT_EQ(widget<QComboBox>(*panel(), "ComboBox2")->currentIndex(), 0);
    clickNode(Remote::kNoAction);
    EXPECT_EQ(memoLines(),
              (QStringList{"", "", " Тип действия: Выполнение команды", " Действие: "}));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox2")->currentText(), QString());
}

TEST_F(ShowProperties, SelectingTheHeaderEmptiesTheSummaryAndKeepsTheControls) {
    clickNode(Remote::kBrowser);
    clickNode(0);
    EXPECT_EQ(widget<QPlainTextEdit>(*panel(), "Memo1")->toPlainText(), QString());
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit2")->text(), QStringLiteral("/usr/bin/browser"));
}

TEST_F(ShowProperties, PauseSecondsInTheListAndInTheSummary) {
    struct Case {
        QString pause, listText, summarySeconds;
    };
    const Case cases[] = {
        {"50", "0", seconds("0", "05")},  // under three characters: the list shows 0
        {"100", seconds("0", "1"), seconds("0", "1")},
        {"2000", "2", "2"},
        {"15000", "15", "15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pause.toStdString());
        state.table.slot(Remote::kEmpty).pause = c.pause;
        clickNode(Remote::kEmpty);
        EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox6")->currentText(), c.listText);
        EXPECT_EQ(memoLines(),
                  (QStringList{"", "", " Действие: Пауза " + c.summarySeconds + " cек."}));
    }
}

TEST_F(ShowProperties, ShowingCommandsIsNotAnEdit) {
    const auto before = table();
    for (int k = 1; k <= Remote::kCount; ++k) {
        clickNode(k);
    }
    clickNode(Remote::kCombination);
    clickNode(Remote::kCombination);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit6")->text(),
              QStringLiteral("1.Play 2.Stop 3.Next track with a long title"))
        << "loading must not append to the combination list";
    EXPECT_TRUE(table() == before);
    EXPECT_FALSE(state.changed);
    for (int k = 0; k <= Remote::kCount; ++k) {
        EXPECT_EQ(state.table.caption(k), node(k)->text(0));
    }
}

TEST_F(ShowProperties, AnInvalidPauseIsReportedAndTheControlsAreNotLoaded) {
    clickNode(Remote::kBrowser);
    errors.messages.clear();
    const auto before = table();
    clickNode(Remote::kBadPause);
    EXPECT_EQ(errors.messages, QStringList{"'abc' is not a valid integer value"});
    // The summary stops where the pause line would be.
    EXPECT_EQ(memoLines(), (QStringList{"", "", " Тип действия: Выполнение команды",
                                        " Действие: Открыть      "}));
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit2")->text(), QStringLiteral("/usr/bin/browser"));
    EXPECT_TRUE(table() == before);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Плохая пауза"));
}

// A recognition pass while the window is hidden (in the tray) loads the controls the
// executor reads at once; the summary and the list positions follow when the window
// is shown again, the same as if it had been shown all along. An invalid pause is
// reported at once and still stops the summary where it stood.
TEST_F(ShowProperties, WhileHiddenTheSummaryFollowsWhenTheWindowIsShown) {
    const auto shownAlong = [this](int slot) {
        clickNode(slot);
        return std::pair{memoLines(), widget<QComboBox>(*panel(), "ComboBox10")->currentIndex()};
    };
    const auto mouse = shownAlong(Remote::kMouse);
    const auto badPause = shownAlong(Remote::kBadPause);
    for (const auto& [slot, expected, ok] : {std::tuple{Remote::kMouse, mouse, true},
                                             std::tuple{Remote::kBadPause, badPause, false}}) {
        clickNode(Remote::kKeys);
        errors.messages.clear();
        form->hide();
        EXPECT_EQ(form->runner()->dispatch(slot), ok);
        EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit7")->text(),
                  ok ? QString() : QStringLiteral("/tmp/beep.wav"))
            << "the controls the executor reads are loaded unless the pause is invalid";
        showWindow();
        EXPECT_EQ(errors.messages.size(), ok ? 0 : 1) << "reported once, at the dispatch";
        EXPECT_EQ(memoLines(), expected.first);
        EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox10")->currentIndex(), expected.second);
    }
}
