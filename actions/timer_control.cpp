#include "actions/timer_control.h"

#include <climits>

#include "core/number_text.h"

namespace {

constexpr int kShowDelayMs = 50;  // between hiding the window and showing it again
constexpr int kMinuteMs = 60000;

}  // namespace

TimerControl::TimerControl(AppState& state, ErrorReporter& errors, WordDisplay& display,
                           Timers timers, Waiter& waiter)
    : state_(state), errors_(errors), display_(display), timers_(timers), waiter_(waiter) {}

// Settings that are no whole number end the press where they are needed, reported.
void TimerControl::run(const Command& command) {
    state_.timerCommandFile = command.file;
    state_.timerCommandName = command.windowHandle;
    if (stopCountdowns) {
        stopCountdowns();
    }
    display_.hideWindow();
    waiter_.wait(kShowDelayMs);
    display_.showWindow();
    timers_.closeDelay.setEnabled(false);
    timers_.closeDelay.setEnabled(true);

    const std::optional<int> ambit = NumberText::toInt(state_.settings.timerAmbit);
    if (!ambit) {
        errors_.report(NumberText::invalidIntegerMessage(state_.settings.timerAmbit));
        return;
    }
    int& minutes = state_.timerMinutesLeft;
    if (minutes > *ambit) {
        minutes = 0;
    }
    display_.setText(display_.word() + QLatin1Char(' ') + QString::number(minutes));
    shown_ = minutes;
    setMinutesLeft(minutes);
    const std::optional<int> step = NumberText::toInt(state_.settings.timerStep);
    if (!step) {
        errors_.report(NumberText::invalidIntegerMessage(state_.settings.timerStep));
        return;
    }
    minutes = int(qBound(qint64(INT_MIN), qint64(minutes) + *step, qint64(INT_MAX)));
}

void TimerControl::setMinutesLeft(int minutes) {
    left_ = minutes;
    state_.timerMinutesLeft = minutes;
    shown_ = minutes;
    if (minutes < 0) {
        state_.timerMinutesLeft = 0;
        left_ = shown_ = 0;
    }
}

// An interval the expiry timer already has keeps its running period; a different
// one starts a new period from now. Minutes beyond what a timer can count wait as
// long as it can (about 24 days).
void TimerControl::close() {
    display_.hideWindow();
    const int m = shown_;
    state_.timerMinutesLeft = m;
    if (m == 0) {
        timers_.expiry.setEnabled(false);
        return;
    }
    timers_.expiry.setEnabled(true);
    timers_.expiry.setInterval(int(qMin<qint64>(qint64(m) * kMinuteMs, INT_MAX)));
    timers_.minuteTick.setEnabled(true);
}

void TimerControl::reset() {
    shown_ = 0;
    timers_.minuteTick.setEnabled(false);
}

void TimerControl::Timer2Timer() {
    timers_.closeDelay.setEnabled(false);
    close();
}

void TimerControl::Timer1Timer() {
    setMinutesLeft(left_ - 1);
}
