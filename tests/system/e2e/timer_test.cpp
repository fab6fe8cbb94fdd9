// The sleep timer through the real program: the timer window's minutes, and the
// named command run when the minutes have passed.
#include <gtest/gtest.h>
#include <QFileInfo>
#include <QImage>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

// Three presses show 0, 10 and 20 minutes; the window stands in the corner and
// shows only its letters, and closes 5 seconds after the last press.
TEST(Timer, PressesStepTheMinutesInACornerWindowThatClosesAfterFiveSeconds) {
    Session s;
    e2e::writeTimerRemote(s, "10");
    s.startWitness({QStringLiteral("Evening film")});
    ASSERT_TRUE(s.start());
    for (int i = 0; i < 3; ++i) {
        s.press("T");
        ASSERT_TRUE(s.waitForHint(5s)) << s.programErrors();
        std::this_thread::sleep_for(400ms);
    }
    const std::optional<rig::XWindowInfo> window = s.hint();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->rect.x() + window->rect.width(), 1280 - 10);
    EXPECT_EQ(window->rect.y() + window->rect.height(), 800 - 50);
    const QString shot = s.screenshot(QStringLiteral("timer-window"));
    const rig::CommandResult text =
        rig::runCommand({QStringLiteral("tesseract"), shot, QStringLiteral("stdout")}, s.env());
    EXPECT_TRUE(text.out.contains("20")) << "OCR read: " << text.out.toStdString();
    rig::keepScreenshot(shot, QStringLiteral("timer-window.png"));
    EXPECT_TRUE(s.waitForHintGone(7s));
}
