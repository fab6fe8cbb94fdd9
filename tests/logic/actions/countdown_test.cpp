#include <gtest/gtest.h>

#include <QRegularExpression>

#include "action_rig.h"
#include "actions/computer_control.h"
#include "actions/timer_control.h"

namespace {

// A window that writes what is done to it into the shared call list.
struct RecordedWindow : WordDisplay {
    QStringList& calls;
    QString name;
    QString shownWord;
    RecordedWindow(QStringList& c, const QString& n, const QString& w)
        : calls(c), name(n), shownWord(w) {}
    void hideWindow() override { calls << name + " hide"; }
    void showWindow() override { calls << name + " show"; }
    void setText(const QString& text) override { calls << name + " \"" + text + '"'; }
    QString word() const override { return shownWord; }
};

struct RecordingWaiter : Waiter {
    void wait(int) override {}
};

struct CountdownWindow {
    IntervalTimer tick{1000};
    IntervalTimer notice{3000};
    RecordedWindow window;
    Countdown countdown;
    CountdownWindow(QStringList& calls, RecordingWaiter& waiter, const char* name, const char* word)
        : window(calls, name, word), countdown(window, tick, notice, waiter) {
        countdown.cancelWord = [] { return QStringLiteral("Отмена"); };
    }
};

// Both power countdowns with the platform fake; the timer window's closing and
// the hint are recorded as "closeTimerAndHint".
struct PowerRig {
    FakePlatform platform;
    QStringList& calls = platform.calls;
    CollectingReporter errors;
    AppState state;
    RecordingWaiter waiter;
    CountdownWindow shutdown{calls, waiter, "S", "Выключить"};
    CountdownWindow reboot{calls, waiter, "R", "Перезагрузить"};
    ComputerControl control{state, platform, errors, shutdown.countdown, reboot.countdown};

    explicit PowerRig(const char* pauseReboot = "3") {
        state.settings.pauseReboot = pauseReboot;
        control.closeTimerAndHint = [this] { calls << "closeTimerAndHint"; };
    }
    void press(const char* action) {
        Command command;
        command.typeAction = "PC control";
        command.runAction = action;
        control.run(command);
    }
    // One tick of a running countdown, as its timer would give it.
    void tick(CountdownWindow& w) {
        ASSERT_TRUE(w.tick.enabled());
        w.countdown.Timer1Timer();
    }
};

TEST(PowerCountdown, ShowsEachSecondFromTheFirstTickThenActs) {
    PowerRig rig("3");
    rig.press("Shutdown");
    EXPECT_EQ(rig.calls, (QStringList{"R hide", "closeTimerAndHint"})) << "nothing shows at once";
    rig.calls.clear();
    for (int i = 0; i < 3; ++i) {
        rig.tick(rig.shutdown);
    }
    EXPECT_EQ(rig.calls, (QStringList{"S hide", "S \"Выключить 3\"", "S show", "S hide",
                                      "S \"Выключить 2\"", "S show", "S hide", "S \"Выключить 1\"",
                                      "S show", "S \"Выключить\"", "powerOff"}));
    EXPECT_FALSE(rig.shutdown.tick.enabled());

    PowerRig restart("1");
    restart.press("Reboot");
    restart.tick(restart.reboot);
    EXPECT_EQ(restart.calls.last(), "reboot");
    EXPECT_TRUE(restart.errors.messages.isEmpty());
}

TEST(PowerCountdown, TheSameCommandWhileShownCancelsWithANotice) {
    PowerRig rig("10");
    rig.press("Shutdown");
    rig.tick(rig.shutdown);
    rig.calls.clear();
    rig.press("Shutdown");
    EXPECT_EQ(rig.calls.mid(0, 3), (QStringList{"S hide", "S \"Отмена\"", "S show"}));
    EXPECT_FALSE(rig.shutdown.tick.enabled());
    EXPECT_TRUE(rig.shutdown.notice.enabled());
    rig.calls.clear();
    rig.shutdown.countdown.Timer2Timer();
    EXPECT_EQ(rig.calls, (QStringList{"S \"Выключить\"", "S hide"}));
    EXPECT_FALSE(rig.shutdown.notice.enabled());
    // Hidden by the notice: the next press starts again from the full pause.
    rig.press("Shutdown");
    rig.tick(rig.shutdown);
    EXPECT_TRUE(rig.calls.contains("S \"Выключить 10\""));
    EXPECT_FALSE(rig.calls.contains("powerOff"));
}

TEST(PowerCountdown, TheOtherCommandStopsItAndAHintOnlyHidesIt) {
    PowerRig rig("5");
    rig.press("Shutdown");
    rig.tick(rig.shutdown);
    rig.press("Reboot");
    EXPECT_FALSE(rig.shutdown.tick.enabled());
    EXPECT_FALSE(rig.shutdown.countdown.active());
    EXPECT_TRUE(rig.reboot.tick.enabled());
    EXPECT_EQ(rig.reboot.countdown.seconds(), 5);

    // A hint closes the window, the count goes on; a press while it is hidden is
    // a new countdown, not a cancel.
    rig.tick(rig.reboot);
    rig.reboot.countdown.close();
    rig.tick(rig.reboot);
    EXPECT_TRUE(rig.reboot.countdown.active());
    EXPECT_EQ(rig.reboot.countdown.seconds(), 3);
    rig.reboot.countdown.close();
    rig.press("Reboot");
    EXPECT_TRUE(rig.reboot.tick.enabled());
    EXPECT_EQ(rig.reboot.countdown.seconds(), 5);
}

TEST(PowerCountdown, PausesBelowOneCountOneAndNonNumbersAreRefused) {
    for (const char* pause : {"0", "-4"}) {
        PowerRig rig(pause);
        rig.press("Shutdown");
        rig.tick(rig.shutdown);
        EXPECT_TRUE(rig.calls.contains("S \"Выключить 1\"")) << pause;
        EXPECT_EQ(rig.calls.last(), "powerOff") << pause;
    }
    PowerRig rig("ten");
    rig.press("Shutdown");
    EXPECT_FALSE(rig.shutdown.tick.enabled());
    EXPECT_EQ(rig.errors.messages, QStringList{"'ten' is not a valid integer value"});
}

TEST(PowerCountdown, ARefusalIsReportedWithTheSystemsReasonAndTheWindowHides) {
    PowerRig rig("1");
    rig.platform.powerRefusal = "Interactive authentication required.";
    rig.press("Shutdown");
    rig.tick(rig.shutdown);
    EXPECT_EQ(rig.calls.mid(rig.calls.size() - 2), (QStringList{"powerOff", "S hide"}));
    EXPECT_EQ(rig.errors.messages,
              QStringList{"The computer could not be shut down: Interactive authentication "
                          "required."});
}

// The timer window's logic with its three timers, driven by hand instead of waiting.
struct TimerRig {
    QStringList calls;
    CollectingReporter errors;
    AppState state;
    RecordingWaiter waiter;
    RecordedWindow window{calls, "T", "Таймер"};
    IntervalTimer closeDelay{5000}, minuteTick{60000}, expiry{60000};
    TimerControl timer{state, errors, window, {closeDelay, minuteTick, expiry}, waiter};

    TimerRig(const char* step, const char* ambit) {
        state.settings.timerStep = step;
        state.settings.timerAmbit = ambit;
        timer.stopCountdowns = [this] { calls << "stopCountdowns"; };
    }
    // Presses and returns the text each press showed.
    QStringList press(int times) {
        QStringList shown;
        for (int i = 0; i < times; ++i) {
            calls.clear();
            Command command;
            command.runAction = "Timer";
            command.file = "/home/me/tv.pci";
            command.windowHandle = "Off";
            timer.run(command);
            shown << calls.filter(QRegularExpression("^T \"")).join(QString());
        }
        return shown;
    }
};

TEST(TimerAction, PressesWithinTheDelayStepUpAndClosingArmsTheExpiry) {
    TimerRig rig("10", "120");
    EXPECT_EQ(rig.press(3), (QStringList{"T \"Таймер 0\"", "T \"Таймер 10\"", "T \"Таймер 20\""}));
    EXPECT_EQ(rig.calls.mid(0, 3), (QStringList{"stopCountdowns", "T hide", "T show"}));
    EXPECT_EQ(rig.state.timerCommandFile, "/home/me/tv.pci");
    EXPECT_EQ(rig.state.timerCommandName, "Off");
    EXPECT_TRUE(rig.closeDelay.enabled());
    EXPECT_FALSE(rig.expiry.enabled());
    rig.timer.Timer2Timer();
    EXPECT_FALSE(rig.closeDelay.enabled());
    EXPECT_TRUE(rig.expiry.enabled());
    EXPECT_EQ(rig.expiry.interval(), 20 * 60000);
    EXPECT_TRUE(rig.minuteTick.enabled());

    TimerRig once("10", "120");
    once.press(1);
    once.timer.Timer2Timer();
    EXPECT_FALSE(once.expiry.enabled()) << "0 minutes leave the timer off";
}

TEST(TimerAction, APressShowsTheMinutesLeftAndReArmsWithThem) {
    TimerRig rig("10", "120");
    rig.press(4);
    rig.timer.Timer2Timer();  // 30 minutes
    for (int i = 0; i < 12; ++i) {
        rig.timer.Timer1Timer();
    }
    EXPECT_EQ(rig.timer.minutesLeft(), 18);
    EXPECT_EQ(rig.press(2), (QStringList{"T \"Таймер 18\"", "T \"Таймер 28\""}));
    rig.timer.close();  // a "Shutdown" or another command's hint closes it
    EXPECT_EQ(rig.expiry.interval(), 28 * 60000);

    // The minute tick stops at 0; the expiry resets the minutes shown.
    for (int i = 0; i < 40; ++i) {
        rig.timer.Timer1Timer();
    }
    EXPECT_EQ(rig.timer.minutesLeft(), 0);
    EXPECT_EQ(rig.state.timerMinutesLeft, 0);
    rig.timer.reset();
    EXPECT_FALSE(rig.minuteTick.enabled());
}

TEST(TimerAction, PastTheAmbitItWrapsToZeroAndBadSettingsAreReported) {
    TimerRig rig("10", "120");
    rig.state.timerMinutesLeft = 130;
    EXPECT_EQ(rig.press(1), QStringList{"T \"Таймер 0\""});
    rig.timer.close();
    EXPECT_FALSE(rig.expiry.enabled());

    TimerRig bad("ten", "120");
    bad.press(1);
    EXPECT_EQ(bad.errors.messages, QStringList{"'ten' is not a valid integer value"});
    EXPECT_EQ(bad.state.timerMinutesLeft, 0);
}

}  // namespace
