#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include "core/command_file.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "test_helpers.h"

namespace {

// One command record as the program writes it: fourteen lines and an empty one.
struct Record {
    QString name, code, typeAction, combination, file, windowHandle, runAction, keyAdd, keyAdd1,
        key, mousePosX, mousePosY, pause, fileSound;

    QStringList lines() const {
        return {"Name: " + name,
                "Code: " + code,
                "Type Action: " + typeAction,
                "Command combination: " + combination,
                "File: " + file,
                "WindowHandle: " + windowHandle,
                "Run Action: " + runAction,
                "Key add: " + keyAdd,
                "Key add1: " + keyAdd1,
                "Key: " + key,
                "MousePos X: " + mousePosX,
                "MousePos Y: " + mousePosY,
                "Pause: " + pause,
                "FileSound: " + fileSound,
                QString()};
    }
};

Record numbered(int n) {
    Record r;
    r.name = QStringLiteral("Command %1").arg(n);
    r.code = QStringLiteral(" 1F %1").arg(n, 2, 10, QLatin1Char('0'));
    r.typeAction = QStringLiteral("Run command");
    r.file = QStringLiteral("/usr/bin/app%1").arg(n);
    r.runAction = QStringLiteral("Open");
    r.pause = QString::number(n * 100);
    return r;
}

QStringList withoutLine(QStringList lines, const QString& keyStart) {
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(keyStart)) {
            lines.removeAt(i);
            return lines;
        }
    }
    ADD_FAILURE() << "no line starts with " << keyStart.toStdString();
    return lines;
}

QStringList fileOf(const QString& header, const QList<QStringList>& records) {
    QStringList lines{"Name: " + header, QString()};
    for (const QStringList& record : records) {
        lines << record;
    }
    return lines;
}

// Everything a load leaves behind: captions and all 31 slots.
struct Snapshot {
    QStringList captions;
    QList<Command> slots;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const CommandTable& table) {
    Snapshot s;
    for (int node = 0; node < table.nodeCount(); ++node) {
        s.captions << table.caption(node);
    }
    for (int i = 0; i < CommandTable::kSlots; ++i) {
        s.slots << table.slot(i);
    }
    return s;
}

// A table built the way the editor builds one, with Cyrillic names.
CommandTable cyrillicTable() {
    CommandTable table;
    table.setHeader(QStringLiteral("Пульт от телевизора"));
    int slot = table.addCommand(QStringLiteral("Громче"));
    Command& up = table.slot(slot);
    up.name = QStringLiteral("Громче");
    up.code = QStringLiteral(" 0A 1B 2C");
    up.typeAction = QStringLiteral("Volume control");
    up.runAction = QStringLiteral("Up");
    up.fileSound = QStringLiteral("C:\\Звуки\\щелчок.wav");
    slot = table.addCommand(QStringLiteral("Пауза в фильме"));
    Command& pause = table.slot(slot);
    pause.name = QStringLiteral("Пауза в фильме");
    pause.code = QStringLiteral("3D 4E");
    pause.typeAction = QStringLiteral("Run command");
    pause.runAction = QStringLiteral("Pause:");
    pause.pause = QStringLiteral("15000");
    pause.windowHandle = QStringLiteral("Проигрыватель — Ёлка");
    slot = table.addCommand(QStringLiteral("Всё подряд"));
    Command& combo = table.slot(slot);
    combo.name = QStringLiteral("Всё подряд");
    combo.typeAction = QStringLiteral("Combination command");
    combo.commandCombination = QStringLiteral("1.Громче 2.Пауза в фильме");
    combo.mousePosX = QStringLiteral("100");
    combo.mousePosY = QStringLiteral("200");
    combo.keyAdd = QStringLiteral("Ctrl+");
    combo.keyAdd1 = QStringLiteral("Alt+");
    combo.key = QStringLiteral("Delete");
    return table;
}

}  // namespace

TEST(CommandFileLoad, EachKeyHasItsOwnCounterSoAMissingCodeShiftsLaterCodes) {
    const Record a = numbered(1), b = numbered(2), c = numbered(3);
    CommandTable table;
    CommandFile::load(fileOf("Remote", {a.lines(), withoutLine(b.lines(), "Code:"), c.lines()}),
                      table);
    ASSERT_EQ(table.commandCount(), 3);
    EXPECT_EQ(table.slot(1).code, a.code);
    EXPECT_EQ(table.slot(2).code, c.code);  // the third record's code lands in slot 2
    EXPECT_EQ(table.slot(3).code, QString());
    // Every other field keeps its own count.
    EXPECT_EQ(table.slot(2).file, b.file);
    EXPECT_EQ(table.slot(3).file, c.file);
    EXPECT_EQ(table.slot(3).name, c.name);
}

TEST(CommandFileLoad, PauseGoesToTheSlotOfTheLastCombinationLine) {
    Record a = numbered(1), b = numbered(2), c = numbered(3);
    a.pause = QStringLiteral("100");
    b.pause = QStringLiteral("2000");
    c.pause = QStringLiteral("300");
    CommandTable table;
    CommandFile::load(
        fileOf("Remote", {a.lines(), withoutLine(b.lines(), "Command combination:"), c.lines()}),
        table);
    // The second record has no combination line: its pause replaces the first's.
    EXPECT_EQ(table.slot(1).pause, QStringLiteral("2000"));
    EXPECT_EQ(table.slot(2).pause, QStringLiteral("300"));
    EXPECT_EQ(table.slot(3).pause, QString());
}

TEST(CommandFileLoad, ValuesAreCutToTheirKeptLengths) {
    Record r = numbered(1);
    r.pause = QStringLiteral("123456");
    r.file = QString(120, QLatin1Char('f'));
    r.code = QString(80, QLatin1Char('C'));
    r.name = QString(60, QLatin1Char('n'));
    r.mousePosX = QStringLiteral("1234567");
    r.key = QString(30, QLatin1Char('k'));
    Record whole = numbered(2);
    whole.code = QString(74, QLatin1Char('D'));  // 25 received bytes
    whole.pause = QStringLiteral("15000");
    CommandTable table;
    CommandFile::load(fileOf("Remote", {r.lines(), whole.lines()}), table);
    const Command& c = table.slot(1);
    EXPECT_EQ(c.pause, QStringLiteral("12345"));
    EXPECT_EQ(c.file, QString(100, QLatin1Char('f')));
    EXPECT_EQ(c.code, QString(75, QLatin1Char('C')));
    EXPECT_EQ(c.name, QString(50, QLatin1Char('n')));
    EXPECT_EQ(table.caption(1), QString(50, QLatin1Char('n')));
    EXPECT_EQ(c.mousePosX, QStringLiteral("12345"));
    EXPECT_EQ(c.key, QString(25, QLatin1Char('k')));
    EXPECT_EQ(table.slot(2).code, whole.code);
    EXPECT_EQ(table.slot(2).pause, QStringLiteral("15000"));

    // Lengths count characters: one outside the basic plane at the cut stays whole,
    // and Save writes it back instead of a question mark.
    const QString smile = QStringLiteral("\U0001F600");
    Record wide = numbered(1);
    wide.name = QString(49, QLatin1Char('n')) + smile + QStringLiteral("zz");
    wide.file = QString(99, QLatin1Char('f')) + smile + smile;
    CommandFile::load(fileOf("Remote", {wide.lines()}), table);
    EXPECT_EQ(table.caption(1), QString(49, QLatin1Char('n')) + smile);
    EXPECT_EQ(table.slot(1).file, QString(99, QLatin1Char('f')) + smile);
    EXPECT_TRUE(QString::fromUtf8(TextCodec::encodeLines(CommandFile::write(table)))
                    .contains(QStringLiteral("File: ") + QString(99, QLatin1Char('f')) + smile +
                              QStringLiteral("\r\n")));
}

TEST(CommandFileLoad, CombinationIsTrimmedButACodeKeepsItsLeadingBlank) {
    Record r = numbered(1);
    r.combination = QStringLiteral("  1.Play 2.Stop \t ");
    r.code = QStringLiteral(" 0A 0B");
    CommandTable table;
    CommandFile::load(fileOf("Remote", {r.lines()}), table);
    EXPECT_EQ(table.slot(1).commandCombination, QStringLiteral("1.Play 2.Stop"));
    EXPECT_EQ(table.slot(1).code, QStringLiteral(" 0A 0B"));
    EXPECT_TRUE(CommandFile::write(table).contains(QStringLiteral("Code:  0A 0B")));
}

TEST(CommandFileLoad, HeaderAndEmptyFiles) {
    CommandTable table = cyrillicTable();
    CommandFile::load({"Name: Remote", QString()}, table);
    EXPECT_EQ(table.nodeCount(), 1);
    EXPECT_EQ(table.caption(0), QStringLiteral("Remote"));
    EXPECT_EQ(CommandFile::write(table), QStringList({"Name: Remote", QString()}));
    for (int i = 0; i < CommandTable::kSlots; ++i) {
        EXPECT_EQ(table.slot(i), Command()) << "slot " << i;
    }

    CommandFile::load({}, table);
    EXPECT_EQ(table.nodeCount(), 0);
    EXPECT_FALSE(table.hasHeader());
    EXPECT_TRUE(CommandFile::write(table).isEmpty());
}

TEST(CommandFileLoad, KeysCountOnlyAtTheStartOfALine) {
    Record a = numbered(1), b = numbered(2);
    a.windowHandle = QStringLiteral("Editor - Code: main.cpp Name: x");
    a.file = QStringLiteral("/home/u/Pause: 99999");
    a.runAction = QStringLiteral("Pause:");
    b.fileSound = QStringLiteral("Key: Type Action: File: 1");
    CommandTable table;
    CommandFile::load(fileOf("Remote", {a.lines(), b.lines()}), table);
    ASSERT_EQ(table.commandCount(), 2);
    EXPECT_EQ(table.slot(1).windowHandle, a.windowHandle);
    EXPECT_EQ(table.slot(1).pause, a.pause);
    EXPECT_EQ(table.slot(2).code, b.code);
    EXPECT_EQ(table.slot(2).name, b.name);
    EXPECT_EQ(table.slot(2).key, QString());
    EXPECT_EQ(table.slot(2).file, b.file);
    EXPECT_EQ(table.slot(2).fileSound, b.fileSound);
    EXPECT_EQ(table.slot(3), Command());
}

TEST(CommandFileLoad, OnlyThirtyCommandsFitAndTheRestIsCounted) {
    QList<QStringList> records;
    for (int n = 1; n <= 33; ++n) {
        records << numbered(n).lines();
    }
    CommandTable table;
    const CommandFile::LoadReport report = CommandFile::load(fileOf("Big", records), table);
    EXPECT_EQ(table.commandCount(), 30);
    EXPECT_EQ(report.recordsLeftOut, 3);
    const Record last = numbered(30);
    const Command& slot30 = table.slot(30);
    EXPECT_EQ(slot30.name, last.name);
    EXPECT_EQ(slot30.code, last.code);
    EXPECT_EQ(slot30.file, last.file);
    EXPECT_EQ(slot30.pause, last.pause);
    EXPECT_EQ(table.addCommand(QStringLiteral("one more")), -1);
    EXPECT_EQ(table.commandCount(), 30);

    const QString message =
        CommandFile::leftOutMessage(Messages::builtIn(), QStringLiteral("/tmp/big.pci"), 3);
    EXPECT_TRUE(message.contains(QStringLiteral("/tmp/big.pci"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QLatin1Char('3'))) << message.toStdString();
}

TEST(CommandFileRoundTrip, ShippedSampleIsReproducedByteForByte) {
    const QString path = QStringLiteral(QUENDA_SOURCE_DIR "/resources/sample.pci");
    const QByteArray original = TestFiles::readBytes(path);
    ASSERT_FALSE(original.isEmpty());
    const TextFile::ReadResult read = TextFile::read(path);
    ASSERT_TRUE(read.lines.has_value()) << read.error.toStdString();
    CommandTable table;
    CommandFile::load(*read.lines, table);
    EXPECT_GT(table.commandCount(), 0);
    EXPECT_EQ(TextCodec::encodeLines(CommandFile::write(table)), original);
}

TEST(CommandFileRoundTrip, CyrillicTableIsWrittenInWindows1251AndReadBackEqual) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tv.pci"));
    const CommandTable table = cyrillicTable();
    const CommandFile::FileResult saved = CommandFile::saveToFile(path, table);
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();

    const QByteArray bytes = TestFiles::readBytes(path);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    // "Name: Громче" in Windows-1251, then the two-line header and CR LF endings.
    EXPECT_TRUE(
        bytes.startsWith("Name: \xCF\xF3\xEB\xFC\xF2 \xEE\xF2 \xF2\xE5\xEB\xE5\xE2\xE8"
                         "\xE7\xEE\xF0\xE0\r\n\r\nName: \xC3\xF0\xEE\xEC\xF7\xE5\r\n"));
    EXPECT_TRUE(bytes.contains("\xA8\xEB\xEA\xE0"));  // Ёлка
    EXPECT_TRUE(bytes.contains("WindowHandle: \xCF\xF0\xEE"));
    EXPECT_EQ(bytes.count("\r\n"), 2 + 3 * 15);
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));

    CommandTable loaded;
    const CommandFile::FileResult result = CommandFile::loadFromFile(path, loaded);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(snapshot(loaded), snapshot(table));
    // Writing the loaded table gives the same bytes again.
    EXPECT_EQ(TextCodec::encodeLines(CommandFile::write(loaded)), bytes);
}

TEST(CommandFileRoundTrip, TextOutsideWindows1251IsWrittenAsUtf8WithTheMark) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("music.pci"));
    CommandTable table = cyrillicTable();
    table.slot(1).file = QStringLiteral("/home/zoë/Musique/été.mp3");
    table.slot(2).windowHandle = QStringLiteral("Über – Проигрыватель");
    ASSERT_TRUE(CommandFile::saveToFile(path, table).ok);

    const QByteArray bytes = TestFiles::readBytes(path);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("été.mp3").toUtf8()));
    EXPECT_TRUE(bytes.contains(QStringLiteral("Name: Громче").toUtf8()));

    CommandTable loaded;
    ASSERT_TRUE(CommandFile::loadFromFile(path, loaded).ok);
    EXPECT_EQ(snapshot(loaded), snapshot(table));
    EXPECT_EQ(TextCodec::encodeLines(CommandFile::write(loaded)), bytes);
}

// A file that is missing, or longer than the 1 MB the program reads, is named in the
// error (the long one with its size) and leaves the table and the file as they were.
// A file of exactly 1 MB still loads.
TEST(CommandFileDisk, LoadingAMissingOrOversizedFileNamesItAndKeepsTheTable) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray limit = QByteArray("\r\n").repeated(TextFile::kMaxBytes / 2);
    const struct {
        const char* name;
        std::optional<QByteArray> content;
        bool loads;
        QString sizeText;
    } cases[] = {
        {"gone.pci", std::nullopt, false, QString()},
        {"long.pci", limit + "Name: x\r\n", false, QStringLiteral("1,048,585 bytes")},
        {"limit.pci", limit, true, QString()},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QLatin1String(c.name));
        if (c.content) {
            ASSERT_TRUE(TestFiles::writeBytes(path, *c.content));
        }
        CommandTable table = cyrillicTable();
        const Snapshot before = snapshot(table);
        const CommandFile::FileResult result = CommandFile::loadFromFile(path, table);
        EXPECT_EQ(result.ok, c.loads) << c.name;
        if (c.loads) {
            EXPECT_EQ(table.nodeCount(), 0) << c.name;
            continue;
        }
        EXPECT_TRUE(result.error.contains(path)) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(c.sizeText)) << result.error.toStdString();
        EXPECT_EQ(result.tooLarge, c.content.has_value()) << c.name;
        EXPECT_EQ(snapshot(table), before) << c.name;
        EXPECT_EQ(TestFiles::readBytes(path), c.content.value_or(QByteArray())) << c.name;
    }
}

TEST(CommandFileDisk, SaveCreatesAMissingFileAndReplacesTheWholeFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("new.pci"));
    const CommandTable table = cyrillicTable();
    ASSERT_TRUE(CommandFile::saveToFile(path, table).ok);
    const QByteArray first = TestFiles::readBytes(path);
    EXPECT_EQ(first, TextCodec::encodeLines(CommandFile::write(table)));

    // A shorter table leaves nothing of the longer file behind.
    CommandTable small;
    small.setHeader(QStringLiteral("H"));
    ASSERT_TRUE(CommandFile::saveToFile(path, small).ok);
    EXPECT_EQ(TestFiles::readBytes(path), QByteArray("Name: H\r\n\r\n"));
}

TEST(CommandFileDisk, SaveReplacesTheFileInsteadOfRewritingItInPlace) {
    // A second name for the old file still sees the old content after a save:
    // the new content went to a new file that took the old one's place.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("remote.pci"));
    const QString link = dir.filePath(QStringLiteral("old-content"));
    ASSERT_TRUE(TestFiles::writeBytes(path, "Name: Old\r\n\r\n"));
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(CommandFile::saveToFile(path, cyrillicTable()).ok);
    EXPECT_EQ(TestFiles::readBytes(link), QByteArray("Name: Old\r\n\r\n"));
    EXPECT_NE(TestFiles::readBytes(path), TestFiles::readBytes(link));
}

TEST(CommandFileDisk, FailedSaveLeavesTheOldFileWholeAndNoTemporaryFile) {
    // A file-size limit makes the write fail part-way, as a full disk would.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("remote.pci"));
    const QByteArray old("Name: Old\r\n\r\n");
    ASSERT_TRUE(TestFiles::writeBytes(path, old));

    CommandTable big;
    big.setHeader(QStringLiteral("Big"));
    for (int n = 1; n <= 30; ++n) {
        big.slot(big.addCommand(QStringLiteral("Command %1").arg(n))).file =
            QString(100, QLatin1Char('x'));
    }

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const CommandFile::FileResult result = CommandFile::saveToFile(path, big);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(path)) << result.error.toStdString();
    EXPECT_EQ(TestFiles::readBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("remote.pci")});
}
