#pragma once

#include <QString>
#include <memory>

#include "actions/caption_memo.h"
#include "actions/command_feedback.h"
#include "actions/computer_action.h"
#include "actions/key_action.h"
#include "actions/mouse_action.h"
#include "actions/timer_action.h"
#include "actions/volume_action.h"
#include "actions/waiter.h"
#include "core/app_state.h"
#include "core/error_reporter.h"
#include "platform/platform.h"

// What the executor needs from the main window.
class ExecutorHost {
  public:
    virtual ~ExecutorHost() = default;
    // Absolute index of the selected tree node (0 is the header), -1 for none.
    virtual int selectedSlot() const = 0;
    // The status bar's text: a blank and the selected node's caption.
    virtual QString statusText() const = 0;
    // The property panel's program field (Edit2) and sound field (Edit7), which
    // ShowProperties filled from the selected slot just before.
    virtual QString shownFile() const = 0;
    virtual QString shownSound() const = 0;
    // Refills the window list and with it the caption memo (ComboBox5DropDown).
    virtual void refillCaptions() = 0;
    // The command-file switch has replaced the table: rebuild the tree from it.
    virtual void commandFileLoaded() = 0;
};

// The actions of the other kinds, one object each; replaceable (tests record).
struct ActionKinds {
    std::unique_ptr<ComputerAction> computer = std::make_unique<ComputerAction>();
    std::unique_ptr<VolumeAction> volume = std::make_unique<VolumeAction>();
    std::unique_ptr<MouseAction> mouse = std::make_unique<MouseAction>();
    std::unique_ptr<KeyAction> key = std::make_unique<KeyAction>();
    std::unique_ptr<TimerAction> timer = std::make_unique<TimerAction>();
};

// Carries out the action of the selected command. While the main window is shown
// (inTray other than "yes") only a pause, the switch to another command file and
// the timer run; everything else waits until the program lives in the tray.
class Executor {
  public:
    enum class Outcome {
        Done,    // the action ran, or nothing applied
        Failed,  // a command file that could not be loaded or a pause that is no
                 // number; reported once, the caller's pass simply ends
    };

    Executor(AppState& state, Platform& platform, ErrorReporter& errors, CaptionMemo& memo,
             CommandFeedback& feedback, Waiter& waiter, ExecutorHost& host);

    Outcome execute();

    ActionKinds actions;

  private:
    Outcome pause(const QString& milliseconds);
    Outcome switchCommandFile(const QString& path);

    AppState& state_;
    Platform& platform_;
    ErrorReporter& errors_;
    CaptionMemo& memo_;
    CommandFeedback& feedback_;
    Waiter& waiter_;
    ExecutorHost& host_;
};
