// File menu: Open, Save and Save As, with the file dialogs replaced by answers.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "core/command_file.h"
#include "editor/command_tree.h"
#include "editor/dialog_prompts.h"
#include "editor/property_panel.h"
#include "tests/forms/form_fixture.h"

class FileMenu : public FormTest {
  protected:
    void SetUp() override { startWithRemote(); }

    // Answers the save dialog with `name`; saveAsked() counts how often it was asked.
    void answerSave(const QString& name) { prompts.saveName = name; }
    int saveAsked() const { return prompts.count(ScriptedPrompts::Kind::SaveFile); }
    // The table as a command file on disk loads back.
    CommandTable loadBack(const QString& fileName) {
        CommandTable table;
        const CommandFile::FileResult loaded = CommandFile::loadFromFile(path(fileName), table);
        EXPECT_TRUE(loaded.ok) << loaded.error.toStdString();
        return table;
    }
    static QStringList captions(const CommandTable& table) {
        QStringList out;
        for (int k = 0; k < table.nodeCount(); ++k) {
            out << table.caption(k);
        }
        return out;
    }
};

TEST_F(FileMenu, OpenLoadsTheChosenFileAndRebuildsTheTree) {
    Command play;
    play.name = QStringLiteral("Play");
    play.typeAction = QStringLiteral("Key control");
    play.key = QStringLiteral("Space");
    Command stop = play;
    stop.name = QStringLiteral("Stop");
    stop.key = QStringLiteral("S");
    writeCommandFile("player.pci", QStringLiteral("Player"), {play, stop});
    clickNode(Remote::kMouse);

    prompts.openName = path("player.pci");
    widget<QAction>(*form, "Nopen")->trigger();
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(state.commandFilePath, path("player.pci"));
    ASSERT_EQ(tree()->nodeCount(), 3);
    EXPECT_EQ(node(0)->text(0), QStringLiteral("Player"));
    EXPECT_EQ(node(1)->text(0), QStringLiteral("Play"));
    EXPECT_EQ(node(2)->text(0), QStringLiteral("Stop"));
    EXPECT_TRUE(node(0)->isExpanded());
    EXPECT_EQ(tree()->selectedIndex(), 0);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Player"));
    EXPECT_EQ(state.table.slot(2).key, QStringLiteral("S"));
    EXPECT_EQ(state.table.slot(Remote::kMouse).mousePosX, QString()) << "the old table is gone";

    clickNode(2);
    EXPECT_EQ(memoLines(),
              (QStringList{"", "", " Тип действия: Управление клавишами", " Клавиши: S"}));
}

TEST_F(FileMenu, OpeningAHeaderOnlyFileSelectsItsHeader) {
    writeCommandFile("blank.pci", QStringLiteral("Новый пульт"), {});
    clickNode(Remote::kMouse);
    prompts.openName = path("blank.pci");
    widget<QAction>(*form, "Nopen")->trigger();
    ASSERT_EQ(tree()->nodeCount(), 1);
    EXPECT_EQ(tree()->selectedIndex(), 0);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Новый пульт"))
        << "the status bar must not keep a command of the file that was replaced";
}

TEST_F(FileMenu, CancellingOpenChangesNothing) {
    prompts.openName.clear();
    widget<QAction>(*form, "Nopen")->trigger();
    EXPECT_TRUE(errors.messages.isEmpty());
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    EXPECT_EQ(tree()->nodeCount(), 1 + Remote::kCount);
}

TEST_F(FileMenu, OpeningAMissingFileReportsItAndKeepsTheTree) {
    prompts.openName = path("vanished.pci");
    widget<QAction>(*form, "Nopen")->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(path("vanished.pci")))
        << errors.messages[0].toStdString();
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    ASSERT_EQ(tree()->nodeCount(), 1 + Remote::kCount);
    EXPECT_EQ(node(Remote::kKeys)->text(0), QStringLiteral("Клавиши"));
    EXPECT_EQ(state.table.slot(Remote::kKeys).key, QStringLiteral("Delete"));
}

TEST_F(FileMenu, SaveWritesTheSettingsAndTheCommandFile) {
    QFile::remove(path("remote.pci"));
    QFile::remove(path("QUENDA.ini"));  // a missing file is created, not an error
    form->resize(720, 480);
    widget<QAction>(*form, "Nsave")->trigger();
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();

    const QByteArray ini = readBytes("QUENDA.ini");
    ASSERT_FALSE(ini.isEmpty());
    EXPECT_TRUE(ini.startsWith("\r\nLeft: 111\r\nTop: 115\r\nLeftPanelW: 150\r\n"))
        << ini.left(60).toStdString();
    EXPECT_TRUE(ini.contains("\r\nRightPanelW: 720\r\nRightPanelH: 480\r\n"));
    EXPECT_TRUE(ini.contains("\r\nLoad file: " + path("remote.pci").toUtf8() + "\r\n"));
    EXPECT_TRUE(ini.contains("\r\nCom Number: COM 1\r\n"));
    EXPECT_TRUE(ini.contains("\r\nPause command: 120\r\n"));

    const QByteArray pci = readBytes("remote.pci");
    EXPECT_TRUE(pci.startsWith("Name: ")) << pci.left(20).toStdString();
    EXPECT_TRUE(pci.endsWith("FileSound: \r\n\r\n"));
    const CommandTable saved = loadBack("remote.pci");
    EXPECT_EQ(captions(saved), captions(state.table));
    for (int k = 1; k <= Remote::kCount; ++k) {
        EXPECT_TRUE(saved.slot(k) == state.table.slot(k)) << "slot " << k;
    }
    EXPECT_EQ(saveAsked(), 0);
}

TEST_F(FileMenu, SaveWithoutACommandFileNameAsksOnceAndKeepsTheName) {
    state.commandFilePath.clear();  // as for a table begun with a new header
    answerSave(path("new-remote"));
    widget<QAction>(*form, "Nsave")->trigger();
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(saveAsked(), 1);
    EXPECT_EQ(state.commandFilePath, path("new-remote.pci"));
    EXPECT_EQ(captions(loadBack("new-remote.pci")), captions(state.table));

    QFile::remove(path("new-remote.pci"));
    widget<QAction>(*form, "Nsave")->trigger();
    EXPECT_EQ(saveAsked(), 1) << "the next Save writes to the remembered name";
    EXPECT_TRUE(QFile::exists(path("new-remote.pci")));
}

TEST_F(FileMenu, SaveAsAppendsTheExtensionOnlyWhenMissingAndKeepsTheCurrentFile) {
    answerSave(path("copy"));
    widget<QAction>(*form, "NsaveAs")->trigger();
    EXPECT_TRUE(QFile::exists(path("copy.pci")));
    EXPECT_EQ(captions(loadBack("copy.pci")), captions(state.table));

    answerSave(path("other.pci"));
    widget<QAction>(*form, "NsaveAs")->trigger();
    EXPECT_TRUE(QFile::exists(path("other.pci")));
    EXPECT_FALSE(QFile::exists(path("other.pci.pci")));

    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    EXPECT_EQ(saveAsked(), 2);
    // Save As writes no settings.
    EXPECT_FALSE(readBytes("QUENDA.ini").contains("other.pci"));
}

TEST_F(FileMenu, CancellingSaveAsWritesNothing) {
    answerSave(QString());
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    widget<QAction>(*form, "NsaveAs")->trigger();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(FileMenu, SaveAsIntoAFolderThatCannotBeWrittenReportsTheError) {
    const QString target = path("no-such-folder/copy.pci");
    answerSave(target);
    widget<QAction>(*form, "NsaveAs")->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(target)) << errors.messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
}

TEST_F(FileMenu, SaveReportsACommandFileThatCannotBeWritten) {
    state.commandFilePath = path("no-such-folder/remote.pci");
    widget<QAction>(*form, "Nsave")->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(state.commandFilePath))
        << errors.messages[0].toStdString();
    EXPECT_FALSE(readBytes("QUENDA.ini").isEmpty()) << "the settings were written first";
}

// The extension is added after the dialog, so the question about replacing a file
// is asked for the name really written; ".pci" in any letter case is kept.
TEST_F(FileMenu, SaveAsAsksBeforeReplacingTheFileTheExtensionNames) {
    writeCommandFile("tv.pci", QStringLiteral("Old TV"), {});
    const QByteArray old = readBytes("tv.pci");
    const auto asked = [this] { return prompts.texts(ScriptedPrompts::Kind::YesNo); };
    prompts.yes = false;
    answerSave(path("tv"));
    widget<QAction>(*form, "NsaveAs")->trigger();
    ASSERT_EQ(asked().size(), 1);
    EXPECT_TRUE(asked()[0].contains(path("tv.pci"))) << asked()[0].toStdString();
    EXPECT_EQ(readBytes("tv.pci"), old) << "No keeps the file";

    prompts.yes = true;
    widget<QAction>(*form, "NsaveAs")->trigger();
    EXPECT_EQ(captions(loadBack("tv.pci")), captions(state.table));

    answerSave(path("upper.PCI"));
    widget<QAction>(*form, "NsaveAs")->trigger();
    EXPECT_TRUE(QDir(dir.path()).entryList().contains("upper.PCI"));
    EXPECT_FALSE(QFile::exists(path("upper.PCI.pci")));
    EXPECT_EQ(asked().size(), 2) << "a new name asks nothing";
}

// A file with more commands than the table holds: the Save that would cut them off
// says so first, and the user may write anyway, write elsewhere or cancel.
TEST_F(FileMenu, SaveOverAFileWithCommandsLeftOutAsksFirst) {
    writeCommandFile("big.pci", QStringLiteral("Big"), QList<Command>(35));
    const QByteArray original = readBytes("big.pci");
    prompts.openName = path("big.pci");
    widget<QAction>(*form, "Nopen")->trigger();
    ASSERT_EQ(state.table.commandCount(), 30);
    ASSERT_EQ(errors.messages.size(), 1) << "the load says what was left out";
    errors.messages.clear();

    const auto asked = [this] { return prompts.texts(ScriptedPrompts::Kind::Overflow); };
    prompts.overflow = Prompts::Overflow::Cancel;
    widget<QAction>(*form, "Nsave")->trigger();
    ASSERT_EQ(asked().size(), 1);
    EXPECT_TRUE(asked()[0].contains(path("big.pci")) && asked()[0].contains(" 5 "))
        << asked()[0].toStdString();
    EXPECT_EQ(readBytes("big.pci"), original) << "Cancel writes nothing";

    prompts.overflow = Prompts::Overflow::WriteElsewhere;
    answerSave(path("first30"));
    widget<QAction>(*form, "Nsave")->trigger();
    EXPECT_EQ(readBytes("big.pci"), original);
    EXPECT_EQ(loadBack("first30.pci").commandCount(), 30);
    EXPECT_EQ(state.commandFilePath, path("first30.pci"));
    widget<QAction>(*form, "Nsave")->trigger();
    EXPECT_EQ(asked().size(), 2) << "the new file holds the whole table";

    widget<QAction>(*form, "Nopen")->trigger();
    errors.messages.clear();
    prompts.overflow = Prompts::Overflow::Write;
    widget<QAction>(*form, "Nsave")->trigger();
    EXPECT_EQ(asked().size(), 3);
    EXPECT_EQ(loadBack("big.pci").commandCount(), 30);
    widget<QAction>(*form, "Nsave")->trigger();
    EXPECT_EQ(asked().size(), 3) << "nothing more to lose";
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
}

// Settings that cannot be written keep nothing else from the disk: each failure is
// reported on its own.
TEST_F(FileMenu, SaveWritesTheCommandFileWhenTheSettingsCannotBeWritten) {
    ASSERT_TRUE(QFile::remove(path("QUENDA.ini")));
    ASSERT_TRUE(QDir().mkpath(path("QUENDA.ini")));  // a folder in the file's place
    QFile::remove(path("remote.pci"));
    widget<QAction>(*form, "Nsave")->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(path("QUENDA.ini")))
        << errors.messages[0].toStdString();
    EXPECT_EQ(captions(loadBack("remote.pci")), captions(state.table));

    // Closing with Save: the table is saved, so the window closes.
    errors.messages.clear();
    state.changed = true;
    prompts.unsaved = Prompts::Unsaved::Save;
    EXPECT_TRUE(form->close());
    EXPECT_EQ(prompts.count(ScriptedPrompts::Kind::Unsaved), 1);
    EXPECT_EQ(errors.messages.size(), 1);
}

// Open replaces the table: unsaved edits are settled first, as when closing.
TEST_F(FileMenu, OpenAsksAboutUnsavedChanges) {
    writeCommandFile("other.pci", QStringLiteral("Other"), {});
    prompts.openName = path("other.pci");
    state.changed = true;
    const auto asked = [this] { return prompts.count(ScriptedPrompts::Kind::Unsaved); };
    prompts.unsaved = Prompts::Unsaved::Cancel;
    widget<QAction>(*form, "Nopen")->trigger();
    EXPECT_EQ(asked(), 1);
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    EXPECT_EQ(tree()->nodeCount(), 1 + Remote::kCount);

    prompts.unsaved = Prompts::Unsaved::Discard;
    widget<QAction>(*form, "Nopen")->trigger();
    EXPECT_EQ(asked(), 2);
    EXPECT_EQ(state.commandFilePath, path("other.pci"));
    EXPECT_EQ(tree()->nodeCount(), 1);
}

// After an Open the pane shows the new file's header, not a command of the old one.
TEST_F(FileMenu, OpenRefreshesThePaneFromTheNewSelection) {
    clickNode(Remote::kMouse);
    ASSERT_TRUE(memoLines().join('\n').contains(QStringLiteral("100")));
    writeCommandFile("other.pci", QStringLiteral("Other"), {Command()});
    prompts.openName = path("other.pci");
    widget<QAction>(*form, "Nopen")->trigger();
    EXPECT_EQ(memoLines(), QStringList{QString()});
    EXPECT_TRUE(widget<QLineEdit>(*panel(), "Edit4")->text().isEmpty())
        << "no control keeps the old command";
}

// The file dialogs open in the current command file's folder, else in the program
// folder; the save dialog leaves the question about replacing to the program.
TEST_F(FileMenu, FileDialogsStartInTheCommandFilesFolder) {
    ASSERT_TRUE(QDir().mkpath(path("remotes")));
    state.commandFilePath = path("remotes/tv.pci");
    QString folder;
    bool confirmsOverwrite = true;
    auto rejectDialog = [&] {
        QTimer::singleShot(0, [&] {
            (void)QTest::qWaitFor(
                [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); });
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            folder = dialog->directory().absolutePath();
            confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->reject();
        });
    };
    // The window asks with its folder; the program's dialogs open there.
    DialogPrompts dialogs;
    dialogs.setWindow(form.get());
    widget<QAction>(*form, "Nopen")->trigger();
    ASSERT_EQ(prompts.asked.size(), 1);
    rejectDialog();
    EXPECT_EQ(dialogs.openFileName(prompts.asked[0].folder, prompts.asked[0].text), QString());
    EXPECT_EQ(folder, path("remotes"));

    state.commandFilePath.clear();
    widget<QAction>(*form, "NsaveAs")->trigger();
    ASSERT_EQ(prompts.asked.size(), 2);
    rejectDialog();
    EXPECT_EQ(dialogs.saveFileName(prompts.asked[1].folder, prompts.asked[1].text), QString());
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    EXPECT_FALSE(confirmsOverwrite);
}
