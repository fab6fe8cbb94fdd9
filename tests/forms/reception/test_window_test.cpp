#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "settings/test_window.h"

TEST(TestWindow, OneLinePerCodeAndEmptyOnEveryShowing) {
    TTestF window;
    window.appendCode(" 41 42");  // collected while hidden
    window.appendCode("41 43");
    QCoreApplication::processEvents();  // they go into the box once the program is idle
    EXPECT_EQ(window.RichEdit1->toPlainText(), " 41 42\n41 43");

    QTimer::singleShot(0, &window, [&] {
        // (654 - 448) / 2 = 103, (442 - 302) / 2 + 20 = 90.
        EXPECT_EQ(window.geometry(), QRect(214, 205, 448, 302));
        EXPECT_TRUE(window.RichEdit1->toPlainText().isEmpty());
        window.appendCode(" 01");
        window.appendCode(" 02");
        EXPECT_EQ(window.RichEdit1->toPlainText(), " 01\n 02");
        QTest::mouseClick(window.Button1, Qt::LeftButton);
    });
    EXPECT_EQ(window.NTestIRClick(QRect(111, 115, 654, 442)), QDialog::Accepted);
    window.appendCode(" 03");
    window.show();
    EXPECT_TRUE(window.RichEdit1->toPlainText().isEmpty());

    // Negative halves are truncated toward zero: -47 / 2 = -23, -51 / 2 = -25.
    window.placeOver(QRect(0, 0, 401, 251));
    EXPECT_EQ(window.geometry().topLeft(), QPoint(-23, -5));
}

TEST(TestWindow, KeepsOnlyTheLatestThousandLinesOfAtMostAHundredThousandCharacters) {
    TTestF window;
    for (int n = 1; n <= 2500; ++n) {
        window.appendCode(QStringLiteral(" %1").arg(n));
    }
    QCoreApplication::processEvents();
    QStringList lines = window.RichEdit1->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines.first(), QStringLiteral(" 1501"));
    EXPECT_EQ(lines.last(), QStringLiteral(" 2500"));

    // Noise makes long codes: the oldest lines go when the whole passes the bound.
    for (int n = 1; n <= 300; ++n) {
        window.appendCode(QString(999, QLatin1Char('F')) + QString::number(n % 10));
    }
    QCoreApplication::processEvents();
    lines = window.RichEdit1->toPlainText().split('\n');
    EXPECT_EQ(lines.size(), 99);
    EXPECT_EQ(lines.last(), QString(999, QLatin1Char('F')) + QLatin1Char('0'));
}

TEST(TestWindow, ControlsFollowEverySizeDownToTheMinimum) {
    TTestF window;
    window.show();
    for (const QSize asked : {QSize(448, 302), QSize(700, 500), QSize(100, 50), QSize(360, 600)}) {
        window.resize(asked);
        const int w = window.width(), h = window.height();
        EXPECT_EQ(QSize(w, h), asked.expandedTo(QSize(350, 200)));
        EXPECT_EQ(window.RichEdit1->geometry(), QRect(9, 10, w - 27, h - 80));
        EXPECT_EQ(window.Button1->geometry(), QRect(w - 91, h - 60, 75, 25));
    }
}
