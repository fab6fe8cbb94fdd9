// The parts of the rig that later tests lean on without looking at them again.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

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
