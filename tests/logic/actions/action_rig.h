#pragma once

#include <ostream>

#include "actions/executor.h"
#include "platform/fake/fake_platform.h"
#include "support/print_qt.h"

// A desktop whose windows vanish as they close (when asked to) and whose caption
// list is the windows it holds, in the order added.
struct Desktop : FakePlatform {
    bool closesAtOnce = false;
    void add(const QString& caption, WindowId id) {
        windows.insert(caption, id);
        captions << caption;
    }
    void closeWindow(WindowId window) override {
        FakePlatform::closeWindow(window);
        if (closesAtOnce) {
            captions.removeAll(windows.key(window));
            windows.remove(windows.key(window));
        }
    }
};

// The executor and the feedback with fakes around them; everything they ask for
// lands, in order, in the one call list of the fake desktop.
struct ActionRig : ExecutorHost, Waiter, HintDisplay {
    template <class Action>
    struct Recorded : Action {
        QStringList& calls;
        const char* kind;
        Recorded(QStringList& c, const char* k) : calls(c), kind(k) {}
        void run(const Command& c) override { calls << QString(kind) + ' ' + c.runAction; }
    };

    AppState state;
    Desktop platform;
    QStringList& calls = platform.calls;
    CollectingReporter errors;
    CaptionMemo memo;
    int slot = 1;
    QString file;
    IntervalTimer timerIcon{100};
    IconFlash flash{timerIcon, [this](const QString& path) {
                        calls << (path == IconFlash::kActiveIcon ? "icon active" : "icon normal");
                    }};
    CommandFeedback feedback{state, platform, flash, *this, *this};
    Executor executor{state, platform, errors, memo, feedback, *this, *this};

    int selectedSlot() const override { return slot; }
    QString statusText() const override { return QStringLiteral(" Play"); }
    QString shownFile() const override { return file; }
    QString shownSound() const override { return QStringLiteral("click.wav"); }
    void refillCaptions() override {
        calls << "refillCaptions";
        memo.refill(platform);
    }
    void commandFileLoaded() override { calls << "commandFileLoaded " + state.table.caption(0); }
    void wait(int ms) override { calls << QStringLiteral("wait %1").arg(ms); }
    void hideHint() override { calls << "hideHint"; }
    void showHint(const QString& text, int extraHeight, int closeMs) override {
        calls << QStringLiteral("showHint %1|%2|%3").arg(text).arg(extraHeight).arg(closeMs);
    }

    // Slot 1 holds the command; the program lives in the tray with sound and hint on.
    ActionRig(const QString& typeAction, const QString& runAction) {
        state.inTray = "yes";
        state.settings.playSounds = "yes";
        state.settings.showCommand = "yes";
        state.settings.showTimeCommand = "3";
        state.table.setHeader("TV remote");
        state.table.addCommand("Play");
        state.table.slot(1).typeAction = typeAction;
        state.table.slot(1).runAction = runAction;
        feedback.closeCountdowns = [this] { calls << "closeCountdowns"; };
        executor.actions.computer = std::make_unique<Recorded<ComputerAction>>(calls, "computer");
        executor.actions.volume = std::make_unique<Recorded<VolumeAction>>(calls, "volume");
        executor.actions.mouse = std::make_unique<Recorded<MouseAction>>(calls, "mouse");
        executor.actions.key = std::make_unique<Recorded<KeyAction>>(calls, "key");
        executor.actions.timer = std::make_unique<Recorded<TimerAction>>(calls, "timer");
    }
    Command& command() { return state.table.slot(1); }
};
