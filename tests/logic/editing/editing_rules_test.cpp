#include "editor/editing_rules.h"

#include <gtest/gtest.h>

#include "core/dialog_placement.h"
#include "support/print_qt.h"

using namespace EditingRules;

namespace {

// A well-formed list of n elements named E1, E2, ...
QString listOf(int n) {
    QString list;
    for (int k = 1; k <= n; ++k) {
        list = appendElement(list, QStringLiteral("E%1").arg(k));
    }
    return list;
}

}  // namespace

TEST(DialogPlacement, CentredAcrossAndTwentyPixelsBelowTheMiddle) {
    // 654 x 442 at (111, 115) with the 170 x 91 header dialog: 111 + 242, 115 + 175 + 20.
    EXPECT_EQ(DialogPlacement::over({111, 115, 654, 442}, {170, 91}), QPoint(353, 310));
    // Odd differences cut the half down: (655 - 172) / 2 = 241, (443 - 93) / 2 = 175.
    EXPECT_EQ(DialogPlacement::over({0, 0, 655, 443}, {172, 93}), QPoint(241, 195));
    // A dialog larger than the window: the negative halves are cut toward zero, not down.
    EXPECT_EQ(DialogPlacement::over({100, 100, 101, 101}, {172, 93}),
              QPoint(100 - 35, 100 + 4 + 20));
}

TEST(CombinationBuilder, StopsAtThirtyElementsAndPassesTheTeens) {
    // "12." holds "2." as text: the numbering must still go 12, 13, ... 30.
    const QString thirteen = listOf(13);
    EXPECT_TRUE(thirteen.endsWith(QStringLiteral(" 12.E12 13.E13")));
    const QString thirty = listOf(30);
    EXPECT_TRUE(thirty.endsWith(QStringLiteral(" 29.E29 30.E30")));
    EXPECT_EQ(appendElement(thirty, QStringLiteral("More")), thirty);
}

TEST(PauseSeconds, CommaAndPointAreBothDecimalSeparators) {
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("0,25")).milliseconds, QStringLiteral("250"));
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("0.25")).milliseconds, QStringLiteral("250"));
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("0,1")).milliseconds, QStringLiteral("100"));
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("15")).milliseconds, QStringLiteral("15000"));
    EXPECT_EQ(pauseMilliseconds(QStringLiteral(" 2 ")).milliseconds, QStringLiteral("2000"));
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("0")).milliseconds, QStringLiteral("0"));
    // Every built-in choice converts.
    for (const char* seconds : {"0,1", "0,25", "0,5", "1", "2", "3", "5", "10", "15"}) {
        EXPECT_TRUE(pauseMilliseconds(QLatin1String(seconds)).milliseconds) << seconds;
    }
    // The thousandfold is rounded to whole milliseconds.
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("1,2344")).milliseconds, QStringLiteral("1234"));
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("1,2346")).milliseconds, QStringLiteral("1235"));
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("0,0004")).milliseconds, QStringLiteral("0"));
}

TEST(PauseSeconds, NotANumberOrNoFitStoresNothing) {
    const PauseConversion abc = pauseMilliseconds(QStringLiteral("abc"));
    EXPECT_FALSE(abc.milliseconds);
    EXPECT_EQ(abc.error, QStringLiteral("'abc' is not a valid floating point value"));
    EXPECT_EQ(pauseMilliseconds(QString()).error,
              QStringLiteral("'' is not a valid floating point value"));
    EXPECT_FALSE(pauseMilliseconds(QStringLiteral("1,000.5")).milliseconds);
    EXPECT_FALSE(pauseMilliseconds(QStringLiteral("inf")).milliseconds);
    EXPECT_FALSE(pauseMilliseconds(QStringLiteral("nan")).milliseconds);
    // The file keeps five digits: 100 seconds would come back as 10.
    EXPECT_EQ(pauseMilliseconds(QStringLiteral("99,999")).milliseconds, QStringLiteral("99999"));
    const PauseConversion tooLong = pauseMilliseconds(QStringLiteral("100"));
    EXPECT_FALSE(tooLong.milliseconds);
    EXPECT_TRUE(tooLong.error.startsWith(QStringLiteral("'100' is out of range")));
    EXPECT_FALSE(pauseMilliseconds(QStringLiteral("-1")).milliseconds);
}
