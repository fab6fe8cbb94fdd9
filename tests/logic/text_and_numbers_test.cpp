#include <gtest/gtest.h>

#include "core/number_text.h"
#include "core/text_codec.h"
#include "test_helpers.h"

TEST(NumberText, AcceptsLeadingBlanksSignAndDigitsOnly) {
    EXPECT_EQ(NumberText::toInt(QStringLiteral("0")), 0);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("1500")), 1500);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("   42")), 42);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("-17")), -17);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("+8")), 8);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("  -007")), -7);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("-2147483648")), -2147483647 - 1);

    for (const char* bad : {"", " ", "-", "+", "42 ", "4 2", "1.5", "1,5", "0x1F", "abc", "12a",
                            "- 5", "2147483648", "-2147483649", "99999999999999999999"}) {
        EXPECT_FALSE(NumberText::toInt(QString::fromLatin1(bad)).has_value()) << '"' << bad << '"';
    }
}

TEST(NumberText, ErrorMessageNamesTheText) {
    EXPECT_EQ(NumberText::invalidIntegerMessage(QStringLiteral("abc")),
              QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(NumberText::invalidIntegerMessage(QString()),
              QStringLiteral("'' is not a valid integer value"));
    EXPECT_EQ(NumberText::invalidIntegerMessage(QStringLiteral("111  ")),
              QStringLiteral("'111  ' is not a valid integer value"));
}

TEST(TextCodec, EveryByteOfWindows1251SurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0x20; b <= 0xFF; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = TextCodec::decodeWindows1251(all);
    ASSERT_EQ(text.size(), all.size());
    EXPECT_TRUE(TextCodec::fitsWindows1251(text));
    EXPECT_EQ(TextCodec::encodeWindows1251(text), all);

    // Letters and signs of the code page land on their Unicode characters.
    const QString upper = TextCodec::decodeWindows1251("\xC0\xDF\xE0\xFF\xA8\xB8\x88\x96\xB9");
    EXPECT_EQ(upper, QStringLiteral("АЯаяЁё€–№"));
    EXPECT_EQ(TextCodec::encodeWindows1251(QStringLiteral("Привет, Ёж!")),
              QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xE6!"));
    EXPECT_FALSE(TextCodec::fitsWindows1251(QStringLiteral("café")));
    EXPECT_FALSE(TextCodec::fitsWindows1251(QStringLiteral("über")));

    // The code page's upper half holds no C1 control but 0x98's: U+0080 and its
    // neighbours do not fit and come back unchanged through UTF-8.
    for (const char16_t control : {u'\u0080', u'\u0081', u'\u009F'}) {
        const QString text = QStringLiteral("A") + QChar(control);
        EXPECT_FALSE(TextCodec::fitsWindows1251(text)) << int(control);
        EXPECT_EQ(TextCodec::decodeLines(TextCodec::encodeLines({text})), QStringList{text});
    }
    EXPECT_TRUE(TextCodec::fitsWindows1251(QStringLiteral("\u007F\u0098")));
}

TEST(TextCodec, CutsCountCharactersAndNeverSplitAPair) {
    const QString smile = QStringLiteral("\U0001F600");
    EXPECT_EQ(TextCodec::cut(QStringLiteral("Name: abc"), 6, 2), QStringLiteral("ab"));
    EXPECT_EQ(TextCodec::cut("ab" + smile + "cd", 0, 3), "ab" + smile);
    EXPECT_EQ(TextCodec::cut("ab" + smile + "cd", 3, 5), QStringLiteral("cd"));
    EXPECT_EQ(TextCodec::cut(smile + smile, 1, 1), smile);
    EXPECT_EQ(TextCodec::cut(QStringLiteral("ab"), 5, 3), QString());
    // A lone half (a broken file) counts as one character of its own.
    const QString lone = QString(QChar(0xD83D)) + "x";
    EXPECT_EQ(TextCodec::cut(lone, 0, 1), QString(QChar(0xD83D)));
    EXPECT_EQ(TextCodec::cut(lone, 1, 4), QStringLiteral("x"));
}

TEST(TextCodec, LinesEndWithCrLfWhenWrittenAndLfAloneIsAccepted) {
    EXPECT_EQ(TextCodec::encodeLines({"Name: A", "", "Name: Б"}),
              QByteArray("Name: A\r\n\r\nName: \xC1\r\n"));
    EXPECT_TRUE(TextCodec::encodeLines({}).isEmpty());

    const QStringList expected{"Name: A", "", "Name: Б"};
    EXPECT_EQ(TextCodec::decodeLines("Name: A\r\n\r\nName: \xC1\r\n"), expected);
    EXPECT_EQ(TextCodec::decodeLines("Name: A\n\nName: \xC1\n"), expected);
    EXPECT_EQ(TextCodec::decodeLines("Name: A\r\n\nName: \xC1"), expected);
    EXPECT_EQ(TextCodec::decodeLines("\xEF\xBB\xBFName: A\n\nName: \xD0\x91\r\n"), expected);
    EXPECT_TRUE(TextCodec::decodeLines(QByteArray()).isEmpty());
}

TEST(TextCodec, UnencodableTextIsWrittenAsUtf8WithTheMark) {
    const QStringList lines{"File: /home/zoë/été.wav", "Name: Пульт"};
    const QByteArray bytes = TextCodec::encodeLines(lines);
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF") +
                         QStringLiteral("File: /home/zoë/été.wav\r\nName: Пульт\r\n").toUtf8());
    EXPECT_EQ(TextCodec::decodeLines(bytes), lines);
}
