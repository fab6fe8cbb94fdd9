#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "action_rig.h"
#include "core/command_file.h"

namespace {

TEST(ExecutorFrame, EachKindRunsOnlyUnderItsTrayCondition) {
    struct Case {
        const char* type;
        const char* action;
        QStringList inTray, windowShown;
    };
    const QList<Case> cases = {
        {"Run command", "Pause:", {"wait 250"}, {"wait 250"}},
        {"Run command", "Open", {"startCommand gedit a.txt"}, {}},
        {"Run command", "Close", {"closeWindow 7"}, {}},
        {"Run command", "Minimize", {"minimizeWindow 7"}, {}},
        {"Run command", "Maximize", {"maximizeWindow 7"}, {}},
        {"Run command", "Active", {"raiseWindow 7"}, {}},
        {"Run command", "Timer", {"timer Timer"}, {"timer Timer"}},
        {"PC control", "Reboot", {"computer Reboot"}, {}},
        {"Volume control", "Right channel down", {"volume Right channel down"}, {}},
        {"Volume control", "Louder", {}, {}},
        {"Mouse control", "", {"mouse "}, {}},
        {"Key control", "", {"key "}, {}},
        {"Combination command", "", {}, {}},  // the recognition pass runs its elements
        {"Run command", "open", {}, {}},      // exact, case-sensitive
    };
    for (const Case& c : cases) {
        for (const bool tray : {true, false}) {
            ActionRig rig(c.type, c.action);
            rig.command().pause = "250";
            rig.command().windowHandle = "Editor";
            rig.file = "gedit a.txt";
            rig.platform.add("Editor", 7);
            rig.state.inTray = tray ? "yes" : "no";
            EXPECT_EQ(rig.executor.execute(), Executor::Outcome::Done);
            EXPECT_EQ(rig.calls, tray ? c.inTray : c.windowShown)
                << c.type << " / " << c.action << (tray ? " in the tray" : " window shown");
        }
    }
    ActionRig header("Run command", "Pause:");
    header.slot = 0;
    header.executor.execute();
    EXPECT_TRUE(header.calls.isEmpty());
}

TEST(ExecutorPause, ANonNumberIsReportedOnceAndNothingWaits) {
    ActionRig rig("Run command", "Pause:");
    rig.command().pause = "0,5";
    EXPECT_EQ(rig.executor.execute(), Executor::Outcome::Failed);
    EXPECT_EQ(rig.errors.messages, QStringList{"'0,5' is not a valid integer value"});
    rig.command().pause = "-1";  // would be an endless sleep
    EXPECT_EQ(rig.executor.execute(), Executor::Outcome::Done);
    EXPECT_TRUE(rig.calls.isEmpty());
}

TEST(ExecutorOpen, AStartThatFailedIsReportedNamingTheCommandLineAndThePassGoesOn) {
    ActionRig rig("Run command", "Open");
    rig.file = "gedit 'notes";
    rig.platform.startRefusal = "Text ended before matching quote was found for '.";
    EXPECT_EQ(rig.executor.execute(), Executor::Outcome::Done);
    EXPECT_EQ(rig.calls, QStringList{"startCommand gedit 'notes"});
    EXPECT_EQ(rig.errors.messages,
              QStringList{"Cannot start: gedit 'notes\n"
                          "Text ended before matching quote was found for '."});

    rig.platform.startRefusal.clear();  // started: nothing to say
    rig.errors.messages.clear();
    rig.executor.execute();
    EXPECT_TRUE(rig.errors.messages.isEmpty());
}

class CommandFileSwitch : public ::testing::Test {
  protected:
    void SetUp() override {
        CommandTable radio;
        radio.setHeader("Radio remote");
        rig.file = dir.filePath("radio.pci");
        ASSERT_TRUE(CommandFile::saveToFile(rig.file, radio).ok);
        rig.state.commandFilePath = "/home/u/tv.pci";
    }
    QTemporaryDir dir;
    ActionRig rig{"Run command", "Open"};
};

TEST_F(CommandFileSwitch, InTheTrayGivesItsOwnFeedbackThenLoadsWithoutStartingTheFile) {
    EXPECT_EQ(rig.executor.execute(), Executor::Outcome::Done);
    const QStringList expected = {
        "icon active", "playSound click.wav",   "hideHint",
        "wait 50",     "showHint  Play|0|3000", "commandFileLoaded Radio remote"};
    EXPECT_EQ(rig.calls, expected);
    EXPECT_EQ(rig.state.commandFilePath, rig.file);
    EXPECT_EQ(rig.state.tableSwitched, "Y");

    // With the window shown it still switches, without starting anything.
    ActionRig shown("Run command", "Open");
    shown.file = rig.file;
    shown.state.inTray = "no";
    shown.state.settings.showCommand = "no";
    shown.executor.execute();
    EXPECT_EQ(shown.calls, (QStringList{"icon active", "playSound click.wav",
                                        "commandFileLoaded Radio remote"}));
}

TEST_F(CommandFileSwitch, AFileThatCannotBeLoadedIsReportedOnceAndChangesNothing) {
    rig.file = dir.filePath("gone.pci");
    EXPECT_EQ(rig.executor.execute(), Executor::Outcome::Failed);
    EXPECT_EQ(rig.errors.messages.size(), 1);
    EXPECT_EQ(rig.state.table.caption(0), "TV remote");
    EXPECT_EQ(rig.state.commandFilePath, "/home/u/tv.pci");  // Save keeps its file
    EXPECT_EQ(rig.state.tableSwitched, "N");
    EXPECT_FALSE(rig.calls.join(',').contains("commandFileLoaded"));
}

TEST(ExecutorWindows, AnExactCaptionActsOnThatWindowAloneEvenWhenItWentAtOnce) {
    for (const bool closesAtOnce : {false, true}) {
        ActionRig rig("Run command", "Close");
        rig.command().windowHandle = "Editor";
        rig.platform.add("Editor", 7);
        rig.platform.add("Editor - draft", 8);
        rig.platform.add("Old Editor", 9);
        rig.platform.closesAtOnce = closesAtOnce;
        rig.executor.execute();
        EXPECT_EQ(rig.calls, QStringList{"closeWindow 7"}) << "closes at once: " << closesAtOnce;
    }
}

TEST(ExecutorWindows, ACommandWithoutAWindowActsOnNoWindow) {
    for (const char* action : {"Close", "Minimize", "Maximize", "Active"}) {
        ActionRig rig("Run command", action);
        rig.command().windowHandle.clear();
        rig.platform.add("Editor", 7);
        rig.platform.add("Terminal", 8);
        rig.platform.closesAtOnce = true;
        EXPECT_EQ(rig.executor.execute(), Executor::Outcome::Done);
        EXPECT_EQ(rig.calls, QStringList()) << action;
    }
}

TEST(ExecutorWindows, APartCaptionActsOnEachMatchingWindowOncePerPress) {
    ActionRig rig("Run command", "Minimize");
    rig.command().windowHandle = "Notepad";
    rig.platform.add("Untitled - Notepad", 3);
    rig.platform.add("Terminal", 5);
    rig.platform.add("notes.txt - Notepad", 6);
    rig.platform.add("", 9);
    rig.platform.captions << "Terminal";  // two terminals, one caption
    for (int press = 0; press < 3; ++press) {
        rig.calls.clear();
        rig.executor.execute();
        EXPECT_EQ(rig.calls,
                  (QStringList{"refillCaptions", "minimizeWindow 3", "minimizeWindow 6"}));
    }
    // The memo holds the latest refill, each caption once; the list shows every window.
    EXPECT_EQ(rig.memo.lines(),
              (QStringList{"Untitled - Notepad", "Terminal", "notes.txt - Notepad"}));
    EXPECT_EQ(rig.memo.refill(rig.platform).count("Terminal"), 2);

    rig.command().windowHandle = "notepad";
    rig.calls.clear();
    rig.executor.execute();
    EXPECT_EQ(rig.calls, QStringList{"refillCaptions"});
}

}  // namespace
