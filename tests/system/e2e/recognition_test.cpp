// From the receiver's bytes to the commands they run: the filters and the start
// symbol make the code, every command with that code runs in slot order, a
// combination spaces its elements, a command-file switch ends the matching, and an
// editor window on the screen holds back everything but pauses and switches.
#include <gtest/gtest.h>
#include <QFileInfo>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

namespace {

QByteArray touch(Session& s, const char* name) {
    return "/usr/bin/touch " + s.home().work(QLatin1String(name)).toUtf8();
}

bool exists(Session& s, const char* name) {
    return QFileInfo::exists(s.home().work(QLatin1String(name)));
}

}  // namespace

// Two packets in one burst, with a control byte, a byte the user deletes and one he
// replaces: only the command learned under the same filters and cut runs.
TEST(Recognition, AFilteredBurstRunsTheCommandOfItsFilteredCodeOnly) {
    Session s;
    files::Settings settings;
    settings.loadMinimized = "yes";
    settings.startSymbol = "41";
    settings.delete1 = "FF";
    settings.changeFrom1 = "A0";
    settings.changeTo1 = "41";
    const QString remote = s.writeCommandFile(
        "remote.pci", "Filtered remote",
        {e2e::openCommand("Unfiltered", " 30 A0 42 FF 43 A0 42 43", touch(s, "unfiltered")),
         e2e::openCommand("Uncut", " 30 41 42 43 41 42 43", touch(s, "uncut")),
         e2e::openCommand("Play", "41 42 43", touch(s, "played"))});
    s.writeSettings(settings, remote);
    ASSERT_TRUE(s.start());

    s.press(QByteArray("\x30\x0D\xA0\x42\xFF\x43\xA0\x42\x43", 9));
    ASSERT_TRUE(rig::waitUntil([&] { return exists(s, "played"); }, 5s)) << s.programErrors();
    // The other two come first in slot order: had they matched, they would have run.
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(exists(s, "unfiltered"));
    EXPECT_FALSE(exists(s, "uncut"));
}

TEST(Recognition, EveryCommandOfACodeRunsInSlotOrderAndCombinationsSpaceTheirElements) {
    Session s;
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote =
        s.writeCommandFile("remote.pci", "Hall remote",
                           {e2e::openCommand("First", " 51", s.stamp("first")),
                            e2e::openCommand("Lamp", "", s.stamp("lamp")),
                            e2e::openCommand("Broken", " 51", "quenda-no-such-program 'x y'"),
                            e2e::openCommand("Second", " 51", s.stamp("second")),
                            e2e::combinationCommand("Chain", " 52", "1.Lamp 2.Fan 3.Lamp"),
                            e2e::openCommand("Fan", "", s.stamp("fan"))});
    s.writeSettings(settings, remote);
    ASSERT_TRUE(s.start());

    s.press("Q");
    ASSERT_TRUE(s.waitForStamps(2, 5s)) << s.programErrors();
    // A start that failed is told, naming the command line, and the others still run.
    EXPECT_NE(s.programErrors().find("Cannot start: quenda-no-such-program 'x y'"),
              std::string::npos)
        << s.programErrors();
    s.press("R");
    ASSERT_TRUE(s.waitForStamps(5, 5s)) << s.stampWords().join(' ').toStdString();
    std::this_thread::sleep_for(300ms);
    const std::vector<e2e::Stamp> stamps = s.stamps();
    ASSERT_EQ(s.stampWords().join(' ').toStdString(), "first second lamp fan lamp");
    EXPECT_LT(stamps[0].seconds, stamps[1].seconds);
    // Each element waits 100 ms before it runs.
    for (std::size_t i = 3; i < 5; ++i) {
        const double gap = stamps[i].seconds - stamps[i - 1].seconds;
        EXPECT_GE(gap, 0.090) << "element " << i - 1;
        EXPECT_LT(gap, 1.0) << "element " << i - 1;
    }
}

// The switch's own hint shows before the new file loads; the old file's second
// command with that code must not run, nor the new file's command of that code in
// the slot the matching had reached.
TEST(Recognition, ACommandFileSwitchEndsTheMatchingAndTheNewFileAnswers) {
    Session s;
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString second = s.writeCommandFile("second.pci", "Second remote",
                                              {e2e::openCommand("Fresh", " 54", s.stamp("fresh")),
                                               e2e::openCommand("Echo", " 53", s.stamp("echo"))});
    const QString first = s.writeCommandFile("first.pci", "First remote",
                                             {e2e::openCommand("Switch", " 53", second.toUtf8()),
                                              e2e::openCommand("Stale", " 53", s.stamp("stale"))});
    s.writeSettings(settings, first);
    ASSERT_TRUE(s.start());

    s.press("S");
    ASSERT_TRUE(s.waitForHint(5s)) << s.programErrors();
    s.press("T");
    ASSERT_TRUE(s.waitForStamp("fresh", 5s)) << s.programErrors();
    s.press("S");
    ASSERT_TRUE(s.waitForStamp("echo", 5s));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(s.stampWords().join(' ').toStdString(), "fresh echo");
}

// With the editor window shown a program is not started, but a pause still holds
// the pass (its hint comes that much later) and a switch still loads the other
// file, whose codes are then recognised.
TEST(Recognition, WithTheWindowShownOnlyPausesAndSwitchesAct) {
    Session s(rig::DesktopOptions{});
    files::Settings settings;
    settings.loadMinimized = "no";
    const QString other = s.writeCommandFile("other.pci", "Other remote",
                                             {e2e::openCommand("Ahoy", " 64", touch(s, "ahoy"))});
    const QString desk = s.writeCommandFile(
        "desk.pci", "Desk remote",
        {e2e::openCommand("Start", " 61", touch(s, "started")),
         e2e::pauseCommand("Wait", " 62", 1000), e2e::openCommand("Go", " 63", other.toUtf8())});
    s.writeSettings(settings, desk, {"Show time command: 1"});
    ASSERT_TRUE(s.start());

    const auto hintAfter = [&](const QByteArray& burst) -> double {
        EXPECT_TRUE(s.waitForHintGone(5s));
        const auto pressed = s.press(burst);
        const auto shown = s.waitForHint(5s);
        return shown ? e2e::msBetween(pressed, *shown) : -1;
    };
    const double start = hintAfter("a");
    ASSERT_GE(start, 0) << s.programErrors();
    const double wait = hintAfter("b");
    EXPECT_GE(wait, 1000);
    EXPECT_LT(start, 1000);
    // Not known before the switch: no hint.
    ASSERT_TRUE(s.waitForHintGone(5s));
    s.press("d");
    EXPECT_FALSE(s.waitForHint(700ms));
    EXPECT_GE(hintAfter("c"), 0);
    EXPECT_GE(hintAfter("d"), 0) << "the other file's command was not recognised";

    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(exists(s, "started"));
    EXPECT_FALSE(exists(s, "ahoy"));
    bool shown = false;
    for (const rig::XWindowInfo& w : s.x().topLevelsTitled(rig::Quenda::kTitle, true)) {
        shown = shown || w.id == s.mainWindow().id;
    }
    EXPECT_TRUE(shown) << "the main window was hidden meanwhile";
}
