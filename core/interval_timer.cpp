#include "core/interval_timer.h"

IntervalTimer::IntervalTimer(int intervalMs, QObject* parent) : QObject(parent) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::timeout);
}

void IntervalTimer::setEnabled(bool on) {
    if (on && !timer_.isActive()) {
        timer_.start();
    } else if (!on) {
        timer_.stop();
    }
}

void IntervalTimer::setInterval(int ms) {
    if (ms == timer_.interval()) {
        return;
    }
    timer_.setInterval(ms);  // QTimer restarts a running timer with the new period
}
