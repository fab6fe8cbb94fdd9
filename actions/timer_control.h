#pragma once

#include <QString>
#include <functional>

#include "actions/timer_action.h"
#include "actions/waiter.h"
#include "actions/word_display.h"
#include "core/app_state.h"
#include "core/error_reporter.h"
#include "core/interval_timer.h"

// The timer action: each press shows the minutes the timer will get, the first the
// minutes now set (or left), every further press within 5 seconds one step more,
// wrapping to 0 past the ambit. When the window closes, the minutes shown arm the
// expiry timer (0 switches it off), which then runs the named command.
class TimerControl : public TimerAction {
  public:
    struct Timers {
        IntervalTimer& closeDelay;  // the window's Timer2, 5000 ms
        IntervalTimer& minuteTick;  // the window's Timer1, 60000 ms
        IntervalTimer& expiry;      // the main window's Timer5
    };

    // The minutes live in state.timerMinutesLeft, which the expiry also resets.
    TimerControl(AppState& state, ErrorReporter& errors, WordDisplay& display, Timers timers,
                 Waiter& waiter);

    // Stops the shutdown and reboot countdowns and closes their windows.
    std::function<void()> stopCountdowns;

    void run(const Command& command) override;

    // Closing the window, whatever closes it: the minutes shown arm the expiry.
    void close();
    // The expiry ran the command: the minutes become 0, the minute tick stops.
    void reset();

    void Timer2Timer();  // close delay
    void Timer1Timer();  // minute tick

    int minutesShown() const { return shown_; }  // Edit1
    int minutesLeft() const { return left_; }    // Edit2

  private:
    void setMinutesLeft(int minutes);  // Edit2 and its change rule

    AppState& state_;
    ErrorReporter& errors_;
    WordDisplay& display_;
    Timers timers_;
    Waiter& waiter_;
    int shown_ = 0;
    int left_ = 0;
};
