// The command hint as the user sees it: the command's caption after a blank, near
// the bottom-right corner over whatever window is there, for as many seconds as the
// settings say.
#include <gtest/gtest.h>
#include <QImage>
#include <algorithm>
#include <thread>
#include <utility>

#include "session.h"

// Xlib last: its macros (Bool, Status) break Qt headers that follow them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace std::chrono_literals;
using e2e::Session;

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;

// The first column of `area` in which a pixel of the text colour (red) shows;
// -1 when none does.
int firstRedColumn(const QImage& shot, const QRect& area) {
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90) {
                return x;
            }
        }
    }
    return -1;
}

// The label stands 50 pixels from the screen's right and bottom edges; the window
// is 10 pixels wider than the label and `extraHeight` pixels taller.
void expectPlaced(const QRect& window, int extraHeight) {
    const int labelWidth = window.width() - 10;
    const int labelHeight = window.height() - extraHeight;
    EXPECT_GT(labelHeight, 10);
    EXPECT_EQ(window.x(), kScreenWidth - labelWidth - 50);
    EXPECT_EQ(window.y(), kScreenHeight - labelHeight - 50);
}

}  // namespace

TEST(Hint, ShowsTheCaptionAfterABlankAboveOtherWindowsForTheSetTime) {
    Session s({.trayHost = true, .windowManager = true});
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString other = s.writeCommandFile("other.pci", "Other remote", {});
    const QString remote =
        s.writeCommandFile("remote.pci", "Living room",
                           {e2e::openCommand("Evening news", " 45", "/usr/bin/true"),
                            e2e::openCommand("Other remote", " 53", other.toUtf8())});
    // Three seconds: the screenshot and the checks below fit inside it on a loaded
    // machine too.
    s.writeSettings(settings, remote, {"Show time command: 3"});
    s.startWitness({QStringLiteral("TV guide - Tonight")});
    ASSERT_TRUE(s.start());

    s.press("E");
    const auto shown = s.waitForHint(5s);
    ASSERT_TRUE(shown) << s.programErrors();
    const std::optional<rig::XWindowInfo> hint = s.hint();
    ASSERT_TRUE(hint);
    const QString shot = s.screenshot(QStringLiteral("hint"));
    const rig::CommandResult props =
        rig::runCommand({"xprop", "-id", QString::number(hint->id), "_NET_WM_STATE"}, s.env());
    std::this_thread::sleep_until(*shown + 500ms);
    EXPECT_TRUE(s.hint()) << "gone before half a second";
    ASSERT_TRUE(s.waitForHintGone(6s));
    const double lasted = e2e::msBetween(*shown, e2e::Clock::now());
    EXPECT_GE(lasted, 2800);
    EXPECT_LE(lasted, 4500);

    expectPlaced(hint->rect, 20);
    // Unframed, kept above others, and on top of the witness's framed window.
    EXPECT_TRUE(props.out.contains("_NET_WM_STATE_ABOVE")) << props.out.toStdString();
    const std::vector<rig::XWindowInfo> stack = s.x().topLevels();
    const auto witness = std::find_if(stack.begin(), stack.end(), [](const rig::XWindowInfo& w) {
        return w.title == QLatin1String("TV guide - Tonight");
    });
    ASSERT_NE(witness, stack.end());
    EXPECT_GT(witness->rect.width(), 1000) << "the window manager did not frame the witness";
    EXPECT_TRUE(witness->rect.contains(hint->rect));

    // The text begins with a blank: the letters start a blank's width into the window,
    // and around them the witness shows through.
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    const int firstRed = firstRedColumn(image, hint->rect);
    ASSERT_GE(firstRed, 0) << "no red letters in the hint's place";
    EXPECT_GE(firstRed - hint->rect.x(), 5);
    EXPECT_EQ(image.pixelColor(hint->rect.topLeft()), QColor(Qt::white));
    const QString text = rig::readText(s.env(), shot, hint->rect.adjusted(-10, -10, 10, 10),
                                       s.home().work(QStringLiteral("hint-ocr.png")));
    EXPECT_TRUE(text.contains(QLatin1String("Evening news"))) << "OCR read: " << text.toStdString();
    rig::keepScreenshot(shot, QStringLiteral("hint-window.png"));

    // The switch to another command file shows its hint without the extra height.
    s.press("S");
    ASSERT_TRUE(s.waitForHint(5s));
    const std::optional<rig::XWindowInfo> switched = s.hint();
    ASSERT_TRUE(switched);
    expectPlaced(switched->rect, 0);
    EXPECT_EQ(switched->rect.height(), hint->rect.height() - 20);
}

namespace {

// What `area` of the screen shows, as one number.
quint64 fingerprint(Display* dpy, const QRect& area) {
    XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), area.x(), area.y(),
                              unsigned(area.width()), unsigned(area.height()), AllPlanes, ZPixmap);
    quint64 sum = 0;
    if (image) {
        for (int y = 0; y < area.height(); ++y) {
            for (int x = 0; x < area.width(); ++x) {
                sum = sum * 31 + XGetPixel(image, x, y);
            }
        }
        XDestroyImage(image);
    }
    return sum;
}

}  // namespace

// The activity icon must be on the screen for the whole flash, even when the pass
// that flashed it goes on for longer (here two matches, each waiting before its
// hint) before the event loop runs again.
TEST(IconFlash, TheActivityIconShowsInTheTrayForTheWholeHundredMilliseconds) {
    Session s({.trayHost = true});
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote = s.writeCommandFile(
        "remote.pci", "Remote",
        {e2e::pauseCommand("First", " 46", 0), e2e::pauseCommand("Second", " 46", 0)});
    s.writeSettings(settings, remote, {"Show time command: 1"});
    ASSERT_TRUE(s.start());
    // Docked, the icon takes its place and is painted a moment later on a loaded
    // machine: the normal picture is the one that stays.
    std::vector<rig::XWindowInfo> icons;
    ASSERT_TRUE(rig::waitUntil(
        [&] { return !(icons = s.x().dockedTrayIcons(QStringLiteral("quenda"))).empty(); }, 5s));
    Display* dpy = XOpenDisplay(s.env().value(QStringLiteral("DISPLAY")).toLocal8Bit().constData());
    ASSERT_NE(dpy, nullptr);
    const QRect area = icons.front().rect;
    quint64 normal = 0;
    ASSERT_TRUE(rig::waitUntil(
        [&] {
            const quint64 earlier = std::exchange(normal, fingerprint(dpy, area));
            return earlier == normal;
        },
        5s, 100ms));

    s.press("F");
    // The moment the icon was first seen so, and the last sample before that.
    struct Change {
        e2e::Clock::time_point before, seen;
    };
    const auto waitFor = [&](bool active) -> std::optional<Change> {
        const auto end = e2e::Clock::now() + 3s;
        auto before = e2e::Clock::now();
        while (e2e::Clock::now() < end) {
            const bool changed = (fingerprint(dpy, area) != normal) == active;
            const auto now = e2e::Clock::now();
            if (changed) {
                return Change{before, now};
            }
            before = now;
            std::this_thread::sleep_for(1ms);
        }
        return std::nullopt;
    };
    const auto shown = waitFor(true);
    const auto restored = shown ? waitFor(false) : std::nullopt;
    XCloseDisplay(dpy);
    ASSERT_TRUE(shown) << "the activity icon never showed";
    ASSERT_TRUE(restored) << "the normal icon did not come back";
    // The icon changed after the last normal sample and went back before the first
    // normal one after it: that span holds the whole flash, however late a loaded
    // machine let the samples come.
    EXPECT_GE(e2e::msBetween(shown->before, restored->seen), 90.0);
}
