// The receiver's life through the real program in the tray: its line hangs up, the
// program says so once, and it finds the device again under the same name and goes
// on running commands without a restart.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <QFile>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

namespace {

// A pseudo-terminal of the test's own, so that it can hang up, behind a link
// named like the udev name of an adapter.
struct Receiver {
    int controller = -1, device = -1;
    explicit Receiver(const QString& link) {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&controller, &device, name, &raw, nullptr) != 0) {
            throw std::runtime_error("openpty failed");
        }
        // The program must not inherit an end: it would keep the line from hanging up.
        fcntl(controller, F_SETFD, FD_CLOEXEC);
        fcntl(device, F_SETFD, FD_CLOEXEC);
        QFile::remove(link);
        QFile::link(QString::fromLocal8Bit(name), link);
    }
    ~Receiver() { hangUp(); }
    bool press(const QByteArray& burst) {
        return ::write(controller, burst.constData(), size_t(burst.size())) == burst.size();
    }
    void hangUp() {
        if (controller >= 0) {
            ::close(controller);
            ::close(device);
            controller = device = -1;
        }
    }
};

}  // namespace

TEST(Receiver, AHangUpIsToldOnceInTheTrayAndTheDeviceIsFoundAgain) {
    Session s({.trayHost = true});
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote = s.writeCommandFile(
        "remote.pci", "Remote", {e2e::openCommand("Stamp", " 41 42", s.stamp("pressed"))});
    const QString link = s.home().work(QStringLiteral("receiver"));
    auto receiver = std::make_unique<Receiver>(link);
    s.writeSettings(settings, remote, {"Com Device: " + link.toUtf8(), "Show command: no"});
    ASSERT_TRUE(s.start());
    ASSERT_TRUE(receiver->press("AB"));
    ASSERT_TRUE(s.waitForStamps(1, 5s)) << s.programErrors();

    // Unplugged: the line hangs up and the device's name goes with it.
    receiver->hangUp();
    QFile::remove(link);
    const auto told = [&] {
        return int(
            QString::fromStdString(s.programErrors()).count(QStringLiteral("stopped answering")));
    };
    ASSERT_TRUE(rig::waitUntil([&] { return told() > 0; }, 5s));
    EXPECT_NE(s.programErrors().find(link.toStdString()), std::string::npos);
    // Told once, not at every retry.
    std::this_thread::sleep_for(2500ms);
    EXPECT_EQ(told(), 1) << s.programErrors();

    receiver = std::make_unique<Receiver>(link);  // plugged in again
    ASSERT_TRUE(
        rig::waitUntil([&] { return s.programErrors().find("is back") != std::string::npos; }, 5s));
    ASSERT_TRUE(receiver->press("AB"));
    EXPECT_TRUE(s.waitForStamps(2, 5s)) << s.programErrors();
}
