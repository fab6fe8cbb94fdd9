#include "actions/countdown.h"

#include <QObject>

namespace {

constexpr int kShowDelayMs = 50;  // between hiding the window and showing it again

}  // namespace

Countdown::Countdown(WordDisplay& display, IntervalTimer& tick, IntervalTimer& notice,
                     Waiter& waiter)
    : display_(display), tick_(tick), notice_(notice), waiter_(waiter) {}

void Countdown::hide() {
    active_ = false;
    display_.hideWindow();
}

void Countdown::show() {
    display_.showWindow();
    active_ = true;
}

void Countdown::armOrCancel() {
    tick_.setEnabled(true);
    if (active_) {
        cancel();
    }
}

// A second cancel during the notice shows the cancel word for 3 seconds more.
void Countdown::cancel() {
    hide();
    waiter_.wait(kShowDelayMs);
    display_.setText(cancelWord ? cancelWord() : QString());
    tick_.setEnabled(false);
    notice_.setEnabled(false);
    notice_.setEnabled(true);
    show();
}

void Countdown::setSeconds(int seconds) {
    seconds_ = qMax(1, seconds);
}

void Countdown::stop() {
    tick_.setEnabled(false);
    hide();
}

void Countdown::close() {
    hide();
}

void Countdown::Timer1Timer() {
    hide();
    display_.setText(display_.word() + QLatin1Char(' ') + QString::number(seconds_));
    --seconds_;
    waiter_.wait(kShowDelayMs);
    show();
    if (seconds_ != 0) {
        return;
    }
    tick_.setEnabled(false);
    display_.setText(display_.word());
    if (atZero) {
        atZero();
    }
}

void Countdown::Timer2Timer() {
    notice_.setEnabled(false);
    display_.setText(display_.word());
    hide();
}
