// Starting programs and documents from a command line, with real processes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <thread>

#include "platform/linux/linux_platform.h"
#include "support/rig/desktop.h"

using rig::waitUntil;
using namespace std::chrono_literals;

namespace {

class ProgramStart : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return home_.work(name); }
    static bool appears(const QString& file) {
        return waitUntil([&] { return QFile::exists(file); }, 5s);
    }
    // An executable script standing in for the desktop's opener: it writes the
    // argument it got into `record`.
    void installFakeOpener(const QString& record) {
        QDir().mkpath(path(QStringLiteral("bin")));
        QFile f(path(QStringLiteral("bin/xdg-open")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n").arg(record).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        path_.set(path(QStringLiteral("bin")).toLocal8Bit() + ':' + path_.saved());
    }

    rig::TestHome home_;
    rig::ScopedVariable path_{"PATH"};
    LinuxPlatform platform_;
};

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST_F(ProgramStart, StartsProgramsWithTheirArgumentsAndNoShell) {
    // By path and by name on PATH.
    EXPECT_TRUE(platform_.startCommand(QStringLiteral("/usr/bin/touch ") + path("a")));
    EXPECT_TRUE(appears(path("a")));
    EXPECT_TRUE(platform_.startCommand(QStringLiteral("touch ") + path("b")));
    EXPECT_TRUE(appears(path("b")));

    // Quotes group words; a program path with blanks works quoted and unquoted.
    QDir().mkpath(path("my tools"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/bin/touch"), path("my tools/make file")));
    EXPECT_TRUE(platform_.startCommand(
        QStringLiteral("\"%1\" \"%2\" %3")
            .arg(path("my tools/make file"), path("with blank"), path("c"))));
    EXPECT_TRUE(appears(path("with blank")));
    EXPECT_TRUE(appears(path("c")));

    // Nothing is interpreted: the words reach the program as they are.
    EXPECT_TRUE(platform_.startCommand(QStringLiteral("/usr/bin/touch ") + path("$(id)")));
    EXPECT_TRUE(appears(path("$(id)")));
    EXPECT_FALSE(QFile::exists(path("uid=0(root)")));
}

TEST_F(ProgramStart, RefusesLinesThatNameNothing) {
    installFakeOpener(path("opened"));
    EXPECT_FALSE(platform_.startCommand(QString()));
    EXPECT_FALSE(platform_.startCommand(QStringLiteral("   ")));
    EXPECT_FALSE(platform_.startCommand(QStringLiteral("/nonexistent/program arg")));
    EXPECT_FALSE(platform_.startCommand(QStringLiteral("quenda-no-such-program")));
    EXPECT_FALSE(platform_.startCommand(home_.workDir()));  // a folder is no document
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(QFile::exists(path("opened")));
}

TEST_F(ProgramStart, HandsDocumentsToTheDesktopOpener) {
    installFakeOpener(path("opened"));
    const QString doc = path("notes and plans.txt");
    QFile(doc).open(QIODevice::WriteOnly);

    // Unquoted, with its blanks.
    EXPECT_TRUE(platform_.startCommand(doc));
    ASSERT_TRUE(appears(path("opened")));
    EXPECT_TRUE(waitUntil([&] { return contents(path("opened")) == doc.toUtf8(); }, 3s));
    QFile::remove(path("opened"));

    // A document with the executable bit (as on shared drives) cannot be run and
    // is opened instead.
    const QString marked = path("marked.txt");
    QFile m(marked);
    ASSERT_TRUE(m.open(QIODevice::WriteOnly));
    m.write("plain text, no program\n");
    m.close();
    m.setPermissions(m.permissions() | QFile::ExeOwner);
    EXPECT_TRUE(platform_.startCommand(marked));
    EXPECT_TRUE(waitUntil([&] { return contents(path("opened")) == marked.toUtf8(); }, 3s));

    // Without an opener on PATH nothing starts, and the caller hears so.
    path_.set(path("nothing-here").toLocal8Bit());
    EXPECT_FALSE(platform_.startCommand(doc));
}
