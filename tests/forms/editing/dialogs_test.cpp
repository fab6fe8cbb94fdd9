// The header and command dialogs, delete, and the question on closing.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/command_file.h"
#include "core/dialog_placement.h"
#include "editing_fixture.h"
#include "editor/character_limit.h"
#include "editor/command_tree.h"
#include "editor/editing_rules.h"
#include "editor/name_dialogs.h"

namespace {

QStringList fileCaptions(const QString& path) {
    CommandTable table;
    if (!CommandFile::loadFromFile(path, table).ok) {
        return {QStringLiteral("<unreadable>")};
    }
    QStringList captions;
    for (int node = 0; node < table.nodeCount(); ++node) {
        captions << table.caption(node);
    }
    return captions;
}

}  // namespace

TEST_F(EditingTest, NewHeaderDialogCreatesTheRootAndSwitchesTheMenus) {
    start();
    ASSERT_EQ(tree()->nodeCount(), 0);
    widget<QMenu>(*form, "Nser")->aboutToShow();  // "Сервис" opened: the tree is empty
    ASSERT_TRUE(widget<QAction>(*form, "Nnpu")->isEnabled());

    answerNameDialog(QString(), false);  // Cancel
    widget<QAction>(*form, "Nnpu")->trigger();
    EXPECT_EQ(tree()->nodeCount(), 0);
    EXPECT_TRUE(widget<QAction>(*form, "Nnpu")->isEnabled());
    EXPECT_FALSE(widget<QAction>(*form, "Nnco")->isEnabled());
    EXPECT_FALSE(state.changed);

    answerNameDialog(QString());  // OK with the text the dialog offers
    widget<QAction>(*form, "Nnpu")->trigger();
    EXPECT_EQ(treeCaptions(), QStringList{"New header"});
    EXPECT_FALSE(widget<QAction>(*form, "Nnpu")->isEnabled());
    EXPECT_TRUE(widget<QAction>(*form, "Nnco")->isEnabled());
    EXPECT_TRUE(state.changed);

    ASSERT_EQ(dialogsSeen.size(), 2);
    const DialogSeen& seen = dialogsSeen[0];
    EXPECT_EQ(seen.objectName, QStringLiteral("TNewPultF"));
    EXPECT_EQ(seen.title, QStringLiteral("Новый заголовок"));
    EXPECT_EQ(seen.label, QStringLiteral("Наименование:"));
    EXPECT_EQ(seen.textAtOpen, QStringLiteral("New header"));
    EXPECT_EQ(seen.size, QSize(170, 91));
    EXPECT_EQ(seen.pos, DialogPlacement::over(form->frameGeometry(),
                                              widget<TNewPultF>(*form, "TNewPultF")->frameSize()));
}

TEST_F(EditingTest, DialogsHaveTheirTextsAndKeepTheLastEntry) {
    startWithABC();
    clickNode(2);
    answerNameDialog(QStringLiteral("D"));
    widget<QAction>(*form, "Nnco")->trigger();
    answerNameDialog(QString());  // reopened: offers the last text entered
    widget<QAction>(*form, "N2")->trigger();
    answerNameDialog(QString(), false);
    widget<QAction>(*form, "N8")->trigger();
    ASSERT_EQ(dialogsSeen.size(), 3);
    EXPECT_EQ(dialogsSeen[0].objectName, QStringLiteral("TNewCommandF"));
    EXPECT_EQ(dialogsSeen[0].title, QStringLiteral("Новая команда"));
    EXPECT_EQ(dialogsSeen[0].textAtOpen, QStringLiteral("New command"));
    EXPECT_EQ(dialogsSeen[0].size, QSize(172, 93));
    EXPECT_EQ(dialogsSeen[1].textAtOpen, QStringLiteral("D"));
    EXPECT_EQ(dialogsSeen[2].objectName, QStringLiteral("TRenameCommandF"));
    EXPECT_EQ(dialogsSeen[2].title, QStringLiteral("Переименовать"));
    EXPECT_EQ(dialogsSeen[2].label, QStringLiteral("Переименовать:"));
    EXPECT_EQ(dialogsSeen[2].size, QSize(172, 93));
    // The rename dialog offers the selected node's caption: the header now.
    EXPECT_EQ(dialogsSeen[2].textAtOpen, QStringLiteral("Remote"));
    EXPECT_EQ(
        widget<QPushButton>(*widget<TRenameCommandF>(*form, "TRenameCommandF"), "Button2")->text(),
        QStringLiteral("Отмена"));
    EXPECT_EQ(
        widget<QPushButton>(*widget<TRenameCommandF>(*form, "TRenameCommandF"), "Button1")->text(),
        QStringLiteral("OK"));
}

TEST_F(EditingTest, NewCommandTakesTheNextSlotEmptyAndLeavesTheHeaderSelected) {
    startWithABC();
    customise(2);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Выполнение команды"));
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit2"), QStringLiteral("/usr/bin/b"));
    // A stray value above the last command, as a hand-edited file can leave.
    state.table.slot(4).file = QStringLiteral("stray");

    answerNameDialog(QStringLiteral("D"));
    widget<QAction>(*form, "Nnco")->trigger();
    EXPECT_EQ(treeCaptions(), (QStringList{"Remote", "A", "B", "C", "D"}));
    Command expected;
    expected.name = QStringLiteral("D");
    EXPECT_EQ(state.table.slot(4), expected);
    EXPECT_EQ(tree()->selectedIndex(), 0);
    EXPECT_TRUE(tree()->nodeAt(0)->isExpanded());
    // The selection change returned the pane to view mode and named the header.
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel2")->isVisible());
    EXPECT_EQ(form->statusText(), QStringLiteral(" Remote"));
    // The controls are emptied; what B was given stays in B's slot.
    EXPECT_TRUE(widget<QComboBox>(*panel(), "ComboBox1")->currentText().isEmpty());
    EXPECT_TRUE(widget<QLineEdit>(*panel(), "Edit2")->text().isEmpty());
    EXPECT_TRUE(widget<QComboBox>(*panel(), "ComboBox6")->currentText().isEmpty());
    EXPECT_EQ(state.table.slot(2).file, QStringLiteral("/usr/bin/b"));
    EXPECT_EQ(state.table.slot(2).typeAction, QStringLiteral("Run command"));
    EXPECT_TRUE(state.changed);
}

TEST_F(EditingTest, ThirtyFirstCommandIsRefusedWithAMessage) {
    QList<Command> thirty;
    for (int k = 1; k <= 30; ++k) {
        thirty << command(QStringLiteral("C%1").arg(k));
    }
    writeRemote(QStringLiteral("full.pci"), QStringLiteral("Full"), thirty);
    start(path(QStringLiteral("full.pci")));
    clickNode(30);
    answerNameDialog(QStringLiteral("One too many"));
    widget<QAction>(*form, "Nnco")->trigger();
    EXPECT_TRUE(dialogsSeen.isEmpty());  // refused before asking for a name
    EXPECT_EQ(tree()->nodeCount(), 31);
    EXPECT_EQ(state.table.commandCount(), 30);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(QStringLiteral("at most 30 commands")));
    EXPECT_FALSE(state.changed);
}

TEST_F(EditingTest, RenameChangesOnlyTheTreeCaption) {
    startWithABC();
    clickNode(2);
    answerNameDialog(QStringLiteral("E"));
    widget<QAction>(*form, "N8")->trigger();
    EXPECT_EQ(treeCaptions(), (QStringList{"Remote", "A", "E", "C"}));
    EXPECT_EQ(state.table.caption(2), QStringLiteral("E"));
    EXPECT_EQ(state.table.slot(2).name, QStringLiteral("B"));  // lookups keep the old name
    EXPECT_EQ(state.table.findByName(QStringLiteral("B")), QList<int>{2});
    EXPECT_EQ(form->statusText(), QStringLiteral(" B"));  // until the selection changes
    EXPECT_TRUE(state.changed);
    // Save writes the new caption.
    form->NsaveClick();
    EXPECT_EQ(fileCaptions(path(QStringLiteral("abc.pci"))),
              (QStringList{"Remote", "A", "E", "C"}));
    EXPECT_FALSE(state.changed);
}

TEST_F(EditingTest, DeleteAsksThenWritesAndReloads) {
    writeRemote(QStringLiteral("abc.pci"), QStringLiteral("Remote"),
                {command(QStringLiteral("A")), command(QStringLiteral("B")),
                 command(QStringLiteral("C"), QStringLiteral("Combination command"))});
    start(path(QStringLiteral("abc.pci")));
    state.table.slot(3).commandCombination = QStringLiteral("1.A 2.B 3.C");
    form->deleteTitle = QStringLiteral("Delete");
    form->deletePrompt = QStringLiteral("Delete the command");
    clickNode(2);
    ASSERT_FALSE(widget<QPlainTextEdit>(*panel(), "Memo1")->toPlainText().isEmpty());
    widget<QAction>(*form, "N9")->trigger();  // No
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked[0].title + QLatin1Char('|') + prompts.asked[0].text,
              QStringLiteral("Delete|Delete the command: \"B\" ?"));
    EXPECT_EQ(treeCaptions(), (QStringList{"Remote", "A", "B", "C"}));
    EXPECT_EQ(fileCaptions(path(QStringLiteral("abc.pci"))),
              (QStringList{"Remote", "A", "B", "C"}));

    prompts.yes = true;
    widget<QAction>(*form, "N9")->trigger();
    EXPECT_EQ(treeCaptions(), (QStringList{"Remote", "A", "C"}));
    EXPECT_EQ(fileCaptions(path(QStringLiteral("abc.pci"))), (QStringList{"Remote", "A", "C"}));
    EXPECT_EQ(state.table.slot(2).name, QStringLiteral("C"));
    EXPECT_EQ(state.table.slot(2).commandCombination, QStringLiteral("1.A 2.B 3.C"));
    EXPECT_EQ(tree()->selectedIndex(), 0);
    EXPECT_TRUE(widget<QPlainTextEdit>(*panel(), "Memo1")->toPlainText().isEmpty())
        << "the deleted command is not shown";
    EXPECT_FALSE(state.changed);
    EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(EditingTest, DeleteWithOnlyTheHeaderAsksNothing) {
    writeRemote(QStringLiteral("empty.pci"), QStringLiteral("Remote"), {});
    start(path(QStringLiteral("empty.pci")));
    tree()->selectIndex(0);
    prompts.yes = true;
    widget<QAction>(*form, "N9")->trigger();
    EXPECT_EQ(prompts.asked.size(), 0);
    EXPECT_EQ(treeCaptions(), QStringList{"Remote"});
}

TEST_F(EditingTest, DeleteWithNoFileNamedAsksForANameFirst) {
    start();
    answerNameDialog(QStringLiteral("Remote"));
    widget<QAction>(*form, "Nnpu")->trigger();
    for (const char* name : {"A", "B"}) {
        answerNameDialog(QLatin1String(name));
        widget<QAction>(*form, "Nnco")->trigger();
    }
    prompts.yes = true;
    clickNode(1);

    prompts.saveName.clear();  // the name is not given: no delete
    widget<QAction>(*form, "N9")->trigger();
    EXPECT_EQ(treeCaptions(), (QStringList{"Remote", "A", "B"}));
    EXPECT_TRUE(state.commandFilePath.isEmpty());

    const QString named = path(QStringLiteral("new"));
    prompts.saveName = named;
    widget<QAction>(*form, "N9")->trigger();
    const QString file = named + QStringLiteral(".pci");
    EXPECT_EQ(treeCaptions(), (QStringList{"Remote", "B"}));
    EXPECT_EQ(fileCaptions(file), (QStringList{"Remote", "B"}));
    EXPECT_EQ(state.commandFilePath, file);  // the next Save writes there too
    EXPECT_FALSE(state.changed);
}

TEST_F(EditingTest, FailedDeleteLeavesTreeTableAndFileAsTheyWere) {
    startWithABC();
    const QByteArray before = [this] {
        QFile file(path(QStringLiteral("abc.pci")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    clickNode(2);
    answerNameDialog(QStringLiteral("E"));
    widget<QAction>(*form, "N8")->trigger();  // an unsaved rename
    // The file's place is taken by a folder: the write fails.
    state.commandFilePath = path(QStringLiteral("folder.pci"));
    ASSERT_TRUE(QDir().mkpath(state.commandFilePath));
    prompts.yes = true;
    widget<QAction>(*form, "N9")->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_EQ(treeCaptions(), (QStringList{"Remote", "A", "E", "C"}));
    EXPECT_EQ(state.table.slot(2).name, QStringLiteral("B"));  // never left emptied
    EXPECT_TRUE(state.changed);
    QFile file(path(QStringLiteral("abc.pci")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(EditingTest, ClosingAsksOnlyWhenChangesAreUnsaved) {
    startWithABC();
    const auto asked = [this] { return prompts.count(ScriptedPrompts::Kind::Unsaved); };
    prompts.unsaved = Prompts::Unsaved::Cancel;

    // Nothing changed: closes at once.
    EXPECT_TRUE(form->close());
    EXPECT_EQ(asked(), 0);
    form->show();

    customise(1);
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit2"), QStringLiteral("/usr/bin/a"));
    ASSERT_TRUE(state.changed);
    EXPECT_FALSE(form->close());  // Cancel
    EXPECT_EQ(asked(), 1);
    EXPECT_TRUE(form->isVisible());

    // A Save that fails asks again, naming the file; the user may cancel then.
    const QString file = state.commandFilePath;
    state.commandFilePath = path(QStringLiteral("folder.pci"));
    ASSERT_TRUE(QDir().mkpath(state.commandFilePath));
    prompts.asked.clear();
    prompts.unsavedFirst = {Prompts::Unsaved::Save};  // then Cancel
    EXPECT_FALSE(form->close());
    const QStringList questions = prompts.texts(ScriptedPrompts::Kind::Unsaved);
    ASSERT_EQ(questions.size(), 2);
    EXPECT_TRUE(questions[1].contains(state.commandFilePath)) << questions[1].toStdString();
    EXPECT_TRUE(state.changed);
    errors.messages.clear();
    prompts.unsaved = Prompts::Unsaved::Save;

    state.commandFilePath = file;
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(state.changed);
    CommandTable saved;
    ASSERT_TRUE(CommandFile::loadFromFile(file, saved).ok);
    EXPECT_EQ(saved.slot(1).file, QStringLiteral("/usr/bin/a"));

    form->show();
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit2"), QStringLiteral("x"));
    prompts.unsaved = Prompts::Unsaved::Discard;
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(state.changed);  // discarded, not saved
}

TEST_F(EditingTest, LoadingClearsTheChangedFlag) {
    startWithABC();
    customise(1);
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit4"), QStringLiteral("12"));
    ASSERT_TRUE(state.changed);
    prompts.openName = path(QStringLiteral("abc.pci"));
    prompts.unsaved = Prompts::Unsaved::Discard;
    form->NopenClick();
    EXPECT_FALSE(state.changed);
    // Edits of the header's slot are never stored, so they change nothing to save.
    tree()->selectIndex(0);
    widget<QAction>(*form, "Natt")->setEnabled(true);
    form->NattClick();
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit2"), QStringLiteral("/x"));
    EXPECT_EQ(state.table.slot(0).file, QStringLiteral("/x"));
    EXPECT_FALSE(state.changed);
}

// Text fields count characters as the files do: a character outside the basic plane
// fits whole where one character is left, and is refused whole where none is.
TEST(CharacterLimit, CountsCharactersAndNeverKeepsHalfOfOne) {
    const QString smile = QString::fromUcs4(U"\U0001F600");
    QLineEdit edit;
    limitToCharacters(&edit, 3);
    edit.insert(QStringLiteral("ab"));
    edit.insert(smile);
    EXPECT_EQ(edit.text(), QStringLiteral("ab") + smile);
    edit.insert(QStringLiteral("c"));
    EXPECT_EQ(edit.text(), QStringLiteral("ab") + smile);

    edit.clear();
    edit.insert(QStringLiteral("abc"));
    edit.insert(smile);
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
}
