#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/port_settings.h"
#include "core/settings_file.h"
#include "core/text_codec.h"
#include "test_helpers.h"

namespace {

enum class Trim { Both, Trailing };

// A text key of QUENDA.ini: as written (its value starts in the next column), the
// characters the reader keeps and how it trims them.
struct TextKey {
    QString written;
    int kept;
    Trim trim;
    std::function<QString&(SettingsRecord&)> field;
};

#define FIELD(name) [](SettingsRecord& r) -> QString& { return r.name; }

std::vector<TextKey> textKeys() {
    std::vector<TextKey> keys = {
        {"Launch with Windows: ", 3, Trim::Both, FIELD(launchWithWindows)},
        {"Load minized on tray: ", 3, Trim::Both, FIELD(loadMinimized)},
        {"Load file: ", 100, Trim::Both, FIELD(loadFile)},
        {"Language: ", 15, Trim::Both, FIELD(language)},
        {"Com Number: ", 5, Trim::Both, FIELD(comNumber)},
        {"Com Baud: ", 6, Trim::Both, FIELD(comBaud)},
        {"Com Data Bits: ", 1, Trim::Both, FIELD(comDataBits)},
        {"Com Stop Bits: ", 3, Trim::Both, FIELD(comStopBits)},
        {"Play sounds: ", 3, Trim::Both, FIELD(playSounds)},
        {"Show command: ", 3, Trim::Both, FIELD(showCommand)},
        {"FontName: ", 15, Trim::Both, FIELD(fontName)},
        {"FontSize: ", 3, Trim::Both, FIELD(fontSize)},
        {"FontColor: ", 10, Trim::Both, FIELD(fontColor)},
        {"FontStyle: ", 10, Trim::Both, FIELD(fontStyle)},
        {"Show time command: ", 1, Trim::Both, FIELD(showTimeCommand)},
        {"Pause command: ", 4, Trim::Both, FIELD(pauseCommand)},
        {"Pause reboot: ", 3, Trim::Both, FIELD(pauseReboot)},
        {"Type system: ", 15, Trim::Both, FIELD(typeSystem)},
        {"Recognize start symbol: ", 50, Trim::Trailing, FIELD(recognizeStartSymbol)},
        {"Timer step: ", 2, Trim::Both, FIELD(timerStep)},
        {"Timer ambit: ", 3, Trim::Both, FIELD(timerAmbit)},
        {"Step Mouse: ", 3, Trim::Both, FIELD(stepMouse)},
        {"Step Mouse click: ", 2, Trim::Both, FIELD(stepMouseClick)},
    };
    for (int n = 0; n < 8; ++n) {
        keys.push_back({QStringLiteral("Recognize delete %1: ").arg(n + 1), 2, Trim::Both,
                        [n](SettingsRecord& r) -> QString& { return r.recognizeDelete[n]; }});
        keys.push_back({QStringLiteral("Recognize change from %1: ").arg(n + 1), 2, Trim::Both,
                        [n](SettingsRecord& r) -> QString& { return r.recognizeChangeFrom[n]; }});
        keys.push_back({QStringLiteral("Recognize change to   %1: ").arg(n + 1), 2, Trim::Both,
                        [n](SettingsRecord& r) -> QString& { return r.recognizeChangeTo[n]; }});
    }
    return keys;
}

#undef FIELD

QString trimmed(const QString& text, Trim how) {
    QString out = text;
    while (!out.isEmpty() && out.back().unicode() <= 32) {
        out.chop(1);
    }
    while (how == Trim::Both && !out.isEmpty() && out.front().unicode() <= 32) {
        out.remove(0, 1);
    }
    return out;
}

QString distinctCharacters(int count) {
    const QString pool =
        QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QString text;
    while (text.size() < count) {
        text += pool;
    }
    return text.left(count);
}

const SettingsRecord kDefaults = SettingsRecord::defaults(QStringLiteral("English"));

// Reads one line; checks that only `key`'s field changed and returns its value.
QString readOne(const TextKey& key, const QString& line) {
    SettingsFile::ReadResult result = SettingsFile::read({line}, kDefaults);
    EXPECT_TRUE(result.errors.isEmpty()) << line.toStdString();
    const QString value = key.field(result.record);
    SettingsRecord expected = kDefaults;
    key.field(expected) = value;
    expected.fontColorValue = result.record.fontColorValue;
    EXPECT_EQ(result.record, expected) << "another field changed for " << line.toStdString();
    return value;
}

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

}  // namespace

TEST(SettingsFileRead, EveryTextKeyIsCutFromItsColumnToItsLengthAndTrimmed) {
    for (const TextKey& key : textKeys()) {
        SCOPED_TRACE(key.written.toStdString());
        if (key.written == QLatin1String("FontColor: ")) {
            continue;  // takes colour names only: see FontColorNameAndValueComeFromOneLine
        }
        const QString longValue = distinctCharacters(key.kept + 7);
        EXPECT_EQ(readOne(key, key.written + longValue), longValue.left(key.kept));

        const QString padded = QStringLiteral(" V  X\t ");
        EXPECT_EQ(readOne(key, key.written + padded), trimmed(padded.left(key.kept), key.trim));

        // A key later in the line is no key: the field keeps its default.
        SettingsRecord untouched = kDefaults;
        EXPECT_EQ(readOne(key, QStringLiteral("#") + key.written + longValue),
                  key.field(untouched));

        // The kept length counts characters: one outside the basic plane is kept whole.
        const QString wide = distinctCharacters(key.kept - 1) + QStringLiteral("\U0001F600yz");
        EXPECT_EQ(readOne(key, key.written + wide), wide.left(key.kept + 1));
    }
}

TEST(SettingsFileRead, DocumentedCutsAndTrims) {
    const auto read = [](const QString& line) {
        return SettingsFile::read({line}, kDefaults).record;
    };
    EXPECT_EQ(read("Recognize start symbol:  FF 01  ").recognizeStartSymbol,
              QStringLiteral(" FF 01"));
    EXPECT_EQ(read("FontName: Courier New     Bold").fontName, QStringLiteral("Courier New"));
    const QString path = "/home/user/" + distinctCharacters(109);
    EXPECT_EQ(read("Load file: " + path).loadFile, path.left(100));
    EXPECT_EQ(read("Launch with Windows: Yes").launchWithWindows, QStringLiteral("Yes"));
    EXPECT_EQ(read("Com Baud: 115200").comBaud, QStringLiteral("115200"));
    EXPECT_EQ(read("Step Mouse click: 15").stepMouseClick, QStringLiteral("15"));
    EXPECT_EQ(read("Com Device: /dev/ttyUSB0").comDevice, QStringLiteral("/dev/ttyUSB0"));
}

TEST(SettingsFileRead, MissingKeysTakeTheirDefaultsButEmptyValuesStayEmpty) {
    const SettingsRecord russian = SettingsRecord::defaults(QStringLiteral("Russian"));
    EXPECT_EQ(SettingsFile::read({}, russian).record, russian);

    const SettingsFile::ReadResult result = SettingsFile::read(
        {"Com Baud: 57600", "Type system: ", "Pause command: ", "Language: "}, russian);
    SettingsRecord expected = russian;
    expected.comBaud = QStringLiteral("57600");
    expected.typeSystem.clear();
    expected.pauseCommand.clear();
    expected.language.clear();
    EXPECT_EQ(result.record, expected);
}

TEST(SettingsFileRead, GeometryKeys) {
    using G = SettingsFile::ReadGeometry;
    struct Case {
        QString line;
        std::optional<int> G::*field;
        std::optional<int> value;
    };
    const std::vector<Case> cases = {
        {"Left: 111", &G::left, 111},
        {"Left: -20", &G::left, -20},
        {"Left: 123456", &G::left, 12345},
        {"Top: 115", &G::top, 115},
        {"Top: 115  ", &G::top, 115},
        {"LeftPanelW: 150", &G::leftPanelW, 150},
        {"LeftPanelH: 377", &G::leftPanelH, 377},
        {"RightPanelW: 654", &G::rightPanelW, 654},
        {"RightPanelH: 442", &G::rightPanelH, 442},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const SettingsFile::ReadResult result = SettingsFile::read({c.line}, kDefaults);
        EXPECT_TRUE(result.errors.isEmpty());
        G expected;
        expected.*c.field = c.value;
        EXPECT_EQ(result.geometry.left, expected.left);
        EXPECT_EQ(result.geometry.top, expected.top);
        EXPECT_EQ(result.geometry.leftPanelW, expected.leftPanelW);
        EXPECT_EQ(result.geometry.leftPanelH, expected.leftPanelH);
        EXPECT_EQ(result.geometry.rightPanelW, expected.rightPanelW);
        EXPECT_EQ(result.geometry.rightPanelH, expected.rightPanelH);
        EXPECT_EQ(result.record, kDefaults);
    }
    // "Com Stop Bits:" holds "Top:" only in another letter case.
    EXPECT_FALSE(SettingsFile::read({"Com Stop Bits: 2"}, kDefaults).geometry.top.has_value());
}

TEST(SettingsFileRead, AnUnconvertibleGeometryValueIsReportedAndReadingGoesOn) {
    struct Case {
        QString line, key, value;
    };
    const std::vector<Case> cases = {
        {"Left: 111  ", "Left:", "111  "},  // only "Top:" is trimmed
        {"LeftPanelW: 150 ", "LeftPanelW:", " 150 "},
        {"RightPanelH: 44x", "RightPanelH:", " 44x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const SettingsFile::ReadResult result = SettingsFile::read(
            {"Top: 20", c.line, "Com Baud: 115200", "FontColor: clBlue"}, kDefaults);
        ASSERT_EQ(result.errors.size(), 1);
        EXPECT_TRUE(result.errors[0].contains(c.key)) << result.errors[0].toStdString();
        EXPECT_TRUE(result.errors[0].contains("'" + c.value + "' is not a valid integer value"))
            << result.errors[0].toStdString();
        EXPECT_EQ(result.geometry.top, 20);
        EXPECT_EQ(result.record.comBaud, QStringLiteral("115200"));
        EXPECT_EQ(result.record.fontColorValue, rgb(0, 0, 255));
    }
}

TEST(SettingsFileRead, FontColorNameAndValueComeFromOneLine) {
    struct Case {
        QStringList lines;
        QString name;
        std::uint32_t value;
    };
    const std::vector<Case> cases = {
        {{"FontColor: clMaroon"}, "clMaroon", rgb(128, 0, 0)},
        {{"FontColor: clAqua"}, "clAqua", rgb(0, 255, 255)},
        {{"FontColor: clSilver  "}, "clSilver", rgb(192, 192, 192)},
        {{"FontColor:   clWhite"}, "clWhite", rgb(255, 255, 255)},
        {{"FontColor: clFuchsia x"}, "clFuchsia", rgb(255, 0, 255)},  // cut to 10
        // Another letter case is no colour name: the line is passed over whole.
        {{"FontColor: clred"}, "clRed", rgb(255, 0, 0)},
        {{"FontColor: clGreen", "FontColor: CLRED"}, "clGreen", rgb(0, 128, 0)},
        {{"FontColor: clBlue", "FontColor: "}, "clBlue", rgb(0, 0, 255)},
        {{"FontColor: clBlue", "FontColor: clNavy"}, "clNavy", rgb(0, 0, 128)},
        // A file without the key takes the default colour and its value.
        {{}, "clRed", rgb(255, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.join(" | ").toStdString());
        const SettingsRecord record = SettingsFile::read(c.lines, kDefaults).record;
        EXPECT_EQ(record.fontColor, c.name);
        EXPECT_EQ(record.fontColorValue, c.value);
        std::uint32_t named = 0;
        EXPECT_TRUE(FontColors::valueOf(record.fontColor, named));
        EXPECT_EQ(named, record.fontColorValue);
    }
}

TEST(SettingsFileRead, KeysCountOnlyAtTheStartOfALine) {
    const QString path = QStringLiteral("/home/u/Left: 5/Com Device: x/Top: 9.pci");
    const SettingsFile::ReadResult result =
        SettingsFile::read({"Load file: " + path, "  Left: 111", "# Com Number: COM 3",
                            "Name Language: Russian", "Com Device: /dev/pts/7"},
                           kDefaults);
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.join('\n').toStdString();
    SettingsRecord expected = kDefaults;
    expected.loadFile = path;
    expected.comDevice = QStringLiteral("/dev/pts/7");
    EXPECT_EQ(result.record, expected);
    EXPECT_FALSE(result.geometry.left.has_value());
    EXPECT_FALSE(result.geometry.top.has_value());
}

TEST(SettingsFileWrite, FixedOrderWithBlankLinesAndReadBack) {
    SettingsRecord r;
    r.launchWithWindows = "no";
    r.loadMinimized = "yes";
    r.loadFile = "/home/user/tv.pci";
    r.language = "Russian";
    r.comNumber = "COM 2";
    r.comBaud = "115200";
    r.comDataBits = "8";
    r.comStopBits = "1";
    r.comDevice = "/dev/ttyUSB0";
    r.recognizeStartSymbol = "FF";
    r.recognizeDelete[0] = "00";
    r.recognizeDelete[7] = "FE";
    r.recognizeChangeFrom[0] = "0A";
    r.recognizeChangeTo[0] = "0B";
    r.recognizeChangeFrom[7] = "1C";
    r.recognizeChangeTo[7] = "1D";
    r.playSounds = "no";
    r.showCommand = "yes";
    r.fontName = "Arial";
    r.fontSize = "24";
    r.fontColor = "clLime";
    r.fontStyle = "fsItalic";
    r.showTimeCommand = "5";
    r.pauseCommand = "250";
    r.pauseReboot = "30";
    r.typeSystem = "Windows XP";
    r.timerStep = "5";
    r.timerAmbit = "180";
    r.stepMouse = "20";
    r.stepMouseClick = "15";
    r.fontColorValue = rgb(0, 255, 0);
    const WindowGeometry g{10, 20, 160, 380, 700, 500};

    const QByteArray expected =
        "\r\n"
        "Left: 10\r\nTop: 20\r\nLeftPanelW: 160\r\nLeftPanelH: 380\r\nRightPanelW: 700\r\n"
        "RightPanelH: 500\r\n"
        "\r\n"
        "Launch with Windows: no\r\nLoad minized on tray: yes\r\n"
        "Load file: /home/user/tv.pci\r\nLanguage: Russian\r\n"
        "\r\n"
        "Com Number: COM 2\r\nCom Baud: 115200\r\nCom Data Bits: 8\r\nCom Stop Bits: 1\r\n"
        "Com Device: /dev/ttyUSB0\r\n"
        "\r\n"
        "Recognize start symbol: FF\r\n"
        "\r\n"
        "Recognize delete 1: 00\r\nRecognize delete 2: \r\nRecognize delete 3: \r\n"
        "Recognize delete 4: \r\nRecognize delete 5: \r\nRecognize delete 6: \r\n"
        "Recognize delete 7: \r\nRecognize delete 8: FE\r\n"
        "\r\n"
        "Recognize change from 1: 0A\r\nRecognize change to   1: 0B\r\n"
        "Recognize change from 2: \r\nRecognize change to   2: \r\n"
        "Recognize change from 3: \r\nRecognize change to   3: \r\n"
        "Recognize change from 4: \r\nRecognize change to   4: \r\n"
        "Recognize change from 5: \r\nRecognize change to   5: \r\n"
        "Recognize change from 6: \r\nRecognize change to   6: \r\n"
        "Recognize change from 7: \r\nRecognize change to   7: \r\n"
        "Recognize change from 8: 1C\r\nRecognize change to   8: 1D\r\n"
        "\r\n"
        "Play sounds: no\r\nShow command: yes\r\nFontName: Arial\r\nFontSize: 24\r\n"
        "FontColor: clLime\r\nFontStyle: fsItalic\r\nShow time command: 5\r\n"
        "Pause command: 250\r\nPause reboot: 30\r\nType system: Windows XP\r\n"
        "Timer step: 5\r\nTimer ambit: 180\r\nStep Mouse: 20\r\nStep Mouse click: 15\r\n";
    const QStringList lines = SettingsFile::write(r, g);
    EXPECT_EQ(TextCodec::encodeLines(lines), expected);

    const SettingsFile::ReadResult back =
        SettingsFile::read(TextCodec::decodeLines(expected), kDefaults);
    EXPECT_TRUE(back.errors.isEmpty());
    EXPECT_EQ(back.record, r);
    EXPECT_EQ(back.geometry.left, 10);
    EXPECT_EQ(back.geometry.top, 20);
    EXPECT_EQ(back.geometry.leftPanelW, 160);
    EXPECT_EQ(back.geometry.leftPanelH, 380);
    EXPECT_EQ(back.geometry.rightPanelW, 700);
    EXPECT_EQ(back.geometry.rightPanelH, 500);
}

TEST(PortSettings, ConvertsTheSettingsOrRefuses) {
    SettingsRecord s = kDefaults;
    s.comNumber = "COM 2";
    s.comBaud = "115200";
    const std::optional<PortSettings> port = PortSettings::fromSettings(s);
    ASSERT_TRUE(port.has_value());
    EXPECT_EQ(*port, (PortSettings{"/dev/ttyS1", 115200, 8, 1}));

    s.comNumber = "COM 4";
    s.comStopBits = "2";
    s.comDataBits = "7";
    EXPECT_EQ(PortSettings::fromSettings(s), (PortSettings{"/dev/ttyS3", 115200, 7, 2}));

    // Another family of devices for the numbers.
    qputenv("QUENDA_COM_PREFIX", "/dev/ttyUSB");
    EXPECT_EQ(PortSettings::fromSettings(s)->device, QStringLiteral("/dev/ttyUSB3"));
    qunsetenv("QUENDA_COM_PREFIX");

    s.comDevice = "/dev/pts/7";  // a named device wins over the number
    EXPECT_EQ(PortSettings::fromSettings(s), (PortSettings{"/dev/pts/7", 115200, 7, 2}));
    s.comNumber.clear();
    EXPECT_EQ(PortSettings::fromSettings(s), (PortSettings{"/dev/pts/7", 115200, 7, 2}));

    // Each of these makes the port unusable.
    const std::vector<std::function<void(SettingsRecord&)>> breakers = {
        [](SettingsRecord& r) { r.comNumber.clear(); },
        [](SettingsRecord& r) { r.comNumber = "COM x"; },
        [](SettingsRecord& r) { r.comNumber = "COM 0"; },
        [](SettingsRecord& r) { r.comBaud = "fast"; },
        [](SettingsRecord& r) { r.comBaud.clear(); },
        [](SettingsRecord& r) { r.comDataBits = "x"; },
        [](SettingsRecord& r) { r.comStopBits.clear(); },
    };
    for (std::size_t i = 0; i < breakers.size(); ++i) {
        SettingsRecord bad = kDefaults;
        breakers[i](bad);
        EXPECT_FALSE(PortSettings::fromSettings(bad).has_value()) << "case " << i;
    }
}
