#pragma once

#include <QObject>
#include <QTimer>

// An interval timer whose enabling and interval changes follow the program's rule:
// enabling a running timer does not restart it, giving it the interval it already
// has does not restart it, a different interval restarts its period. A timer with
// the interval 0 counts as enabled but never fires.
class IntervalTimer : public QObject {
    Q_OBJECT
  public:
    explicit IntervalTimer(int intervalMs, QObject* parent = nullptr);

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    int interval() const { return interval_; }
    void setInterval(int ms);

  Q_SIGNALS:
    void timeout();

  private:
    void apply();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
};
