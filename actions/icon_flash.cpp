#include "actions/icon_flash.h"

IconFlash::IconFlash(IntervalTimer& timerIcon, Setter setIcon, QObject* parent)
    : QObject(parent), timer_(timerIcon), setIcon_(std::move(setIcon)) {
    connect(&timer_, &IntervalTimer::timeout, this, &IconFlash::TimerIconTimer);
}

// The setter shows the icon before it returns, so the 100 ms are counted from the
// moment the user can see it, not from a paint that waits for the pass to end.
void IconFlash::flash() {
    setIcon_(kActiveIcon);
    timer_.setEnabled(true);
}

void IconFlash::TimerIconTimer() {
    setIcon_(kNormalIcon);
    timer_.setEnabled(false);
}
