#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/number_text.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "test_helpers.h"

namespace {

ino_t inodeOf(const QString& path) {
    struct stat info {};
    return stat(path.toLocal8Bit().constData(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace

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
    // Only a CR right before the line's end goes; a last line keeps its text.
    EXPECT_EQ(TextCodec::decodeLines("a\rb\r\n\r\n\r"), (QStringList{"a\rb", "", ""}));
    EXPECT_EQ(TextCodec::decodeLines("\n\nc\r"), (QStringList{"", "", "c"}));
}

TEST(TextCodec, UnencodableTextIsWrittenAsUtf8WithTheMark) {
    const QStringList lines{"File: /home/zoë/été.wav", "Name: Пульт"};
    const QByteArray bytes = TextCodec::encodeLines(lines);
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF") +
                         QStringLiteral("File: /home/zoë/été.wav\r\nName: Пульт\r\n").toUtf8());
    EXPECT_EQ(TextCodec::decodeLines(bytes), lines);

    // Text that fits the code page but whose bytes there are valid UTF-8 ("Гњ" is
    // C3 9C, "Ü" in UTF-8) would be read back changed: it takes the mark too.
    const QStringList lookalike{"Name: Гњber"};
    EXPECT_TRUE(TextCodec::encodeLines(lookalike).startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(TextCodec::decodeLines(TextCodec::encodeLines(lookalike)), lookalike);
}

// A file that is valid UTF-8 with non-ASCII bytes but no mark (a Linux text editor's)
// is read as UTF-8 and written back without the mark; Windows-1251 Cyrillic, which is
// not valid UTF-8, and plain ASCII stay Windows-1251.
TEST(TextCodec, Utf8WithoutTheMarkIsRecognisedAndKept) {
    const QByteArray utf8 = QStringLiteral("Name: Пульт\r\nFile: /home/zoë\r\n").toUtf8();
    const TextCodec::Decoded decoded = TextCodec::decode(utf8);
    EXPECT_EQ(decoded.lines, (QStringList{"Name: Пульт", "File: /home/zoë"}));
    EXPECT_EQ(decoded.encoding, TextCodec::Encoding::Utf8);
    EXPECT_EQ(TextCodec::encodeLines(decoded.lines, decoded.encoding), utf8);

    const TextCodec::Decoded cp1251 = TextCodec::decode("Name: \xCF\xF3\xEB\xFC\xF2\r\n");
    EXPECT_EQ(cp1251.encoding, TextCodec::Encoding::Windows1251);
    EXPECT_EQ(cp1251.lines, QStringList{"Name: Пульт"});
    EXPECT_EQ(TextCodec::decode("Name: A\r\n").encoding, TextCodec::Encoding::Windows1251);
    EXPECT_EQ(TextCodec::decode("\xEF\xBB\xBFName: A\r\n").encoding,
              TextCodec::Encoding::Utf8WithMark);
}

// A writable file in a folder the user may not write to is rewritten in place; in a
// writable folder the new file replaces the old one whole (a new inode). Root is
// bound by permissions only while it acts as the user "nobody".
TEST(TextFile, FallsBackToWritingInPlaceOnlyWhereNoTemporaryFileCanBeMade) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString open = dir.filePath(QStringLiteral("open.pci"));
    const QString locked = dir.filePath(QStringLiteral("locked"));
    const QString inLocked = locked + QStringLiteral("/remote.pci");
    ASSERT_TRUE(QDir().mkdir(locked));
    for (const QString& file : {open, inLocked}) {
        ASSERT_TRUE(TestFiles::writeBytes(file, "Name: old\r\n"));
        ASSERT_EQ(chmod(file.toLocal8Bit().constData(), 0666), 0);
    }
    ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    ASSERT_EQ(chmod(locked.toLocal8Bit().constData(), 0555), 0);
    const ino_t openBefore = inodeOf(open);
    const ino_t lockedBefore = inodeOf(inLocked);
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || seteuid(65534) == 0);
    const QString lockedError = TextFile::write(inLocked, {"Name: new"});
    const QString openError = TextFile::write(open, {"Name: new"});
    const QString newFileError = TextFile::write(locked + QStringLiteral("/new.pci"), {"Name: x"});
    ASSERT_TRUE(!root || seteuid(0) == 0);
    EXPECT_EQ(lockedError, QString());
    EXPECT_EQ(openError, QString());
    EXPECT_NE(newFileError, QString()) << "a new file in the locked folder still fails";
    EXPECT_EQ(TestFiles::readBytes(inLocked), QByteArray("Name: new\r\n"));
    EXPECT_EQ(inodeOf(inLocked), lockedBefore);
    EXPECT_EQ(TestFiles::readBytes(open), QByteArray("Name: new\r\n"));
    EXPECT_NE(inodeOf(open), openBefore);
    chmod(locked.toLocal8Bit().constData(), 0755);
}
