#include "core/interval_timer.h"

IntervalTimer::IntervalTimer(int intervalMs, QObject* parent)
    : QObject(parent), interval_(qMax(0, intervalMs)) {
    timer_.setInterval(interval_);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::timeout);
}

void IntervalTimer::setEnabled(bool on) {
    if (on == enabled_) {
        return;
    }
    enabled_ = on;
    apply();
}

void IntervalTimer::setInterval(int ms) {
    ms = qMax(0, ms);
    if (ms == interval_) {
        return;
    }
    interval_ = ms;
    timer_.setInterval(ms);
    timer_.stop();
    apply();
}

void IntervalTimer::apply() {
    if (enabled_ && interval_ > 0) {
        if (!timer_.isActive()) {
            timer_.start();
        }
    } else {
        timer_.stop();
    }
}
