// The sleep timer's expiry through the real program: the named command runs when
// the minutes have passed.
#include <gtest/gtest.h>
#include <QFileInfo>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

// "Timer step: 1": two presses arm one minute, after which the named command runs.
TEST(Timer, TheNamedCommandRunsWhenTheMinutesHavePassed) {
    Session s;
    e2e::writeTimerRemote(s, "1");
    ASSERT_TRUE(s.start());
    s.press("T");
    std::this_thread::sleep_for(500ms);
    s.press("T");
    ASSERT_TRUE(s.waitForHintGone(8s));
    const auto closed = e2e::Clock::now();
    const QString fired = s.home().work(QStringLiteral("fired"));
    std::this_thread::sleep_for(50s);
    EXPECT_FALSE(QFileInfo::exists(fired)) << "ran before its minute";
    ASSERT_TRUE(rig::waitUntil([&] { return QFileInfo::exists(fired); }, 20s, 100ms))
        << s.programErrors();
    EXPECT_GE(e2e::msBetween(closed, e2e::Clock::now()), 55000);
}
