#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include "core/interval_timer.h"

// Qt's precise timers never fire early, so "restarted" is told from "not
// restarted" by whether the first timeout comes a whole period after the poke
// halfway through the period. Only the not-restarted side depends on the machine
// being on time, and it has half a period of slack.
namespace {

constexpr int kPeriodMs = 1000;
constexpr int kPokeAfterMs = 400;

struct Firing {
    qint64 pokedAt = -1;
    qint64 firedAt = -1;
    int timeouts = 0;
};

// Starts the timer, calls `poke` after kPokeAfterMs and waits for the first timeout.
template <typename Poke>
Firing runWithPoke(IntervalTimer& timer, Poke poke) {
    Firing f;
    QElapsedTimer clock;
    QSignalSpy spy(&timer, &IntervalTimer::timeout);
    clock.start();
    timer.setEnabled(true);
    QTimer::singleShot(kPokeAfterMs, Qt::PreciseTimer, [&] {
        f.pokedAt = clock.elapsed();
        poke();
    });
    if (spy.wait(10 * kPeriodMs)) {
        f.firedAt = clock.elapsed();
    }
    f.timeouts = int(spy.count());
    timer.setEnabled(false);
    return f;
}

}  // namespace

TEST(IntervalTimer, EnablingARunningTimerDoesNotRestartIt) {
    IntervalTimer timer(kPeriodMs);
    const Firing f = runWithPoke(timer, [&] { timer.setEnabled(true); });
    ASSERT_GE(f.pokedAt, 0);
    ASSERT_GE(f.firedAt, 0);
    EXPECT_LT(f.firedAt - f.pokedAt, kPeriodMs)
        << "poked at " << f.pokedAt << ", fired at " << f.firedAt;
    EXPECT_EQ(timer.interval(), kPeriodMs);
}

TEST(IntervalTimer, TheSameIntervalDoesNotRestartIt) {
    IntervalTimer timer(kPeriodMs);
    const Firing f = runWithPoke(timer, [&] { timer.setInterval(kPeriodMs); });
    ASSERT_GE(f.pokedAt, 0);
    ASSERT_GE(f.firedAt, 0);
    EXPECT_LT(f.firedAt - f.pokedAt, kPeriodMs)
        << "poked at " << f.pokedAt << ", fired at " << f.firedAt;
}

TEST(IntervalTimer, ADifferentIntervalRestartsThePeriod) {
    IntervalTimer timer(kPeriodMs);
    const int longer = kPeriodMs + 200;
    const Firing f = runWithPoke(timer, [&] { timer.setInterval(longer); });
    ASSERT_GE(f.pokedAt, 0);
    ASSERT_GE(f.firedAt, 0);
    EXPECT_GE(f.firedAt - f.pokedAt, longer - 5)
        << "poked at " << f.pokedAt << ", fired at " << f.firedAt;
    EXPECT_EQ(timer.interval(), longer);
}

TEST(IntervalTimer, AnIntervalChangeDoesNotStartAStoppedTimer) {
    IntervalTimer timer(50);
    QSignalSpy spy(&timer, &IntervalTimer::timeout);
    timer.setInterval(20);
    EXPECT_FALSE(timer.enabled());
    EXPECT_FALSE(spy.wait(200));
    timer.setEnabled(true);
    EXPECT_TRUE(timer.enabled());
    EXPECT_TRUE(spy.wait(2000));
    timer.setEnabled(false);
    EXPECT_FALSE(timer.enabled());
}

TEST(IntervalTimer, AZeroIntervalStaysEnabledButNeverFires) {
    IntervalTimer timer(0);
    QSignalSpy spy(&timer, &IntervalTimer::timeout);
    timer.setEnabled(true);
    EXPECT_TRUE(timer.enabled());
    EXPECT_FALSE(spy.wait(150));
    timer.setInterval(30);  // a real interval starts the enabled timer
    EXPECT_TRUE(spy.wait(2000));
    timer.setInterval(0);
    spy.clear();
    EXPECT_FALSE(spy.wait(150));
    EXPECT_TRUE(timer.enabled());
}
