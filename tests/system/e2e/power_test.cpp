// Shutdown and restart through the real program, with logind mocked on a private
// system bus: the countdown window near the bottom-right corner, the call at the
// end of the count, the cancel by a second press, the switch to the other action,
// and a refusal of the system reported.
#include <gtest/gtest.h>
#include <QImage>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;

bool red(const QColor& c) {
    return c.red() > 180 && c.green() < 90 && c.blue() < 90;
}

// Only the letters of the window show: some pixels of its rectangle are red, the
// desktop shows between them, and nothing red stands in a band around it.
void expectOnlyLetters(const QString& shotPath, const QRect& window) {
    const QImage shot(shotPath);
    ASSERT_FALSE(shot.isNull());
    int inside = 0;
    for (int x = window.left(); x <= window.right(); ++x) {
        for (int y = window.top(); y <= window.bottom(); ++y) {
            inside += red(shot.pixelColor(x, y)) ? 1 : 0;
        }
    }
    const int area = window.width() * window.height();
    EXPECT_GT(inside, area / 50) << "no letters";
    EXPECT_LT(inside, area / 2) << "a painted background";
    const QRect band = window.adjusted(-20, -20, 0, 0);
    int outside = 0;
    for (int x = band.left(); x <= band.right(); ++x) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            outside += !window.contains(x, y) && red(shot.pixelColor(x, y)) ? 1 : 0;
        }
    }
    EXPECT_EQ(outside, 0);
}

// The countdown and timer windows stand 10 pixels from the screen's right edge and
// 50 pixels above its bottom edge.
void expectCornerPlace(const QRect& window) {
    EXPECT_EQ(window.x() + window.width(), kScreenWidth - 10);
    EXPECT_EQ(window.y() + window.height(), kScreenHeight - 50);
    EXPECT_GT(window.height(), 10);
}

struct PowerSession {
    Session s;
    rig::SystemBus& bus = s.startSystemBus();

    explicit PowerSession(const QByteArray& pauseReboot) {
        files::Settings settings;
        settings.loadMinimized = "yes";
        const QString remote = s.writeCommandFile(
            "remote.pci", "Power",
            {e2e::pcCommand("Off", " 53", "Shutdown"), e2e::pcCommand("Restart", " 52", "Reboot")});
        s.writeSettings(settings, remote, {"Pause reboot: " + pauseReboot});
    }
    bool waitForCall(const QString& call, rig::milliseconds limit) {
        return rig::waitUntil([&] { return bus.logindCalls().contains(call); }, limit, 50ms);
    }
};

}  // namespace

TEST(Power, ShutdownCountsDownInTheCornerThenAsksLogindToPowerOff) {
    PowerSession p("7");
    p.s.startWitness({QStringLiteral("Evening film")});
    ASSERT_TRUE(p.s.start());

    const auto pressed = p.s.press("S");
    const auto shown = p.s.waitForHint(5s);
    ASSERT_TRUE(shown) << p.s.programErrors();
    EXPECT_GE(e2e::msBetween(pressed, *shown), 700) << "shown at the first tick, not at once";
    const std::optional<rig::XWindowInfo> window = p.s.hint();
    ASSERT_TRUE(window);
    expectCornerPlace(window->rect);
    const QString shot = p.s.screenshot(QStringLiteral("shutdown-countdown"));
    expectOnlyLetters(shot, window->rect);
    rig::keepScreenshot(shot, QStringLiteral("shutdown-countdown.png"));

    ASSERT_TRUE(p.waitForCall(QStringLiteral("PowerOff False"), 15s)) << p.s.programErrors();
    EXPECT_GE(e2e::msBetween(pressed, e2e::Clock::now()), 6500);
    EXPECT_EQ(p.bus.logindCalls(), QStringList{"PowerOff False"});
}

TEST(Power, ASecondPressCancelsAndTheOtherCommandTakesOver) {
    PowerSession p("2");
    ASSERT_TRUE(p.s.start());

    p.s.press("S");
    ASSERT_TRUE(p.s.waitForHint(5s)) << p.s.programErrors();
    p.s.press("S");  // at 1: the cancel word shows for 3 seconds, then nothing
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(p.s.hint()) << "the notice went early";
    EXPECT_TRUE(p.s.waitForHintGone(3s));
    EXPECT_TRUE(p.bus.logindCalls().isEmpty()) << p.bus.logindCalls().join(", ").toStdString();

    // "Reboot" during a shutdown countdown: the restart runs, the shutdown never.
    p.s.press("S");
    ASSERT_TRUE(p.s.waitForHint(5s));
    p.s.press("R");
    ASSERT_TRUE(p.waitForCall(QStringLiteral("Reboot False"), 10s)) << p.s.programErrors();
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(p.bus.logindCalls(), QStringList{"Reboot False"});
}

TEST(Power, ARefusalIsReportedWithTheSystemsReasonAndTheWindowHides) {
    PowerSession p("1");
    ASSERT_TRUE(p.bus.refuse(QStringLiteral("PowerOff"),
                             QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                             QStringLiteral("Permission denied by the test")));
    ASSERT_TRUE(p.s.start());
    p.s.press("S");
    ASSERT_TRUE(rig::waitUntil(
        [&] {
            return p.s.programErrors().find("Permission denied by the test") != std::string::npos;
        },
        10s, 50ms))
        << p.s.programErrors();
    EXPECT_NE(p.s.programErrors().find("could not be shut down"), std::string::npos);
    // The countdown is hidden; a notification of the report may show elsewhere.
    EXPECT_TRUE(rig::waitUntil(
        [&] {
            const std::optional<rig::XWindowInfo> w = p.s.hint();
            return !w || w->rect.x() + w->rect.width() != kScreenWidth - 10;
        },
        2s, 50ms));
}
