// Starting programs and documents from a command line, with real processes.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <thread>

#include "platform/linux/command_start.h"
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

TEST(CommandWords, SplitAsTheShellSplitsWithoutExpanding) {
    struct Row {
        const char* line;
        QStringList words;
    };
    const QList<Row> rows = {
        {R"(rec.sh "two words" 'single q')", {"rec.sh", "two words", "single q"}},
        {R"(  spaced   out	tab  )", {"spaced", "out", "tab"}},
        {R"(a\ b c\"d "e\"f" 'g\h')", {"a b", "c\"d", "e\"f", "g\\h"}},
        {R"('it'"s to"gether 'x'"y"z)", {"its together", "xyz"}},
        {R"(say "$HOME" $(id) `id` * ~ ; a|b)",
         {"say", "$HOME", "$(id)", "`id`", "*", "~", ";", "a|b"}},
        {R"(play "" x #comment)", {"play", "", "x"}},
        {"пуск \"мой файл\"", {"пуск", "мой файл"}},
    };
    for (const Row& row : rows) {
        const CommandWords split = splitCommandLine(QString::fromUtf8(row.line));
        EXPECT_EQ(split.words, row.words) << row.line;
        EXPECT_TRUE(split.failure.isEmpty()) << row.line;
    }
    for (const char* unbalanced : {R"(gedit "notes)", "gedit 'notes", R"(gedit "a\" b)", ""}) {
        const CommandWords split = splitCommandLine(QString::fromUtf8(unbalanced));
        EXPECT_TRUE(split.words.isEmpty()) << unbalanced;
        EXPECT_FALSE(split.failure.isEmpty()) << unbalanced;
    }
}

// The started program lives on by itself: its own session, our environment and
// folder, /dev/null for its standard streams and none of our other descriptors;
// when it ends it is waited for and leaves no zombie, whether the start came from
// a thread with an event loop (which watches it) or from one without.
TEST_F(ProgramStart, StartsTheProgramDetachedAndWaitsForItsEnd) {
    for (const bool fromEventLoop : {true, false}) {
        SCOPED_TRACE(fromEventLoop ? "from the event loop's thread" : "from a plain thread");
        qputenv("QUENDA_START_MARK", "inherited");
        const QString pidFile = path(fromEventLoop ? "pid-loop" : "pid-thread");
        const QString line =
            QStringLiteral(
                "/bin/sh -c 'echo $$ > \"%1.part\" && mv \"%1.part\" \"%1\" && exec sleep 30'")
                .arg(pidFile);
        bool started = false;
        if (fromEventLoop) {
            started = platform_.startCommand(line);
        } else {
            std::thread([&] { started = platform_.startCommand(line); }).join();
        }
        qunsetenv("QUENDA_START_MARK");
        ASSERT_TRUE(started);
        ASSERT_TRUE(appears(pidFile));
        const pid_t pid = contents(pidFile).trimmed().toInt();
        ASSERT_GT(pid, 0);
        const QString proc = QStringLiteral("/proc/%1").arg(pid);
        ASSERT_TRUE(waitUntil([&] { return contents(proc + "/comm") == "sleep\n"; }, 3s));

        EXPECT_EQ(getsid(pid), pid);
        EXPECT_NE(getsid(pid), getsid(0));
        const QDir fds(proc + "/fd");
        EXPECT_EQ(fds.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(' ').toStdString(),
                  "0 1 2");
        for (const char* fd : {"0", "1", "2"}) {
            EXPECT_EQ(QFileInfo(fds.filePath(fd)).symLinkTarget().toStdString(), "/dev/null") << fd;
        }
        EXPECT_TRUE(
            contents(proc + "/environ").split('\0').contains("QUENDA_START_MARK=inherited"));
        EXPECT_EQ(QFileInfo(proc + "/cwd").symLinkTarget(), QDir::currentPath());

        ASSERT_EQ(kill(pid, SIGTERM), 0);
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (QFileInfo::exists(proc) && std::chrono::steady_clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        EXPECT_FALSE(QFileInfo::exists(proc))
            << "state: " << contents(proc + "/stat").toStdString();
    }
}

TEST_F(ProgramStart, RefusesLinesThatNameNothingAndSaysWhy) {
    installFakeOpener(path("opened"));
    const QStringList refused = {
        QString(),
        QStringLiteral("   "),
        QStringLiteral("/nonexistent/program arg"),
        QStringLiteral("quenda-no-such-program"),
        home_.workDir(),  // a folder is no document
        QStringLiteral("/usr/bin/touch \"") + path("never"),
    };
    for (const QString& line : refused) {
        EXPECT_FALSE(platform_.startCommand(line)) << line.toStdString();
        EXPECT_FALSE(platform_.startFailure().isEmpty()) << line.toStdString();
    }
    EXPECT_TRUE(platform_.startFailure().contains(QLatin1String("quote")))
        << platform_.startFailure().toStdString();
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(QFile::exists(path("opened")));
    EXPECT_FALSE(QFile::exists(path("never")));
}

TEST_F(ProgramStart, HandsDocumentsToTheDesktopOpener) {
    installFakeOpener(path("opened"));
    // Blanks and a lone quote: the whole line is the file, no words are split.
    const QString doc = path("Bob's notes and plans.txt");
    QFile(doc).open(QIODevice::WriteOnly);

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
