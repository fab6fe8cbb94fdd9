// The receiver's life through the real program in the tray: its line hangs up, the
// program says so once, and it finds the device again under the same name and goes
// on running commands without a restart.
#include <gtest/gtest.h>
#include <QFile>
#include <memory>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

namespace {

// A pseudo-terminal of the test's own, so that it can hang up (by going), behind a
// link named like the udev name of an adapter.
std::unique_ptr<rig::PseudoTerminal> plugIn(const QString& link) {
    auto receiver = std::make_unique<rig::PseudoTerminal>();
    QFile::remove(link);
    QFile::link(receiver->devicePath(), link);
    return receiver;
}

}  // namespace

TEST(Receiver, AHangUpIsToldOnceInTheTrayAndTheDeviceIsFoundAgain) {
    Session s({.trayHost = true});
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote = s.writeCommandFile(
        "remote.pci", "Remote", {e2e::openCommand("Stamp", " 41 42", s.stamp("pressed"))});
    const QString link = s.home().work(QStringLiteral("receiver"));
    auto receiver = plugIn(link);
    s.writeSettings(settings, remote, {"Com Device: " + link.toUtf8(), "Show command: no"});
    ASSERT_TRUE(s.start());
    ASSERT_TRUE(receiver->send("AB"));
    ASSERT_TRUE(s.waitForStamps(1, 5s)) << s.programErrors();

    // Unplugged: the line hangs up and the device's name goes with it.
    receiver.reset();
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

    receiver = plugIn(link);  // plugged in again
    ASSERT_TRUE(
        rig::waitUntil([&] { return s.programErrors().find("is back") != std::string::npos; }, 5s));
    ASSERT_TRUE(receiver->send("AB"));
    EXPECT_TRUE(s.waitForStamps(2, 5s)) << s.programErrors();
}
