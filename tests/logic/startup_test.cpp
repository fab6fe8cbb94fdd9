#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "core/command_file.h"
#include "core/first_start.h"
#include "core/settings_file.h"
#include "core/startup.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "test_helpers.h"

namespace {

const QString kBuiltInSettings = QStringLiteral(":/quenda/QUENDA.ini");

// A program folder in a temporary directory, holding QUENDA.ini and one remote.
class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        state.programFolder = dir_.path() + QLatin1Char('/');
        state.settings.language = QStringLiteral("English");
        remotePath = state.programFolder + QStringLiteral("tv.pci");
        ASSERT_TRUE(TestFiles::writeBytes(remotePath, TestFiles::crlf({
                                                          "Name: TV",
                                                          "",
                                                          "Name: Louder",
                                                          "Code:  1F 2E",
                                                          "Type Action: Volume control",
                                                          "Run Action: Up",
                                                          "",
                                                      })));
    }

    // Settings lines with the given lines added at the end (later lines win).
    void writeSettings(const QStringList& extra) {
        QStringList lines{"Left: 30",          "Top: 40",           "Load file: " + remotePath,
                          "Com Number: COM 3", "Com Baud: 19200",   "Com Data Bits: 7",
                          "Com Stop Bits: 2",  "Pause command: 250"};
        lines << extra;
        ASSERT_EQ(TextFile::write(state.settingsPath(), lines), QString());
    }

    QTemporaryDir dir_;
    AppState state;
    QString remotePath;
    CollectingReporter errors;
};

}  // namespace

TEST_F(StartupTest, ReadsSettingsThenTheCommandFileThenPortAndInterval) {
    writeSettings({});
    const StartupResult result = Startup::run(state, errors);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_TRUE(result.settingsRead);
    EXPECT_EQ(result.geometry.left, 30);
    EXPECT_EQ(result.geometry.top, 40);
    EXPECT_EQ(state.settings.comBaud, QStringLiteral("19200"));
    EXPECT_EQ(state.commandFilePath, remotePath);
    ASSERT_EQ(state.table.commandCount(), 1);
    EXPECT_EQ(state.table.caption(0), QStringLiteral("TV"));
    EXPECT_EQ(state.table.slot(1).code, QStringLiteral(" 1F 2E"));
    EXPECT_EQ(result.port, (PortSettings{"/dev/ttyS2", 19200, 7, 2}));
    EXPECT_EQ(result.recognitionIntervalMs, 250);
}

// A missing command file may be created by Save later; one refused for its size is
// never written over: Save asks for a name instead.
TEST_F(StartupTest, AMissingOrOversizedCommandFileIsReportedAndStartUpGoesOn) {
    const QString missing = state.programFolder + QStringLiteral("gone.pci");
    const QString oversized = state.programFolder + QStringLiteral("huge.pci");
    ASSERT_TRUE(TestFiles::writeBytes(oversized, QByteArray(TextFile::kMaxBytes + 1, 'x')));
    for (const auto& [file, pathAfter] :
         {std::pair{missing, missing}, std::pair{oversized, QString()}}) {
        errors.messages.clear();
        writeSettings({"Load file: " + file});
        const StartupResult result = Startup::run(state, errors);
        ASSERT_EQ(errors.messages.size(), 1);
        EXPECT_TRUE(errors.messages[0].contains(file)) << errors.messages[0].toStdString();
        EXPECT_EQ(state.table.nodeCount(), 0);
        EXPECT_EQ(state.commandFilePath, pathAfter);
        EXPECT_EQ(result.port, (PortSettings{"/dev/ttyS2", 19200, 7, 2}));
        EXPECT_EQ(result.recognitionIntervalMs, 250);
    }
}

TEST_F(StartupTest, ABadGeometryValueIsReportedOnceAndCostsNothingElse) {
    writeSettings({"LeftPanelW: 1x0"});
    const StartupResult result = Startup::run(state, errors);
    ASSERT_EQ(errors.messages.size(), 1) << errors.messages.join('\n').toStdString();
    EXPECT_TRUE(errors.messages[0].contains(QStringLiteral("LeftPanelW")));
    EXPECT_TRUE(errors.messages[0].contains(QStringLiteral("1x0")));
    EXPECT_FALSE(result.geometry.leftPanelW.has_value());
    EXPECT_EQ(result.geometry.top, 40);
    EXPECT_EQ(state.table.commandCount(), 1);
    EXPECT_TRUE(result.port.has_value());
    EXPECT_EQ(result.recognitionIntervalMs, 250);
}

TEST_F(StartupTest, ANonNumericRecognitionPauseIsReportedAndTheIntervalStays100) {
    writeSettings({"Pause command: 2x5"});
    const StartupResult result = Startup::run(state, errors);
    ASSERT_EQ(errors.messages.size(), 1) << errors.messages.join('\n').toStdString();
    EXPECT_TRUE(errors.messages[0].contains(QStringLiteral("Pause command")))
        << errors.messages[0].toStdString();
    EXPECT_TRUE(errors.messages[0].contains(QStringLiteral("'2x5' is not a valid integer value")))
        << errors.messages[0].toStdString();
    EXPECT_EQ(result.recognitionIntervalMs, 100);
    EXPECT_EQ(state.table.commandCount(), 1);
    EXPECT_TRUE(result.port.has_value());
}

TEST_F(StartupTest, BadPortValuesShowTheSettingsError) {
    for (const QString& bad : {QStringLiteral("Com Baud: fast"), QStringLiteral("Com Number: "),
                               QStringLiteral("Com Data Bits: x")}) {
        SCOPED_TRACE(bad.toStdString());
        errors.messages.clear();
        writeSettings({bad});
        const StartupResult result = Startup::run(state, errors);
        EXPECT_EQ(errors.messages, QStringList{QStringLiteral("  Error in QUENDA.ini file!  ")});
        EXPECT_FALSE(result.port.has_value());
        EXPECT_EQ(result.recognitionIntervalMs, 250);
        EXPECT_EQ(state.table.commandCount(), 1);
    }
}

TEST_F(StartupTest, MissingKeysTakeDefaultsAtStartUp) {
    ASSERT_EQ(TextFile::write(state.settingsPath(), {"Load file: " + remotePath}), QString());
    const StartupResult result = Startup::run(state, errors);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(result.port, (PortSettings{"/dev/ttyS0", 9600, 8, 1}));
    EXPECT_EQ(result.recognitionIntervalMs, 100);
    EXPECT_EQ(state.settings.language, QStringLiteral("English"));
    EXPECT_EQ(state.table.commandCount(), 1);
}

TEST_F(StartupTest, TooManyCommandsAreReportedNamingTheFile) {
    QStringList lines{"Name: Big", ""};
    for (int n = 1; n <= 31; ++n) {
        lines << QStringLiteral("Name: C%1").arg(n) << QStringLiteral("Code: %1").arg(n) << "";
    }
    ASSERT_EQ(TextFile::write(remotePath, lines), QString());
    writeSettings({});
    Startup::run(state, errors);
    EXPECT_EQ(state.table.commandCount(), 30);
    EXPECT_EQ(errors.messages,
              QStringList{CommandFile::leftOutMessage(state.messages, remotePath, 1)});
}

TEST(FirstStart, CreatesSettingsInTheLocaleLanguageAndALoadableSample) {
    struct Case {
        QString locale, language;
    };
    for (const Case& c :
         {Case{"ru_RU", "Russian"}, Case{"de_DE", "English"}, Case{"en_US", "English"}}) {
        SCOPED_TRACE(c.locale.toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        // A configuration folder too long for the 100 characters "Load file: " keeps.
        const QString folder =
            dir.filePath(QStringLiteral("config-%1/quenda").arg(QString(90, QLatin1Char('x')))) +
            QLatin1Char('/');
        ASSERT_GT(folder.size() + 10, 100);
        EXPECT_TRUE(FirstStart::needed(folder));
        ASSERT_EQ(FirstStart::prepare(folder, c.locale), QString());
        EXPECT_FALSE(FirstStart::needed(folder));

        AppState state;
        state.programFolder = folder;
        state.settings.language = languageForLocale(c.locale);
        CollectingReporter errors;
        const StartupResult result = Startup::run(state, errors);
        EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
        EXPECT_EQ(state.settings.language, c.language);
        EXPECT_EQ(state.settings.loadFile, QStringLiteral("sample.pci"));
        EXPECT_EQ(state.commandFilePath, folder + QStringLiteral("sample.pci"));
        EXPECT_TRUE(QFileInfo::exists(state.commandFilePath));
        EXPECT_GT(state.table.commandCount(), 0);
        EXPECT_EQ(result.port, (PortSettings{"/dev/ttyS0", 9600, 8, 1}));
        EXPECT_EQ(result.recognitionIntervalMs, 100);
        // Everything but the language and the file to load is the default.
        SettingsRecord expected = SettingsRecord::defaults(c.language);
        expected.loadFile = state.settings.loadFile;
        EXPECT_EQ(state.settings, expected);
    }
}

TEST(FirstStart, KeepsAnExistingSample) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    const QByteArray mine("Name: My own\r\n\r\n");
    ASSERT_TRUE(TestFiles::writeBytes(folder + QStringLiteral("sample.pci"), mine));
    ASSERT_EQ(FirstStart::prepare(folder, QStringLiteral("en_GB")), QString());
    EXPECT_EQ(TestFiles::readBytes(folder + QStringLiteral("sample.pci")), mine);
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("QUENDA.ini")));
}

TEST(FirstStart, ShippedSettingsFileHoldsExactlyTheDefaults) {
    const TextFile::ReadResult shipped = TextFile::read(kBuiltInSettings);
    ASSERT_TRUE(shipped.lines.has_value()) << shipped.error.toStdString();
    const SettingsRecord defaults = SettingsRecord::defaults(QStringLiteral("English"));
    // Read with empty fallbacks, so every default must come from the file itself.
    const SettingsFile::ReadResult read = SettingsFile::read(*shipped.lines, SettingsRecord());
    EXPECT_TRUE(read.errors.isEmpty());
    EXPECT_EQ(read.record, defaults);
    const WindowGeometry g;
    EXPECT_EQ(read.geometry.left, g.left);
    EXPECT_EQ(read.geometry.top, g.top);
    EXPECT_EQ(read.geometry.leftPanelW, g.leftPanelW);
    EXPECT_EQ(read.geometry.leftPanelH, g.leftPanelH);
    EXPECT_EQ(read.geometry.rightPanelW, g.rightPanelW);
    EXPECT_EQ(read.geometry.rightPanelH, g.rightPanelH);

    // The file in the source tree is the one built in, as Save would write it.
    const QByteArray source =
        TestFiles::readBytes(QStringLiteral(QUENDA_SOURCE_DIR "/resources/QUENDA.ini"));
    EXPECT_EQ(TestFiles::readBytes(kBuiltInSettings), source);
    EXPECT_EQ(TextCodec::encodeLines(SettingsFile::write(defaults, g)), source);
}
