// Window lookup and window commands of the Linux backend, on a real X server with
// the witness client's windows: once under a window manager (matchbox), once on a
// bare server.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "platform/linux/linux_platform.h"
#include "platform/linux/x11_windows.h"
#include "support/rig/desktop.h"

using rig::waitUntil;
using namespace std::chrono_literals;

namespace {

class WindowsTest : public ::testing::Test {
  protected:
    // The backend inside this process talks to the private server.
    static void startDesktop(bool windowManager) {
        desktop_ = new rig::Desktop({.windowManager = windowManager});
        qputenv("DISPLAY", desktop_->display().toLocal8Bit());
    }
    static void TearDownTestSuite() {
        delete desktop_;
        desktop_ = nullptr;
    }
    void SetUp() override { platform_ = std::make_unique<LinuxPlatform>(); }

    static std::unique_ptr<rig::Witness> witness(const QStringList& titles,
                                                 const QStringList& options = {}) {
        return std::make_unique<rig::Witness>(desktop_->home(), desktop_->environment(), titles,
                                              options);
    }
    static rig::XInspector& x() { return desktop_->x(); }
    // The client window with this title, as the test's own connection sees it.
    static std::uint64_t idOf(const QString& title) {
        const std::vector<rig::XWindowInfo> found = x().topLevelsTitled(title, false);
        return found.empty() ? 0 : found.front().id;
    }
    static bool onTop(std::uint64_t id) { return x().topmost() == x().frameOf(id); }
    static void run(const QStringList& argv) { rig::runCommand(argv, desktop_->environment()); }

    static inline rig::Desktop* desktop_ = nullptr;
    std::unique_ptr<LinuxPlatform> platform_;
};

class WindowsUnderWindowManager : public WindowsTest {
  protected:
    static void SetUpTestSuite() { startDesktop(true); }
};

class WindowsWithoutWindowManager : public WindowsTest {
  protected:
    static void SetUpTestSuite() { startDesktop(false); }
};

}  // namespace

TEST_F(WindowsUnderWindowManager, FindsTheClientWindowByItsWholeCaptionOnly) {
    auto w = witness({QStringLiteral("Report - Editor"), QStringLiteral("Übersicht Ωmega")});
    auto legacy = witness({QStringLiteral("Caf\u00e9 legacy")}, {QStringLiteral("--legacy-name")});

    // The id is the client's, not the frame's that matchbox put around it.
    const std::uint64_t tool = idOf(QStringLiteral("Report - Editor"));
    ASSERT_NE(tool, 0u);
    EXPECT_NE(x().frameOf(tool), tool);
    EXPECT_EQ(platform_->findWindow(QStringLiteral("Report - Editor")), tool);

    EXPECT_EQ(platform_->findWindow(QStringLiteral("Report")), 0u);
    EXPECT_EQ(platform_->findWindow(QStringLiteral("report - editor")), 0u);
    EXPECT_EQ(platform_->findWindow(QStringLiteral("Report - Editor ")), 0u);
    EXPECT_EQ(platform_->findWindow(QString()), 0u);
    // UTF-8 _NET_WM_NAME, and a Latin-1 WM_NAME without it.
    EXPECT_EQ(platform_->findWindow(QStringLiteral("Übersicht Ωmega")),
              idOf(QStringLiteral("Übersicht Ωmega")));
    EXPECT_NE(platform_->findWindow(QStringLiteral("Caf\u00e9 legacy")), 0u);

    // An iconified window is still found.
    platform_->minimizeWindow(tool);
    ASSERT_TRUE(w->waitFor(QStringLiteral("state Report - Editor iconic")));
    EXPECT_EQ(platform_->findWindow(QStringLiteral("Report - Editor")), tool);
}

TEST_F(WindowsUnderWindowManager, CaptionsListShownWindowsTopFirstCutTo127Characters) {
    const QString longTitle = QStringLiteral("L") + QString(199, QLatin1Char('x'));
    auto w = witness({QStringLiteral("First"), QStringLiteral("Second"), longTitle});
    const std::uint64_t first = idOf(QStringLiteral("First"));
    const std::uint64_t second = idOf(QStringLiteral("Second"));

    // The last mapped window is on top.
    QStringList captions = platform_->windowCaptions();
    const QString cut = longTitle.left(127);
    ASSERT_TRUE(captions.contains(cut)) << captions.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(captions.contains(longTitle));
    EXPECT_EQ(captions.indexOf(cut), 0);
    EXPECT_LT(captions.indexOf(QStringLiteral("Second")),
              captions.indexOf(QStringLiteral("First")));

    // Brought forward by someone else, a window leads the list.
    run({QStringLiteral("xdotool"), QStringLiteral("windowactivate"), QString::number(first)});
    ASSERT_TRUE(waitUntil([&] { return onTop(first); }, 3s));
    captions = platform_->windowCaptions();
    EXPECT_EQ(captions.value(0), QStringLiteral("First"));

    // An iconified window is not shown, so it is not listed; nameless windows
    // (the window manager's own) never are.
    run({QStringLiteral("xdotool"), QStringLiteral("windowminimize"), QString::number(second)});
    ASSERT_TRUE(w->waitFor(QStringLiteral("state Second iconic")));
    captions = platform_->windowCaptions();
    EXPECT_FALSE(captions.contains(QStringLiteral("Second")));
    EXPECT_FALSE(captions.contains(QString()));
    EXPECT_EQ(captions.count(QStringLiteral("First")), 1);
}

TEST_F(WindowsUnderWindowManager, CloseGoesThroughTheWindowManagerLikeItsCloseButton) {
    auto w = witness({QStringLiteral("Closable"), QStringLiteral("Bystander")});
    auto stubborn = witness({QStringLiteral("No delete")}, {QStringLiteral("--no-delete")});

    platform_->closeWindow(platform_->findWindow(QStringLiteral("Closable")));
    ASSERT_TRUE(w->waitFor(QStringLiteral("close Closable")));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(w->count(QStringLiteral("close Closable")), 1);
    EXPECT_EQ(w->count(QStringLiteral("close Bystander")), 0);
    // The window decides: the witness keeps it.
    EXPECT_NE(platform_->findWindow(QStringLiteral("Closable")), 0u);

    // A window that does not take close requests is closed by the window manager's
    // own means, as its close button would; the bystander stays.
    const auto id = platform_->findWindow(QStringLiteral("No delete"));
    ASSERT_NE(id, 0u);
    platform_->closeWindow(id);
    EXPECT_TRUE(
        waitUntil([&] { return platform_->findWindow(QStringLiteral("No delete")) == 0; }, 3s));
    EXPECT_NE(platform_->findWindow(QStringLiteral("Bystander")), 0u);
}

TEST_F(WindowsUnderWindowManager, MinimizeIconifiesAndMaximizeShowsItAgain) {
    auto w = witness({QStringLiteral("Shrinking"), QStringLiteral("Other")});
    const auto id = platform_->findWindow(QStringLiteral("Shrinking"));
    ASSERT_NE(id, 0u);

    platform_->minimizeWindow(id);
    ASSERT_TRUE(w->waitFor(QStringLiteral("state Shrinking iconic")));
    // The window manager's own record of the state may follow a moment later.
    EXPECT_TRUE(waitUntil([&] { return x().wmState(id) == QStringLiteral("Iconic"); }, 3s));
    EXPECT_FALSE(platform_->windowCaptions().contains(QStringLiteral("Shrinking")));

    // Shown maximised: back on the screen, active, as large as matchbox makes windows.
    platform_->maximizeWindow(id);
    ASSERT_TRUE(w->waitFor(QStringLiteral("state Shrinking normal")));
    EXPECT_TRUE(waitUntil([&] { return x().wmState(id) == QStringLiteral("Normal"); }, 3s));
    EXPECT_TRUE(waitUntil([&] { return onTop(id); }, 3s));
    EXPECT_EQ(platform_->windowCaptions().value(0), QStringLiteral("Shrinking"));
    // The window manager may resize it a moment after the state changed.
    EXPECT_TRUE(waitUntil(
        [&] {
            const QRect v = x().window(id).rect;
            return v.width() >= 1200 && v.height() >= 700;
        },
        3s))
        << "size " << x().window(id).rect.width() << "x" << x().window(id).rect.height();
}

TEST_F(WindowsUnderWindowManager, RaiseActivatesButLeavesIconifiedWindowsIconified) {
    auto w = witness({QStringLiteral("Below"), QStringLiteral("Above")});
    const auto below = platform_->findWindow(QStringLiteral("Below"));
    const auto above = platform_->findWindow(QStringLiteral("Above"));
    ASSERT_TRUE(waitUntil([&] { return onTop(above); }, 3s));

    platform_->raiseWindow(below);
    EXPECT_TRUE(waitUntil([&] { return onTop(below); }, 3s));
    EXPECT_TRUE(w->waitFor(QStringLiteral("focus Below")));
    EXPECT_EQ(platform_->windowCaptions().value(0), QStringLiteral("Below"));

    platform_->minimizeWindow(above);
    ASSERT_TRUE(w->waitFor(QStringLiteral("state Above iconic")));
    platform_->raiseWindow(above);
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(x().wmState(above), QStringLiteral("Iconic"));
    EXPECT_EQ(w->count(QStringLiteral("state Above normal")), 1);  // only the first showing
}

TEST_F(WindowsUnderWindowManager, RectMatchesXwininfoAndVanishedWindowsAreHarmless) {
    auto w = witness({QStringLiteral("Measured")});
    const auto id = platform_->findWindow(QStringLiteral("Measured"));
    EXPECT_EQ(platform_->windowRect(id), x().window(id).rect);

    w->stop();
    ASSERT_TRUE(
        waitUntil([&] { return platform_->findWindow(QStringLiteral("Measured")) == 0; }, 3s));
    // The id now names no window: every command must pass over it quietly.
    EXPECT_EQ(platform_->windowRect(id), QRect());
    platform_->closeWindow(id);
    platform_->minimizeWindow(id);
    platform_->maximizeWindow(id);
    platform_->raiseWindow(id);
    platform_->closeWindow(0);
    EXPECT_TRUE(platform_->windowCaptions().isEmpty() ||
                !platform_->windowCaptions().contains(QStringLiteral("Measured")));
}

TEST_F(WindowsWithoutWindowManager, RectRaiseAndMaximizeWorkWithoutWindowManager) {
    auto w = witness({QStringLiteral("Bottom"), QStringLiteral("Top")},
                     {QStringLiteral("--geometry"), QStringLiteral("320x240+100+50")});
    const auto bottom = platform_->findWindow(QStringLiteral("Bottom"));
    const auto top = platform_->findWindow(QStringLiteral("Top"));
    ASSERT_NE(bottom, 0u);
    ASSERT_NE(top, 0u);

    // Without frames the top-level windows are the clients themselves.
    EXPECT_EQ(platform_->windowRect(bottom), QRect(100, 50, 320, 240));
    EXPECT_EQ(platform_->windowRect(top), QRect(130, 80, 320, 240));
    // Decoration a window manager reports (left, right, top, bottom) belongs to the
    // window's rectangle.
    run({QStringLiteral("xprop"), QStringLiteral("-id"), QString::number(top), QStringLiteral("-f"),
         QStringLiteral("_NET_FRAME_EXTENTS"), QStringLiteral("32c"), QStringLiteral("-set"),
         QStringLiteral("_NET_FRAME_EXTENTS"), QStringLiteral("2, 3, 20, 5")});
    EXPECT_EQ(platform_->windowRect(top), QRect(128, 60, 325, 265));
    EXPECT_EQ(platform_->windowCaptions(),
              (QStringList{QStringLiteral("Top"), QStringLiteral("Bottom")}));

    platform_->raiseWindow(bottom);
    EXPECT_TRUE(waitUntil([&] { return x().topmost() == bottom; }, 3s));
    EXPECT_TRUE(w->waitFor(QStringLiteral("focus Bottom")));
    EXPECT_EQ(platform_->windowCaptions().value(0), QStringLiteral("Bottom"));

    platform_->maximizeWindow(top);
    EXPECT_TRUE(w->waitFor(QStringLiteral("configure Top 0 0 1280 800")));
    EXPECT_EQ(x().topmost(), top);
}

TEST_F(WindowsWithoutWindowManager, CloseAsksTheWindowItselfAndLeavesOneThatCannotBeAsked) {
    auto w = witness({QStringLiteral("Asked")});
    auto stubborn = witness({QStringLiteral("Not asked")}, {QStringLiteral("--no-delete")});
    platform_->closeWindow(platform_->findWindow(QStringLiteral("Asked")));
    EXPECT_TRUE(w->waitFor(QStringLiteral("close Asked")));
    const auto id = platform_->findWindow(QStringLiteral("Not asked"));
    ASSERT_NE(id, 0u);
    platform_->closeWindow(id);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(platform_->findWindow(QStringLiteral("Not asked")), id);
}

TEST_F(WindowsWithoutWindowManager, MouseButtonsGoDownAndUpWhereThePointerIs) {
    auto w = witness({QStringLiteral("Clicked")},
                     {QStringLiteral("--geometry"), QStringLiteral("200x200+300+300")});
    platform_->setCursorPos(QPoint(400, 400));
    EXPECT_EQ(platform_->cursorPos(), QPoint(400, 400));
    platform_->mouseDown(Platform::MouseButton::Left);
    platform_->mouseUp(Platform::MouseButton::Left);
    platform_->mouseDown(Platform::MouseButton::Right);
    platform_->mouseUp(Platform::MouseButton::Right);
    ASSERT_TRUE(w->waitFor(QStringLiteral("button Clicked release 3")));
    QStringList buttons = w->lines().filter(QStringLiteral("button "));
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("button Clicked press 1"),
                                    QStringLiteral("button Clicked release 1"),
                                    QStringLiteral("button Clicked press 3"),
                                    QStringLiteral("button Clicked release 3")}));
}

TEST(CaptionCut, CountsCharactersAndNeverSplitsOne) {
    EXPECT_EQ(X11Windows::cutCaption(QString(127, QLatin1Char('a'))).size(), 127);
    EXPECT_EQ(X11Windows::cutCaption(QString(128, QLatin1Char('a'))).size(), 127);
    // A character outside the basic plane is two UTF-16 units but one character.
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString title = QString(126, QLatin1Char('a')) + face + QStringLiteral("bc");
    EXPECT_EQ(X11Windows::cutCaption(title), QString(126, QLatin1Char('a')) + face);
    const QString faces = face.repeated(130);
    EXPECT_EQ(X11Windows::cutCaption(faces), face.repeated(127));
}
