#include "editor/command_delete.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/command_file.h"
#include "core/text_file.h"
#include "support/print_qt.h"

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A header "Remote" with commands of these names; each command's file names it.
CommandTable tableOf(const QStringList& names) {
    CommandTable table;
    table.setHeader(QStringLiteral("Remote"));
    for (const QString& name : names) {
        const int slot = table.addCommand(name);
        table.slot(slot).name = name;
        table.slot(slot).file = QStringLiteral("/usr/bin/") + name.toLower();
    }
    return table;
}

QStringList captionsOf(const CommandTable& table) {
    QStringList captions;
    for (int node = 0; node < table.nodeCount(); ++node) {
        captions << table.caption(node);
    }
    return captions;
}

class CommandDeleteTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(CommandDeleteTest, CommandsWithAnEmptyNameAreLeftOutTooAndRenamesTakeHold) {
    CommandTable table = tableOf({"A", "B", "C", "D"});
    table.slot(4).name.clear();                // created with an empty text
    table.setCaption(3, QStringLiteral("E"));  // renamed, never saved
    const CommandDelete::Result result =
        CommandDelete::deleteAndReload(table, 1, path("new.pci"));  // no file yet
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(captionsOf(result.table), (QStringList{"Remote", "B", "E"}));
    EXPECT_EQ(result.table.slot(2).name, QStringLiteral("E"));
    EXPECT_EQ(result.table.slot(2).file, QStringLiteral("/usr/bin/c"));  // fields move along
    EXPECT_EQ(result.table.slot(3), Command());
    EXPECT_EQ(table.slot(1).name, QStringLiteral("A"));  // the caller's table is untouched
}

TEST_F(CommandDeleteTest, HeaderSelectedDeletesNothingButStillWrites) {
    const CommandTable table = tableOf({"A", "B"});
    const QString file = path("remote.pci");
    const CommandDelete::Result result = CommandDelete::deleteAndReload(table, 0, file);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(captionsOf(result.table), (QStringList{"Remote", "A", "B"}));
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(CommandDeleteTest, FailedWriteLeavesTheFileAsItWas) {
    // A folder in the file's place cannot be replaced by a file.
    const QString blocked = path("blocked.pci");
    ASSERT_TRUE(QDir().mkpath(blocked));
    const CommandDelete::Result intoFolder =
        CommandDelete::deleteAndReload(tableOf({"A", "B"}), 1, blocked);
    EXPECT_FALSE(intoFolder.ok);
    EXPECT_FALSE(intoFolder.error.isEmpty());

    const QString missingFolder = path("no/such/folder/remote.pci");
    EXPECT_FALSE(CommandDelete::deleteAndReload(tableOf({"A", "B"}), 1, missingFolder).ok);
    EXPECT_FALSE(QFile::exists(missingFolder));
}

TEST_F(CommandDeleteTest, FailedReloadPutsTheOldFileBack) {
    const CommandTable table = tableOf({"A", "B", "C"});
    const QString file = path("remote.pci");
    ASSERT_TRUE(CommandFile::saveToFile(file, table).ok);
    const QByteArray before = bytesOf(file);

    CommandDelete::FileOps failingRead;
    QByteArray seenOnDisk;
    failingRead.load = [&](const QString& p, CommandTable&) {
        seenOnDisk = bytesOf(p);
        return CommandFile::FileResult{false, QStringLiteral("Cannot read ") + p, {}};
    };
    const CommandDelete::Result result =
        CommandDelete::deleteAndReload(table, 2, file, failingRead);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("Cannot read ") + file);
    EXPECT_NE(seenOnDisk, before);  // the shorter table had been written
    EXPECT_EQ(bytesOf(file), before);

    // With no file before the delete, none is left behind.
    const QString fresh = path("fresh.pci");
    EXPECT_FALSE(CommandDelete::deleteAndReload(table, 2, fresh, failingRead).ok);
    EXPECT_FALSE(QFile::exists(fresh));
}
