#pragma once

#include <functional>

#include "actions/computer_action.h"
#include "actions/countdown.h"
#include "core/app_state.h"
#include "core/error_reporter.h"
#include "platform/platform.h"

// "Shutdown" and "Reboot": each starts its own countdown of pauseReboot seconds,
// cancels it when pressed again while it shows, and stops the other one.
class ComputerControl : public ComputerAction {
  public:
    ComputerControl(const AppState& state, Platform& platform, ErrorReporter& errors,
                    Countdown& shutdown, Countdown& reboot);

    // Closes the timer window (which arms or disarms the timer with the minutes it
    // shows) and the command hint, so that the countdown is not covered.
    std::function<void()> closeTimerAndHint;

    void run(const Command& command) override;

  private:
    void start(Countdown& own, Countdown& other);
    // At zero. typeSystem chooses only how a Windows backend asks its system to shut
    // down (its flags and privilege); here the request goes to the platform as is.
    // A refusal is reported with the system's reason and the window is hidden.
    void act(Countdown& countdown, bool (Platform::*request)(), const QString& failure);

    const AppState& state_;
    Platform& platform_;
    ErrorReporter& errors_;
    Countdown& shutdown_;
    Countdown& reboot_;
};
