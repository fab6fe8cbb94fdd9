#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "forms/dialog_placement.h"
#include "settings/test_window.h"
#include "support/find_widget.h"

namespace {

QString lines(const TTestF& window) {
    return widget<QPlainTextEdit>(window, "RichEdit1")->toPlainText();
}

}  // namespace

TEST(TestWindow, OneLinePerCodeAndEmptyOnEveryShowing) {
    TTestF window;
    QWidget mainWindow;
    window.appendCode(" 41 42");  // collected while hidden
    window.appendCode("41 43");
    QCoreApplication::processEvents();  // they go into the box once the program is idle
    EXPECT_EQ(lines(window), " 41 42\n41 43");

    // The offscreen windows have frames of 2 pixels a side: the whole main window is
    // 658 x 446 at (109, 113), the window 452 x 306 (its frame, before it was first
    // shown, taken to be the main window's).
    mainWindow.setGeometry(111, 115, 654, 442);
    mainWindow.show();
    QTimer::singleShot(0, &window, [&] {
        // (658 - 452) / 2 = 103, (446 - 306) / 2 + 20 = 90.
        EXPECT_EQ(window.frameGeometry(), QRect(109 + 103, 113 + 90, 452, 306));
        EXPECT_EQ(window.geometry(), QRect(214, 205, 448, 302));
        EXPECT_TRUE(lines(window).isEmpty());
        window.appendCode(" 01");
        window.appendCode(" 02");
        EXPECT_EQ(lines(window), " 01\n 02");
        QTest::mouseClick(widget<QPushButton>(window, "Button1"), Qt::LeftButton);
    });
    EXPECT_EQ(window.NTestIRClick(mainWindow), QDialog::Accepted);
    window.appendCode(" 03");
    window.show();
    EXPECT_TRUE(lines(window).isEmpty());

    // Negative halves are truncated toward zero: (405 - 452) / 2 = -23 and
    // (255 - 306) / 2 = -25, from the main window's frame at (-2, -2).
    mainWindow.setGeometry(0, 0, 401, 251);
    DialogPlacement::placeOver(window, mainWindow);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(-2 - 23, -2 - 25 + 20));
}

TEST(TestWindow, KeepsOnlyTheLatestThousandLinesOfAtMostAHundredThousandCharacters) {
    TTestF window;
    for (int n = 1; n <= 2500; ++n) {
        window.appendCode(QStringLiteral(" %1").arg(n));
    }
    QCoreApplication::processEvents();
    QStringList shown = lines(window).split('\n');
    ASSERT_EQ(shown.size(), 1000);
    EXPECT_EQ(shown.first(), QStringLiteral(" 1501"));
    EXPECT_EQ(shown.last(), QStringLiteral(" 2500"));

    // Noise makes long codes: the oldest lines go when the whole passes the bound.
    for (int n = 1; n <= 300; ++n) {
        window.appendCode(QString(999, QLatin1Char('F')) + QString::number(n % 10));
    }
    QCoreApplication::processEvents();
    shown = lines(window).split('\n');
    EXPECT_EQ(shown.size(), 99);
    EXPECT_EQ(shown.last(), QString(999, QLatin1Char('F')) + QLatin1Char('0'));
}

TEST(TestWindow, ControlsFollowEverySizeDownToTheMinimum) {
    TTestF window;
    const QWidget* box = widget<QPlainTextEdit>(window, "RichEdit1");
    const QWidget* ok = widget<QPushButton>(window, "Button1");
    window.show();
    for (const QSize asked : {QSize(448, 302), QSize(700, 500), QSize(100, 50), QSize(360, 600)}) {
        window.resize(asked);
        const int w = window.width(), h = window.height();
        EXPECT_EQ(QSize(w, h), asked.expandedTo(QSize(350, 200)));
        EXPECT_EQ(box->geometry(), QRect(9, 10, w - 27, h - 80));
        EXPECT_EQ(ok->geometry(), QRect(w - 91, h - 60, 75, 25));
    }
}
