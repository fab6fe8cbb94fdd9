#pragma once

#include <QString>
#include <functional>

#include "actions/waiter.h"
#include "actions/word_display.h"
#include "core/interval_timer.h"

// The countdown of one power action: one second after its command the window shows
// the action word and the seconds left, once a second, and at zero the action
// runs. The same command while the window shows cancels (the cancel word shows for
// 3 seconds); the other action's command or a timer command stops it.
class Countdown {
  public:
    // `tick` is the window's Timer1 (1000 ms), `notice` its Timer2 (3000 ms).
    Countdown(WordDisplay& display, IntervalTimer& tick, IntervalTimer& notice, Waiter& waiter);

    // Runs at zero, after the window shows the action word alone.
    std::function<void()> atZero;
    // The cancel word, shown after a cancel.
    std::function<QString()> cancelWord;

    // The own command, up to the seconds: the tick is enabled and, while the window
    // shows (active), the countdown is cancelled.
    void armOrCancel();
    // The count starts again from `seconds`; 0 or less counts as 1, so the window
    // never counts into negative numbers.
    void setSeconds(int seconds);
    // No more ticks; what the window shows stays.
    void disarm() { tick_.setEnabled(false); }
    // The other action's command or a timer command: no more ticks, window closed.
    void stop();
    // Another command's hint: the window closes, the count goes on.
    void close();

    void Timer1Timer();  // tick
    void Timer2Timer();  // end of the cancel notice

    bool active() const { return active_; }
    int seconds() const { return seconds_; }

  private:
    void cancel();
    void hide();
    void show();

    WordDisplay& display_;
    IntervalTimer& tick_;
    IntervalTimer& notice_;
    Waiter& waiter_;
    int seconds_ = 0;
    bool active_ = false;  // shown by its own tick or cancel, not hidden since
};
