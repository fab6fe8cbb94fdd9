#pragma once

#include <QString>
#include <functional>

#include "actions/icon_flash.h"
#include "actions/waiter.h"
#include "core/app_state.h"
#include "platform/platform.h"

// The on-screen command hint as the feedback drives it.
class HintDisplay {
  public:
    virtual ~HintDisplay() = default;
    virtual void hideHint() = 0;
    // Shows `text` near the bottom-right corner of the screen, `extraHeight` pixels
    // taller than the text, and closes it after `closeMs` (0: it stays).
    virtual void showHint(const QString& text, int extraHeight, int closeMs) = 0;
};

// What the user sees and hears after a command: the icon flash, the command's
// sound and its name on screen.
class CommandFeedback {
  public:
    CommandFeedback(const AppState& state, Platform& platform, IconFlash& flash, HintDisplay& hint,
                    Waiter& waiter);

    // Closes the shutdown, reboot and timer countdown windows so that they do not
    // cover the hint. Empty until those windows exist.
    std::function<void()> closeCountdowns;

    // After a matched command of a recognition pass (and after its combination).
    // `slot` is the selected node, `statusText` the status bar's text (a blank and
    // the node's caption), `soundFile` the sound field of the property panel. The
    // hint is left out for the header and for "Shutdown", "Reboot" and "Timer",
    // whose own windows stay in front.
    void afterMatch(int slot, const QString& statusText, const QString& soundFile);

    // The command-file switch's own feedback, given before the new table replaces
    // the old one: no countdown window is closed and the hint is as tall as its text.
    void beforeSwitch(const QString& statusText, const QString& soundFile);

    // How long the hint stays: showTimeCommand seconds; 0 keeps it until something
    // else hides it. A value that is no whole number of seconds (a hand-edited
    // settings file) gives the hint window's own 3 seconds.
    static int hintCloseMs(const QString& showTimeCommand);

  private:
    void flashAndSound(const QString& soundFile);
    void showHint(const QString& statusText, int extraHeight);

    const AppState& state_;
    Platform& platform_;
    IconFlash& flash_;
    HintDisplay& hint_;
    Waiter& waiter_;
};
