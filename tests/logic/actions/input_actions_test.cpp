#include <gtest/gtest.h>

#include <QTest>

#include "action_rig.h"
#include "actions/key_control.h"
#include "actions/mouse_control.h"

namespace {

// The key and mouse commands on the recording desktop; waits land in the same list.
struct InputRig : Waiter {
    FakePlatform platform;
    QStringList& calls = platform.calls;
    CollectingReporter errors;
    SettingsRecord settings;
    IntervalTimer TimerMouseMove{1};
    PointerClicks clicks{platform, *this};
    KeyControl keys{platform, clicks};
    QString selected;  // runAction of the selected command
    MouseControl mouse{
        {platform, settings, TimerMouseMove, clicks, errors, [this] { return selected; }}};
    Command command;

    InputRig() {
        settings.stepMouse = "15";
        mouse.configuredStep = [] { return QStringLiteral("15"); };
        platform.cursor = QPoint(100, 100);
    }
    void wait(int ms) override { calls << QStringLiteral("wait %1").arg(ms); }
    QStringList key(const QString& keyAdd, const QString& keyAdd1, const QString& key) {
        calls.clear();
        command.keyAdd = keyAdd;
        command.keyAdd1 = keyAdd1;
        command.key = key;
        keys.run(command);
        return calls;
    }
    // Receives a mouse command, which then stays selected.
    void receive(const QString& runAction) {
        command.runAction = selected = runAction;
        mouse.run(command);
    }
};

TEST(KeyControl, PressesModifiersAndKeyAndReleasesThemInReverse) {
    struct Case {
        const char *keyAdd, *keyAdd1, *key;
        QStringList events;
    };
    const QList<Case> cases = {
        {"Ctrl+",
         "Alt+",
         "Delete",
         {"keyDown 162", "keyDown 164", "keyDown 46", "keyUp 46", "keyUp 164", "keyUp 162"}},
        {"Alt+", "", "F4", {"keyDown 164", "keyDown 115", "keyUp 115", "keyUp 164"}},
        {"", "Shift+", "F12", {"keyDown 160", "keyDown 123", "keyUp 123", "keyUp 160"}},
        {"Shift+",
         "Shift+",
         "Tab",
         {"keyDown 160", "keyDown 160", "keyDown 9", "keyUp 9", "keyUp 160", "keyUp 160"}},
        {"", "", "7", {"keyDown 55", "keyUp 55"}},
        {"", "", "a", {"keyDown 97", "keyUp 97"}},      // one character: its code, unchanged
        {"", "", " +", {"keyDown 107", "keyUp 107"}},   // keypad plus
        {"", "", "+", {"keyDown 43", "keyUp 43"}},      // one character
        {"", "", " \\", {"keyDown 108", "keyUp 108"}},  // accepted though not in the list
        {"", "", "Right Windows", {"keyDown 92", "keyUp 92"}},
        {"", "", "Page Down", {"keyDown 34", "keyUp 34"}},
        {"", "", "Ж", {"keyDown 198", "keyUp 198"}},  // its code-page byte
        {"Shift+", "", "", {"keyDown 160", "keyUp 160"}},
        {"Ctrl+", "", "delete", {"keyDown 162", "keyUp 162"}},  // names are case-sensitive
        {"ctrl+", "Alt", "Enter", {"keyDown 13", "keyUp 13"}},  // so are modifiers
        {"", "", "€", {"keyDown 136", "keyUp 136"}},
        {"", "", "ü", {}},  // no byte in the code page: no key
        {"Alt+", "", "Left mouse", {"keyDown 164", "mouseDown left", "mouseUp left", "keyUp 164"}},
        {"",
         "",
         "Left mouse double click",
         {"mouseDown left", "mouseUp left", "wait 50", "mouseDown left", "mouseUp left"}},
        {"Ctrl+",
         "Shift+",
         "Middle mouse",
         {"keyDown 162", "keyDown 160", "mouseDown middle", "mouseUp middle", "keyUp 160",
          "keyUp 162"}},
        {"", "", "Right mouse", {"mouseDown right", "mouseUp right"}},
    };
    InputRig rig;
    for (const Case& c : cases) {
        EXPECT_EQ(rig.key(c.keyAdd, c.keyAdd1, c.key), c.events)
            << "'" << c.keyAdd << "' '" << c.keyAdd1 << "' '" << c.key << "'";
    }
}

TEST(MouseControl, ClicksAndPositionsHappenAtOnce) {
    struct Case {
        const char* runAction;
        QStringList events;
    };
    const QList<Case> cases = {
        {"Left button click", {"mouseDown left", "mouseUp left"}},
        {"Left button twice click",
         {"mouseDown left", "mouseUp left", "wait 50", "mouseDown left", "mouseUp left"}},
        {"Right button click", {"mouseDown right", "mouseUp right"}},
        {"Right button twice click",
         {"mouseDown right", "mouseUp right", "mouseDown right", "mouseUp right"}},
        {"Mouse on position:", {"setCursorPos 10 20"}},
        {"Mouse on position for windows:", {"setCursorPos 110 70"}},
        {"left button click", {}},
    };
    for (const Case& c : cases) {
        InputRig rig;
        rig.platform.windows.insert("Editor", 7);
        rig.platform.rects.insert(7, QRect(100, 50, 300, 200));
        rig.command.windowHandle = "Editor";
        rig.command.mousePosX = "10";
        rig.command.mousePosY = " 20";
        rig.receive(c.runAction);
        EXPECT_EQ(rig.calls, c.events) << c.runAction;
        EXPECT_FALSE(rig.mouse.moving()) << c.runAction;
        EXPECT_TRUE(rig.errors.messages.isEmpty()) << c.runAction;
    }
}

TEST(MouseControl, PositionsThatAreNoNumbersOrNoWindowMoveNothing) {
    struct Case {
        const char *runAction, *x, *y, *caption;
        QStringList errors;
    };
    const QList<Case> cases = {
        {"Mouse on position:", "1O", "x", "", {"'1O' is not a valid integer value"}},
        {"Mouse on position:", "10", "", "", {"'' is not a valid integer value"}},
        {"Mouse on position for windows:",
         "10",
         "2.5",
         "Editor",
         {"'2.5' is not a valid integer value"}},
        {"Mouse on position for windows:", "10", "20", "Edito", {}},
        {"Mouse on position for windows:", "x", "20", "Nothing", {}},
    };
    for (const Case& c : cases) {
        InputRig rig;
        rig.platform.windows.insert("Editor", 7);
        rig.command.windowHandle = c.caption;
        rig.command.mousePosX = c.x;
        rig.command.mousePosY = c.y;
        rig.receive(c.runAction);
        EXPECT_TRUE(rig.calls.isEmpty()) << c.runAction << " " << c.x << " " << c.y;
        EXPECT_EQ(rig.errors.messages, c.errors) << c.runAction << " " << c.x << " " << c.y;
    }
}

// Each movement value in step mode: one tick moves once by the step and ends with a
// left release, stopping the timer.
TEST(MouseControl, StepModeMovesOnceByTheStep) {
    struct Case {
        const char* runAction;
        QStringList events;
    };
    const QList<Case> cases = {
        {"Up", {"setCursorPos 100 85"}},
        {"Down", {"setCursorPos 100 115"}},
        {"Left", {"setCursorPos 85 100"}},
        {"Right", {"setCursorPos 115 100"}},
        {"Left top", {"setCursorPos 85 85"}},
        {"Left down", {"setCursorPos 85 115"}},
        {"Right top", {"setCursorPos 115 85"}},
        {"Right down", {"setCursorPos 115 115"}},
        {"Left button click & left", {"mouseDown left", "setCursorPos 85 100"}},
        {"Left button click & right", {"mouseDown left", "setCursorPos 115 100"}},
        {"Left button click & top", {"mouseDown left", "setCursorPos 100 85"}},
        {"Left button click & bottom", {"mouseDown left", "setCursorPos 100 115"}},
    };
    for (const Case& c : cases) {
        InputRig rig;
        rig.receive(c.runAction);
        EXPECT_TRUE(rig.mouse.moving());
        EXPECT_TRUE(rig.calls.isEmpty()) << "the timer moves, not the command";
        rig.mouse.TimerMouseMoveTimer();
        EXPECT_EQ(rig.calls, c.events + QStringList{"mouseUp left"}) << c.runAction;
        EXPECT_FALSE(rig.mouse.moving()) << c.runAction;
        EXPECT_EQ(rig.clicks.cursorPoint, QPoint(100, 100)) << "the position read before the move";
    }
}

TEST(MouseControl, ContinuousModeMovesUntilAMovementOrDragComesAgain) {
    InputRig rig;
    rig.settings.stepMouse = "1";
    rig.receive("Right");
    for (int i = 0; i < 3; ++i) {
        rig.mouse.TimerMouseMoveTimer();
    }
    EXPECT_EQ(rig.calls, QStringList({"setCursorPos 101 100", "setCursorPos 102 100",
                                      "setCursorPos 103 100"}));
    rig.receive("Up");  // any direction stops it
    EXPECT_FALSE(rig.mouse.moving());
    rig.receive("Left button click & bottom");  // a drag stops with the release, once
    rig.mouse.TimerMouseMoveTimer();
    rig.mouse.TimerMouseMoveTimer();
    rig.calls.clear();
    rig.receive("Left button click & top");
    EXPECT_FALSE(rig.mouse.moving());
    EXPECT_EQ(rig.calls, QStringList{"mouseUp left"});
    rig.calls.clear();
    rig.mouse.stop();  // nothing held any more
    EXPECT_TRUE(rig.calls.isEmpty());
}

// The tick reads the selected command afresh: another command selected meanwhile
// moves nothing; the held button of a drag is let go by whatever stops it.
TEST(MouseControl, NoStopLeavesTheLeftButtonHeld) {
    struct Case {
        const char* name;
        std::function<void(InputRig&)> stop;
    };
    const QList<Case> cases = {
        {"a movement command", [](InputRig& r) { r.receive("Down"); }},
        {"the end of the program or the port", [](InputRig& r) { r.mouse.stop(); }},
        {"a step that is no number",
         [](InputRig& r) {
             r.settings.stepMouse = "big";
             r.mouse.TimerMouseMoveTimer();
             r.mouse.TimerMouseMoveTimer();  // stopped: not reported again
         }},
    };
    for (const Case& c : cases) {
        InputRig rig;
        rig.settings.stepMouse = "1";
        rig.receive("Left button click & right");
        rig.mouse.TimerMouseMoveTimer();
        rig.selected = "Mouse on position:";  // another command selected meanwhile
        rig.mouse.TimerMouseMoveTimer();
        EXPECT_EQ(rig.calls, QStringList({"mouseDown left", "setCursorPos 101 100"})) << c.name;
        rig.calls.clear();
        c.stop(rig);
        EXPECT_FALSE(rig.mouse.moving()) << c.name;
        EXPECT_EQ(rig.calls, QStringList{"mouseUp left"}) << c.name;
    }
    InputRig rig;
    rig.settings.stepMouse = "big";
    rig.receive("Right");
    rig.mouse.TimerMouseMoveTimer();
    EXPECT_FALSE(rig.mouse.moving());
    EXPECT_EQ(rig.errors.messages, QStringList{"'big' is not a valid integer value"});
    EXPECT_TRUE(rig.calls.isEmpty());
}

TEST(MouseControl, ToggleSwitchesBetweenContinuousAndTheConfiguredStep) {
    InputRig rig;
    rig.receive("Move: continuously/on step");
    EXPECT_EQ(rig.settings.stepMouse, "1");
    rig.mouse.configuredStep = [] { return QStringLiteral("7"); };
    rig.receive("Move: continuously/on step");
    EXPECT_EQ(rig.settings.stepMouse, "7");
    EXPECT_TRUE(rig.calls.isEmpty());
    EXPECT_FALSE(rig.mouse.moving());
}

TEST(MouseControl, TheMovementTimerTicksWhileEnabled) {
    InputRig rig;
    rig.settings.stepMouse = "1";
    rig.receive("Down");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.platform.cursor.y() >= 103; }, 2000));
    rig.receive("Down");
    const QPoint stopped = rig.platform.cursor;
    QTest::qWait(20);
    EXPECT_EQ(rig.platform.cursor, stopped);
}

}  // namespace
