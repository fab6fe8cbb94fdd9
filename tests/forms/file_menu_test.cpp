// File menu: Open, Save and Save As, with the file dialogs replaced by answers.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

#include "core/command_file.h"
#include "editor/command_tree.h"
#include "tests/forms/form_fixture.h"

class FileMenu : public FormTest {
  protected:
    void SetUp() override { startWithRemote(); }

    // Answers the save dialog with `name` and counts how often it was asked.
    void answerSave(const QString& name) {
        form->chooseSaveFile = [this, name] {
            ++saveAsked;
            return name;
        };
    }
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
    int saveAsked = 0;
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

    form->chooseOpenFile = [this] { return path("player.pci"); };
    form->Nopen->trigger();
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(state.commandFilePath, path("player.pci"));
    ASSERT_EQ(form->TreeView1->nodeCount(), 3);
    EXPECT_EQ(node(0)->text(0), QStringLiteral("Player"));
    EXPECT_EQ(node(1)->text(0), QStringLiteral("Play"));
    EXPECT_EQ(node(2)->text(0), QStringLiteral("Stop"));
    EXPECT_TRUE(node(0)->isExpanded());
    EXPECT_EQ(form->TreeView1->selectedIndex(), 0);
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
    form->chooseOpenFile = [this] { return path("blank.pci"); };
    form->Nopen->trigger();
    ASSERT_EQ(form->TreeView1->nodeCount(), 1);
    EXPECT_EQ(form->TreeView1->selectedIndex(), 0);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Новый пульт"))
        << "the status bar must not keep a command of the file that was replaced";
}

TEST_F(FileMenu, CancellingOpenChangesNothing) {
    form->chooseOpenFile = [] { return QString(); };
    form->Nopen->trigger();
    EXPECT_TRUE(errors.messages.isEmpty());
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    EXPECT_EQ(form->TreeView1->nodeCount(), 1 + Remote::kCount);
}

TEST_F(FileMenu, OpeningAMissingFileReportsItAndKeepsTheTree) {
    form->chooseOpenFile = [this] { return path("vanished.pci"); };
    form->Nopen->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(path("vanished.pci")))
        << errors.messages[0].toStdString();
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    ASSERT_EQ(form->TreeView1->nodeCount(), 1 + Remote::kCount);
    EXPECT_EQ(node(Remote::kKeys)->text(0), QStringLiteral("Клавиши"));
    EXPECT_EQ(state.table.slot(Remote::kKeys).key, QStringLiteral("Delete"));
}

TEST_F(FileMenu, SaveWritesTheSettingsAndTheCommandFile) {
    QFile::remove(path("remote.pci"));
    QFile::remove(path("QUENDA.ini"));  // a missing file is created, not an error
    form->resize(720, 480);
    form->Nsave->trigger();
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
    EXPECT_EQ(saveAsked, 0);
}

TEST_F(FileMenu, SaveWithoutACommandFileNameAsksOnceAndKeepsTheName) {
    state.commandFilePath.clear();  // as for a table begun with a new header
    answerSave(path("new-remote"));
    form->Nsave->trigger();
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(saveAsked, 1);
    EXPECT_EQ(state.commandFilePath, path("new-remote.pci"));
    EXPECT_EQ(captions(loadBack("new-remote.pci")), captions(state.table));

    QFile::remove(path("new-remote.pci"));
    form->Nsave->trigger();
    EXPECT_EQ(saveAsked, 1) << "the next Save writes to the remembered name";
    EXPECT_TRUE(QFile::exists(path("new-remote.pci")));
}

TEST_F(FileMenu, SaveAsAppendsTheExtensionOnlyWhenMissingAndKeepsTheCurrentFile) {
    answerSave(path("copy"));
    form->NsaveAs->trigger();
    EXPECT_TRUE(QFile::exists(path("copy.pci")));
    EXPECT_EQ(captions(loadBack("copy.pci")), captions(state.table));

    answerSave(path("other.pci"));
    form->NsaveAs->trigger();
    EXPECT_TRUE(QFile::exists(path("other.pci")));
    EXPECT_FALSE(QFile::exists(path("other.pci.pci")));

    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    EXPECT_EQ(saveAsked, 2);
    // Save As writes no settings.
    EXPECT_FALSE(readBytes("QUENDA.ini").contains("other.pci"));
}

TEST_F(FileMenu, CancellingSaveAsWritesNothing) {
    answerSave(QString());
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    form->NsaveAs->trigger();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(FileMenu, SaveAsIntoAFolderThatCannotBeWrittenReportsTheError) {
    const QString target = path("no-such-folder/copy.pci");
    answerSave(target);
    form->NsaveAs->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(target)) << errors.messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
}

TEST_F(FileMenu, SaveReportsACommandFileThatCannotBeWritten) {
    state.commandFilePath = path("no-such-folder/remote.pci");
    form->Nsave->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(state.commandFilePath))
        << errors.messages[0].toStdString();
    EXPECT_FALSE(readBytes("QUENDA.ini").isEmpty()) << "the settings were written first";
}
