#include "actions/waiter.h"

#include <QThread>

void SleepingWaiter::wait(int ms) {
    if (ms > 0) {
        QThread::msleep(static_cast<unsigned long>(ms));
    }
}
