#include "editor/editing_rules.h"

#include <gtest/gtest.h>

#include "print_qt.h"

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
    EXPECT_EQ(dialogTopLeft({111, 115, 654, 442}, {170, 91}), QPoint(353, 310));
    // Odd differences cut the half down: (655 - 172) / 2 = 241, (443 - 93) / 2 = 175.
    EXPECT_EQ(dialogTopLeft({0, 0, 655, 443}, {172, 93}), QPoint(241, 195));
    // A dialog larger than the window: the negative halves are cut toward zero, not down.
    EXPECT_EQ(dialogTopLeft({100, 100, 101, 101}, {172, 93}), QPoint(100 - 35, 100 + 4 + 20));
}

TEST(ActionRowVisibility, EachTypeShowsItsOwnListAndOnlyKeyControlLeavesTheCombinationAlone) {
    const auto run = actionRowFor(0);
    ASSERT_TRUE(run);
    EXPECT_EQ(*run, (ActionRow{true, false, false, false, false, false}));
    const auto combination = actionRowFor(1);
    ASSERT_TRUE(combination);
    EXPECT_EQ(*combination, (ActionRow{false, false, false, false, true, true}));
    const auto keys = actionRowFor(2);
    ASSERT_TRUE(keys);
    EXPECT_EQ(*keys, (ActionRow{false, false, false, false, true, std::nullopt}));
    const auto mouse = actionRowFor(3);
    ASSERT_TRUE(mouse);
    EXPECT_EQ(*mouse, (ActionRow{false, false, false, true, false, false}));
    const auto volume = actionRowFor(4);
    ASSERT_TRUE(volume);
    EXPECT_EQ(*volume, (ActionRow{false, true, false, false, false, false}));
    const auto pc = actionRowFor(5);
    ASSERT_TRUE(pc);
    EXPECT_EQ(*pc, (ActionRow{false, false, true, false, false, false}));
    // An empty or unknown type changes nothing.
    EXPECT_FALSE(actionRowFor(-1));
    EXPECT_FALSE(actionRowFor(6));
}

TEST(ActionRowVisibility, OverlaysFollowTheStoredRunAction) {
    EXPECT_TRUE(showsPositionFields(QStringLiteral("Mouse on position:")));
    EXPECT_TRUE(showsPositionFields(QStringLiteral("Mouse on position for windows:")));
    EXPECT_FALSE(showsPositionFields(QStringLiteral("Up")));
    EXPECT_FALSE(showsPositionFields(QStringLiteral("mouse on position:")));  // exact text
    EXPECT_TRUE(showsPauseSeconds(QStringLiteral("Pause:")));
    EXPECT_FALSE(showsPauseSeconds(QStringLiteral("Pause")));
    EXPECT_FALSE(showsPauseSeconds(QStringLiteral("Open")));
}

TEST(CombinationBuilder, NumbersElementsFromOneWithOneBlankBetween) {
    QString list = appendElement(QString(), QStringLiteral("A"));
    EXPECT_EQ(list, QStringLiteral("1.A"));
    list = appendElement(list, QStringLiteral("B"));
    list = appendElement(list, QStringLiteral("C"));
    EXPECT_EQ(list, QStringLiteral("1.A 2.B 3.C"));
    // The same command twice is two elements; names keep their blanks.
    EXPECT_EQ(appendElement(QStringLiteral("1.Volume up"), QStringLiteral("Volume up")),
              QStringLiteral("1.Volume up 2.Volume up"));
}

TEST(CombinationBuilder, StopsAtThirtyElementsAndPassesTheTeens) {
    // "12." holds "2." as text: the numbering must still go 12, 13, ... 30.
    const QString thirteen = listOf(13);
    EXPECT_TRUE(thirteen.endsWith(QStringLiteral(" 12.E12 13.E13")));
    const QString thirty = listOf(30);
    EXPECT_TRUE(thirty.endsWith(QStringLiteral(" 29.E29 30.E30")));
    EXPECT_EQ(appendElement(thirty, QStringLiteral("More")), thirty);
}

TEST(CombinationBuilder, MarkersAreFoundAsPlainText) {
    // A list edited by hand without any marker: nothing to number after.
    EXPECT_EQ(appendElement(QStringLiteral("Play Stop"), QStringLiteral("Next")),
              QStringLiteral("Play Stop"));
    // A name that holds a marker: the next number follows it, and one pick still
    // adds exactly one element.
    EXPECT_EQ(appendElement(QStringLiteral("1.A 2.Track 5."), QStringLiteral("B")),
              QStringLiteral("1.A 2.Track 5. 6.B"));
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
}

TEST(PauseSeconds, ThousandfoldIsRoundedToWholeMilliseconds) {
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

TEST(PositionReadout, ShowsBothCoordinates) {
    EXPECT_EQ(positionReadout({12, 345}), QStringLiteral("X = 12; Y = 345"));
    EXPECT_EQ(positionReadout({-5, 0}), QStringLiteral("X = -5; Y = 0"));
}

TEST(FilePickers, CommandFilesStayPickableAndEveryFileIsOffered) {
    EXPECT_TRUE(programFileFilter().contains(QStringLiteral("*.pci")));
    EXPECT_TRUE(soundFileFilter().contains(QStringLiteral("*.wav")));
#ifndef Q_OS_WIN
    // Linux programs have no extension: the first filter must show every file.
    EXPECT_TRUE(programFileFilter().startsWith(QStringLiteral("All files (*)")));
#endif
}
