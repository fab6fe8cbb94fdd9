// The autostart entry as a desktop session reads it: a file under a fresh
// XDG_CONFIG_HOME whose Exec line starts the program it names.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>

#include "platform/linux/linux_platform.h"
#include "platform/linux/xdg_autostart.h"
#include "support/rig/desktop.h"

namespace {

class Autostart : public ::testing::Test {
  protected:
    void SetUp() override { configHome_.set(path(QStringLiteral("config")).toLocal8Bit()); }
    QString path(const QString& name) const { return home_.work(name); }

    // The Exec line with the string escapes of desktop entries undone.
    static QString execLine(const QByteArray& entry) {
        for (const QByteArray& line : entry.split('\n')) {
            if (line.startsWith("Exec=")) {
                QString exec = QString::fromUtf8(line.mid(5));
                exec.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
                return exec;
            }
        }
        return QString();
    }

    rig::TestHome home_;
    rig::ScopedVariable configHome_{"XDG_CONFIG_HOME"};
};

TEST_F(Autostart, EntryStartsTheProgramAndGoesAgain) {
    // A program in a folder whose name needs quoting: it leaves a mark when started.
    const QString folder = path(QStringLiteral("my \"programs\" $HOME"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/start me");
    const QString mark = path(QStringLiteral("started"));
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho yes > '%1'\n").arg(mark).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);

    LinuxPlatform platform;
    const QString entry = path(QStringLiteral("config/autostart/quenda.desktop"));
    EXPECT_EQ(platform.autostartLocation(), entry);
    EXPECT_FALSE(platform.autostartExists());
    ASSERT_TRUE(platform.writeAutostart(program));
    ASSERT_TRUE(platform.writeAutostart(program));  // again: still one entry, same text
    EXPECT_TRUE(platform.autostartExists());
    QFile written(entry);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nType=Application\n"));

    // The quoting rules of Exec are those of a shell's double quotes.
    ASSERT_EQ(QProcess::execute(QStringLiteral("/bin/sh"), {"-c", execLine(text)}), 0)
        << execLine(text).toStdString();
    EXPECT_TRUE(QFile::exists(mark));

    EXPECT_TRUE(platform.deleteAutostart());
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(platform.autostartExists());
    EXPECT_FALSE(platform.deleteAutostart());  // nothing there: nothing to delete
}

TEST_F(Autostart, PlainPathsStayAsTheyAreAndARefusedWriteSaysSo) {
    EXPECT_EQ(XdgAutostart::execArgument(QStringLiteral("/usr/bin/quenda")),
              QStringLiteral("/usr/bin/quenda"));
    EXPECT_EQ(XdgAutostart::execArgument(QStringLiteral("/opt/a b/100%/q")),
              QStringLiteral("\"/opt/a b/100%%/q\""));
    EXPECT_EQ(XdgAutostart::execArgument(QStringLiteral("/opt/a\\b")),
              QStringLiteral("\"/opt/a\\\\\\\\b\""));
    // A configuration folder that cannot be made (a file stands in its way).
    QFile blocker(path(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    configHome_.set(path(QStringLiteral("file/config")).toLocal8Bit());
    LinuxPlatform platform;
    EXPECT_FALSE(platform.writeAutostart(QStringLiteral("/usr/bin/quenda")));
    EXPECT_FALSE(platform.autostartExists());
}

}  // namespace

// What the backend says it can do on a desktop without X, without logind and with an
// autostart folder the user may not write to (root may write anywhere, so that case
// is only checked for other users).
TEST_F(Autostart, CapabilitiesSayWhatThisDesktopLacks) {
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("DISPLAY");
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    const Capabilities can = LinuxPlatform().capabilities();
    qputenv("DISPLAY", display);
    qputenv("WAYLAND_DISPLAY", wayland);

    EXPECT_FALSE(can.listWindows.available);
    EXPECT_EQ(can.listWindows.reason, QStringLiteral("a Wayland session without XWayland"));
    EXPECT_FALSE(can.synthesiseInput.available);
    // The tests' system bus is private or unreachable, and holds no logind here.
    EXPECT_FALSE(can.powerOff.available);
    EXPECT_TRUE(can.writeAutostart.available) << can.writeAutostart.reason.toStdString();

    if (geteuid() != 0) {
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("config"))));
        QFile::setPermissions(path(QStringLiteral("config")), QFile::ReadOwner | QFile::ExeOwner);
        const Capabilities locked = LinuxPlatform().capabilities();
        EXPECT_FALSE(locked.writeAutostart.available);
        EXPECT_TRUE(locked.writeAutostart.reason.endsWith(QStringLiteral("is not writable")));
    }
}

// One copy holds the lock until it goes; a link planted where the lock file belongs
// (in a temporary folder other users share) is never followed, so the file it points
// to keeps its contents, and the program runs unchecked rather than not at all.
TEST(SingleInstanceLock, HeldByOneCopyAndNeverWrittenThroughALink) {
    rig::TestHome home;
    rig::ScopedVariable runtimeDir("XDG_RUNTIME_DIR");
    ASSERT_TRUE(QDir().mkpath(home.work(QStringLiteral("run"))));
    runtimeDir.set(home.work(QStringLiteral("run")).toLocal8Bit());
    {
        LinuxPlatform first;
        LinuxPlatform second;
        EXPECT_TRUE(first.claimSingleInstance());
        EXPECT_FALSE(second.claimSingleInstance());
    }
    EXPECT_TRUE(LinuxPlatform().claimSingleInstance());

    const QString lock = LinuxPlatform::lockFilePath();
    const QString precious = home.work(QStringLiteral("precious.txt"));
    rig::writeFile(precious, "keep me");
    ASSERT_TRUE(QFile::remove(lock));
    ASSERT_TRUE(QFile::link(precious, lock));
    EXPECT_TRUE(LinuxPlatform().claimSingleInstance());
    EXPECT_EQ(rig::readFile(precious), QByteArray("keep me"));
}
