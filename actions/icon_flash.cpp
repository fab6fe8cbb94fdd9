#include "actions/icon_flash.h"

IconFlash::IconFlash(IntervalTimer& timerIcon, Setter setIcon, QObject* parent)
    : QObject(parent), timer_(timerIcon), setIcon_(std::move(setIcon)) {
    connect(&timer_, &IntervalTimer::timeout, this, &IconFlash::TimerIconTimer);
}

void IconFlash::flash() {
    timer_.setEnabled(true);
    setIcon_(kActiveIcon);
}

void IconFlash::TimerIconTimer() {
    setIcon_(kNormalIcon);
    timer_.setEnabled(false);
}
