// Window commands from the remote on the windows of another program, under a window
// manager, with the program living in the tray.
#include <gtest/gtest.h>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

TEST(WindowActions, CloseMinimizeAndActivateReachTheWindowsTheyName) {
    Session s({.trayHost = true, .windowManager = true});
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote =
        s.writeCommandFile("remote.pci", "Window remote",
                           {e2e::windowCommand("Shut", " 71", "Close", "Target one"),
                            e2e::windowCommand("Fold", " 72", "Minimize", "Notes"),
                            e2e::windowCommand("Wipe", " 73", "Close", "Draft"),
                            e2e::windowCommand("Front", " 74", "Active", "Other window")});
    s.writeSettings(settings, remote);
    // The first window is mapped first, so it starts at the bottom of the stack.
    s.startWitness({"Other window", "Target one", "Notes - alpha", "Notes - beta", "Draft 1 - Memo",
                    "Draft 2 - Memo"});
    ASSERT_TRUE(s.start());

    // An exact caption: one close request, and no partial search after it since the
    // window (which decides for itself) is still there.
    s.press("q");
    ASSERT_TRUE(s.waitForWitness("close Target one", 5s)) << s.programErrors();
    // Part of two captions: both windows are iconified, each is asked to close once.
    s.press("r");
    ASSERT_TRUE(s.waitForWitness("state Notes - beta iconic", 5s));
    EXPECT_TRUE(s.waitForWitness("state Notes - alpha iconic", 1s));
    s.press("s");
    ASSERT_TRUE(s.waitForWitness("close Draft 2 - Memo", 5s));
    EXPECT_TRUE(s.waitForWitness("close Draft 1 - Memo", 1s));
    // The bottom window comes to the top and gets the focus.
    s.press("t");
    ASSERT_TRUE(s.waitForWitness("focus Other window", 5s));
    std::vector<rig::XWindowInfo> stack;
    const bool onTop = rig::waitUntil(
        [&] {
            stack = s.x().topLevels();
            for (auto w = stack.rbegin(); w != stack.rend(); ++w) {
                if (w->instance == QLatin1String("quenda_witness") && w->viewable) {
                    return w->title == QLatin1String("Other window");
                }
            }
            return false;
        },
        3s);
    EXPECT_TRUE(onTop);

    std::this_thread::sleep_for(300ms);
    const QStringList log = s.witnessLog();
    for (const char* title : {"Target one", "Draft 1 - Memo", "Draft 2 - Memo"}) {
        EXPECT_EQ(log.count(QStringLiteral("close ") + QLatin1String(title)), 1) << title;
    }
    EXPECT_EQ(log.filter(QStringLiteral("close ")).size(), 3) << log.join('\n').toStdString();
    EXPECT_EQ(log.filter(QStringLiteral(" iconic")).size(), 2) << log.join('\n').toStdString();
}

// A window that honours the close request at once is gone before anyone looks
// again: that must not send the close on to every caption containing its own.
TEST(WindowActions, CloseByAnExactCaptionClosesThatWindowAlone) {
    Session s({.trayHost = true, .windowManager = true});
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote = s.writeCommandFile(
        "remote.pci", "Window remote", {e2e::windowCommand("Shut", " 71", "Close", "Notes")});
    s.writeSettings(settings, remote);
    s.startWitness({"Notes - draft 2", "Old Notes", "Notes"}, {"--exit-on-close"});
    ASSERT_TRUE(s.start());
    s.press("q");
    ASSERT_TRUE(s.waitForWitness("close Notes", 5s)) << s.programErrors();
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(s.witnessLog().filter(QStringLiteral("close ")), QStringList{"close Notes"});
}
