// The parts of the rig that later tests lean on without looking at them again.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "support/rig/desktop.h"
#include "support/rig/pty.h"

using namespace std::chrono_literals;

// A receiver's bytes reach whoever opens the port unchanged: no byte value is
// dropped, translated (CR to LF) or taken as a control character.
TEST(Rig, PseudoTerminalPassesEveryByteValueBothWays) {
    rig::PseudoTerminal port;
    const int fd = open(port.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0) << port.devicePath().toStdString();

    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    ASSERT_TRUE(port.send(all));
    QByteArray got;
    rig::waitUntil(
        [&] {
            char buffer[512];
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0) {
                got.append(buffer, n);
            }
            return got.size() >= all.size();
        },
        2s, 1ms);
    EXPECT_EQ(got, all);

    ASSERT_EQ(write(fd, all.constData(), all.size()), all.size());
    EXPECT_EQ(port.receive(2s), all);
    close(fd);
}

// Run by the next test in a process of its own: a test that fails with a home.
TEST(Rig, FailsOnPurposeWithAHome) {
    if (!qEnvironmentVariableIsSet("QUENDA_RIG_FAIL_ON_PURPOSE")) {
        GTEST_SKIP() << "only as the child of HomeIsRemovedAlsoWhenATestFails";
    }
    rig::TestHome home;
    std::printf("home: %s\n", qPrintable(home.path()));
    rig::writeFile(home.logDir() + QStringLiteral("/01-quenda.err"), "the program's last words");
    ADD_FAILURE() << "on purpose";
}

// A failed test leaves no folder behind, and what the program said is printed.
TEST(Rig, HomeIsRemovedAlsoWhenATestFails) {
    rig::Environment env = rig::Environment::inherited();
    env.set(QStringLiteral("QUENDA_RIG_FAIL_ON_PURPOSE"), QStringLiteral("1"));
    env.unset(QStringLiteral("QUENDA_RIG_KEEP"));
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    const rig::CommandResult run =
        rig::runCommand({self, QStringLiteral("--gtest_filter=Rig.FailsOnPurposeWithAHome")}, env);
    EXPECT_NE(run.exitCode, 0);
    const QRegularExpressionMatch home =
        QRegularExpression(QStringLiteral("home: (\\S+)")).match(QString::fromLocal8Bit(run.out));
    ASSERT_TRUE(home.hasMatch()) << run.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.captured(1))) << home.captured(1).toStdString();
    EXPECT_TRUE(run.err.contains("the program's last words")) << run.err.toStdString();
}
