#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>

#include "actions/countdown_placement.h"
#include "actions/countdown_windows.h"
#include "actions/hint_placement.h"
#include "actions/hint_window.h"
#include "actions/icon_targets.h"
#include "platform/fake/fake_platform.h"
#include "support/find_widget.h"

namespace {

// The feedback with the real hint window and real waits; slot 1 is an "Open".
struct HintRig {
    AppState state;
    FakePlatform platform;
    IntervalTimer timerIcon{100};
    IconFlash flash{timerIcon, [](const QString&) {}};
    SleepingWaiter waiter;
    THintF hint;
    CommandFeedback feedback{state, platform, flash, hint, waiter};

    explicit HintRig(const char* seconds) {
        state.settings.showCommand = "yes";
        state.settings.showTimeCommand = seconds;
        state.table.setHeader("TV remote");
        state.table.addCommand("Play");
        state.table.slot(1).runAction = "Open";
    }
    QRect expected(int extraHeight) const {
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        return HintPlacement::geometry(widget<QLabel>(hint, "LabelHint")->size(), screen,
                                       extraHeight);
    }
};

TEST(THintF, ShowsTheCaptionWithItsLeadingBlankBottomRightAndClosesAfterTheSetSeconds) {
    HintRig rig("1");
    rig.feedback.afterMatch(1, " Play", QString());
    QElapsedTimer shown;
    shown.start();
    THintF& hint = rig.hint;
    ASSERT_TRUE(hint.isVisible());
    EXPECT_EQ(widget<QLabel>(hint, "LabelHint")->text(), " Play");
    EXPECT_EQ(widget<QLabel>(hint, "LabelHint")->geometry(),
              QRect(QPoint(0, 0), widget<QLabel>(hint, "LabelHint")->sizeHint()));
    EXPECT_EQ(hint.geometry(), rig.expected(20));
    EXPECT_TRUE(hint.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));

    // Only the letters belong to the window: nothing where the leading blank stands.
    const QRegion mask = hint.mask();
    const int blank = widget<QLabel>(hint, "LabelHint")->fontMetrics().horizontalAdvance(' ');
    ASSERT_FALSE(mask.isEmpty());
    ASSERT_GT(blank, 2);
    EXPECT_TRUE(mask.intersected(QRect(0, 0, blank - 1, hint.height())).isEmpty());
    EXPECT_TRUE(widget<QLabel>(hint, "LabelHint")->rect().contains(mask.boundingRect()));

    QTest::qWait(700);
    EXPECT_TRUE(hint.isVisible()) << "closed early, after " << shown.elapsed() << " ms";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hint.isVisible(); }, 2000));
    EXPECT_LT(shown.elapsed(), 1600);
}

TEST(THintF, ZeroSecondsKeepsTheHintUntilTheNextOneReplacesIt) {
    HintRig rig("0");
    rig.feedback.afterMatch(1, " Play", QString());
    QTest::qWait(300);
    EXPECT_TRUE(rig.hint.isVisible());

    rig.state.settings.showTimeCommand = "1";
    rig.feedback.beforeSwitch(" Radio", QString());  // as tall as its text
    EXPECT_EQ(rig.hint.geometry(), rig.expected(0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.hint.isVisible(); }, 2000));
}

QImage picture(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

TEST(IconFlash, TheWindowAndTrayShowTheActivityIconForAHundredMillisecondsFromTheFirstFlash) {
    QWidget window;
    QSystemTrayIcon tray;
    IntervalTimer timerIcon(100);
    IconFlash flash(timerIcon, iconSetterFor(&window, &tray));
    const QImage normal = picture(QIcon(IconFlash::kNormalIcon));
    const QImage active = picture(QIcon(IconFlash::kActiveIcon));
    ASSERT_NE(normal, active);

    QElapsedTimer clock;
    clock.start();
    flash.flash();
    EXPECT_EQ(picture(window.windowIcon()), active);
    EXPECT_EQ(picture(tray.icon()), active);
    QTest::qWait(50);
    ASSERT_EQ(picture(tray.icon()), active) << "too slow to flash twice within 100 ms";
    flash.flash();  // a second command within the flash restarts nothing
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture(tray.icon()) == normal; }, 1000));
    EXPECT_LT(clock.elapsed(), 145);
    EXPECT_EQ(picture(window.windowIcon()), normal);
}

}  // namespace

// The countdown and timer windows take the size of their word and " 9999" in the
// overlay font, 10 pixels from the screen's right edge, whatever font and word.
TEST(TWordWindow, TheWordAndFourNinesInTheOverlayFontSizeAndPlaceTheWindow) {
    SleepingWaiter waiter;
    TShutDownF shutdown(waiter);
    TTimerF timer;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const auto expectFitted = [&](TWordWindow& window, QLabel* sizing, const QString& text) {
        EXPECT_EQ(sizing->text(), text);
        EXPECT_EQ(window.geometry(), CountdownPlacement::geometry(sizing->sizeHint(), screen));
        EXPECT_EQ(window.geometry().right() + 1, screen.width() - 10);
    };
    expectFitted(shutdown, widget<QLabel>(shutdown, "LabelShutDownLNG"), "Выключить 9999");
    expectFitted(timer, widget<QLabel>(timer, "LabelWH"), "Таймер 9999");
    const int designWidth = timer.width();

    OverlayFont font;
    font.pointSize = 40;
    font.colorValue = 0xFF0000;  // blue
    timer.applyOverlayFont(font);
    EXPECT_GT(timer.width(), designWidth);
    expectFitted(timer, widget<QLabel>(timer, "LabelWH"), "Таймер 9999");
    EXPECT_EQ(widget<QLabel>(timer, "Label1")->palette().color(QPalette::WindowText),
              QColor(Qt::blue));

    shutdown.setWord("Shut down");  // a language file's word
    EXPECT_EQ(shutdown.word(), "Shut down");
    expectFitted(shutdown, widget<QLabel>(shutdown, "LabelShutDownLNG"), "Shut down 9999");
}
