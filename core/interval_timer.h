#pragma once

#include <QObject>
#include <QTimer>

// An interval timer whose enabling and interval changes follow the program's rule:
// enabling a running timer does not restart it, giving it the interval it already
// has does not restart it, a different interval restarts its period.
class IntervalTimer : public QObject {
    Q_OBJECT
public:
    explicit IntervalTimer(int intervalMs, QObject* parent = nullptr);

    bool enabled() const { return timer_.isActive(); }
    void setEnabled(bool on);
    int interval() const { return timer_.interval(); }
    void setInterval(int ms);

Q_SIGNALS:
    void timeout();

private:
    QTimer timer_;
};
