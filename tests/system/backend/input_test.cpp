// Synthesised keys and pointer of the Linux backend, on a bare X server with the
// witness client's window under the pointer (which gives it the keyboard focus).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "platform/linux/linux_platform.h"
#include "platform/linux/x11_keysyms.h"
#include "support/rig/desktop.h"

// Xlib defines macros (Bool, Status, None) that clash with Qt: include it last.
#include <X11/Xlib.h>

using rig::waitUntil;
using namespace std::chrono_literals;

namespace {

class InputTest : public ::testing::Test {
  protected:
    // The backend inside this process talks to the private server.
    static void SetUpTestSuite() {
        desktop_ = new rig::Desktop();
        qputenv("DISPLAY", desktop_->display().toLocal8Bit());
    }
    static void TearDownTestSuite() { delete desktop_; }
    void SetUp() override {
        witness_ = std::make_unique<rig::Witness>(
            desktop_->home(), desktop_->environment(), QStringList{QStringLiteral("Target")},
            QStringList{QStringLiteral("--geometry"), QStringLiteral("300x200+100+50")});
        ASSERT_TRUE(witness_->waitFor(QStringLiteral("ready")));
        platform_ = std::make_unique<LinuxPlatform>();
        platform_->setCursorPos(QPoint(250, 150));  // inside the window: focus follows it
    }

    // The witness lines about keys and buttons, in order, one per line.
    std::string inputText() const { return inputLines().join(QLatin1Char('\n')).toStdString(); }
    QStringList inputLines() const {
        QStringList lines;
        for (const QString& line : witness_->lines()) {
            if (line.startsWith(QLatin1String("key ")) ||
                line.startsWith(QLatin1String("button "))) {
                lines << line.section(QLatin1Char(' '), 2);
            }
        }
        return lines;
    }
    bool waitForInputLines(int count) const {
        return waitUntil([&] { return inputLines().size() >= count; }, 5000ms);
    }

    static inline rig::Desktop* desktop_ = nullptr;
    std::unique_ptr<rig::Witness> witness_;
    std::unique_ptr<LinuxPlatform> platform_;
};

TEST_F(InputTest, KeysArriveInTheOrderSent) {
    for (const int vk : {0xA4, 0x73}) {
        platform_->keyDown(vk);
    }
    for (const int vk : {0x73, 0xA4}) {
        platform_->keyUp(vk);
    }
    ASSERT_TRUE(waitForInputLines(4));
    EXPECT_EQ(inputLines(),
              QStringList({"press Alt_L", "press F4", "release F4", "release Alt_L"}));
}

// Every code of the table reaches the focused window as its keysym, also those the
// server's keyboard map has no key for; afterwards the map is as it was.
TEST_F(InputTest, EveryKeyOfTheTableArrivesWhateverTheKeyboardMap) {
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    int minCode = 0, maxCode = 0, per = 0;
    XDisplayKeycodes(d, &minCode, &maxCode);
    auto mapNow = [&] {
        KeySym* syms = XGetKeyboardMapping(d, minCode, maxCode - minCode + 1, &per);
        std::vector<KeySym> map(syms, syms + (maxCode - minCode + 1) * per);
        XFree(syms);
        return map;
    };
    const std::vector<KeySym> before = mapNow();
    auto mapped = [&](KeySym sym) {
        for (int code = 0; code <= maxCode - minCode; ++code) {
            if (before[code * per] == sym) {
                return true;
            }
        }
        return false;
    };

    QStringList expected;
    int unmapped = 0;
    for (int vk = 0x01; vk <= 0xFE; ++vk) {
        const KeySym sym = keysymForVirtualKey(vk);
        if (sym == 0) {
            continue;
        }
        platform_->keyDown(vk);
        platform_->keyUp(vk);
        expected << QStringLiteral("press ") + XKeysymToString(sym)
                 << QStringLiteral("release ") + XKeysymToString(sym);
        if (!mapped(sym)) {
            // More keys than spare keycodes: the witness must have looked this one
            // up before its keycode is bound anew.
            ++unmapped;
            waitForInputLines(int(expected.size()));
        }
    }
    EXPECT_GT(unmapped, 0) << "every keysym had a key: the spare keycodes were not tried";
    EXPECT_TRUE(waitForInputLines(int(expected.size())));
    EXPECT_EQ(inputText(), expected.join(QLatin1Char('\n')).toStdString());

    // The spare keycodes are given back a moment after their release.
    EXPECT_NE(mapNow(), before);
    EXPECT_TRUE(waitUntil(
        [&] {
            QCoreApplication::processEvents();
            return mapNow() == before;
        },
        3000ms));
    // A release of a key never pressed here binds nothing.
    platform_->keyUp(0x86);  // F23
    EXPECT_EQ(mapNow(), before);
    // And when the program ends before that moment.
    platform_->keyDown(0x87);  // F24
    platform_->keyUp(0x87);
    EXPECT_NE(mapNow(), before);
    platform_.reset();
    EXPECT_EQ(mapNow(), before);
    XCloseDisplay(d);
}

TEST_F(InputTest, PointerIsSetAndReadAndButtonsPressAtIt) {
    platform_->setCursorPos(QPoint(123, 87));
    EXPECT_TRUE(waitUntil([&] { return platform_->cursorPos() == QPoint(123, 87); }, 2000ms));
    platform_->mouseDown(Platform::MouseButton::Left);
    platform_->mouseUp(Platform::MouseButton::Left);
    platform_->mouseDown(Platform::MouseButton::Right);
    platform_->mouseUp(Platform::MouseButton::Right);
    platform_->mouseDown(Platform::MouseButton::Middle);
    platform_->mouseUp(Platform::MouseButton::Middle);
    ASSERT_TRUE(waitForInputLines(6));
    EXPECT_EQ(inputLines(), QStringList({"press 1", "release 1", "press 3", "release 3", "press 2",
                                         "release 2"}));
}

}  // namespace
