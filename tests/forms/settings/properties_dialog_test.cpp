#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>

#include "actions/hint_window.h"
#include "actions/mouse_control.h"
#include "core/interval_timer.h"
#include "editor/command_runner.h"
#include "settings/overlay_windows.h"
#include "settings/test_window.h"
#include "settings_fixture.h"

namespace {

using PropertiesTest = SettingsTest;

// The pages are built when the dialog first opens, not with the other windows at
// start-up, and show the settings then.
TEST_F(PropertiesTest, FirstOpeningLoadsEveryControlFromTheSettings) {
    startWithLanguage(QStringLiteral("Russian"));
    TPropertiesF& d = *dialog;
    EXPECT_TRUE(d.findChildren<QTabWidget*>().isEmpty());
    d.buildControls();
    EXPECT_EQ(widget<QLineEdit>(d, "Edit1")->text(), QStringLiteral("120"));
    EXPECT_EQ(widget<QComboBox>(d, "ComboBox2")->currentText(), QStringLiteral("COM 1"));
    EXPECT_EQ(widget<QComboBox>(d, "ComboBox3")->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(widget<QComboBox>(d, "ComboBoxDevice")->currentText(), pty.devicePath());
    EXPECT_EQ(widget<QComboBox>(d, "ComboBox1")->currentText(), QStringLiteral("Russian"));
    EXPECT_EQ(widget<QLineEdit>(d, "Edit2")->text(), path(QStringLiteral("remote.pci")));
    // Keys the file lacks took their defaults, which replace the design texts.
    EXPECT_EQ(widget<QLineEdit>(d, "Edit3")->text(), QStringLiteral("999"));
    EXPECT_EQ(widget<QComboBox>(d, "ComboBox9")->currentText(), QStringLiteral("3"));
    EXPECT_FALSE(widget<QCheckBox>(d, "CheckBox1")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>(d, "CheckBox4")->isChecked());  // "Show command: yes" by default
    EXPECT_EQ(d.size(), QSize(362, 288));
    EXPECT_EQ(widget<QTabWidget>(d, "PageControl1")->count(), 4);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
}

// The close box keeps what was taken on change and drops what OK would take; the
// port opens again either way, after the pause.
TEST_F(PropertiesTest, CloseBoxTakesOnlyTheFieldsTakenOnChange) {
    startWithLanguage(QStringLiteral("Russian"));
    openDialog(
        [this](TPropertiesF& d) {
            widget<QLineEdit>(d, "Edit1")->setText(QStringLiteral("300"));
            widget<QLineEdit>(d, "ErecDel1")->setText(QStringLiteral("FF"));
            pick(widget<QComboBox>(d, "ComboBox3"), QStringLiteral("19200"));
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox2"), Qt::LeftButton);
        },
        false);
    EXPECT_EQ(state.settings.pauseCommand, QStringLiteral("120"));
    EXPECT_EQ(state.settings.recognizeDelete[0], QString());
    EXPECT_EQ(state.settings.comBaud, QStringLiteral("19200"));
    EXPECT_EQ(state.settings.loadMinimized, QStringLiteral("yes"));
    EXPECT_EQ(widget<IntervalTimer>(*form, "Timer1")->interval(), 120);
    EXPECT_EQ(waits, QList<int>{300});
    EXPECT_TRUE(platform.calls.filter("Autostart").isEmpty());
}

TEST_F(PropertiesTest, OkTakesTheNumbersAndFiltersAndSetsTheRecognitionInterval) {
    startWithLanguage(QStringLiteral("Russian"));
    openDialog(
        [](TPropertiesF& d) {
            widget<QLineEdit>(d, "Edit1")->setText(QStringLiteral("250"));
            widget<QLineEdit>(d, "Edit3")->setText(QStringLiteral("30"));
            widget<QLineEdit>(d, "Edit4")->setText(QStringLiteral("90"));
            widget<QLineEdit>(d, "Edit5")->setText(QStringLiteral("7"));
            widget<QComboBox>(d, "ComboBox9")->setEditText(QStringLiteral("10"));
            widget<QComboBox>(d, "ComboBox7")->setEditText(QStringLiteral("5"));
            widget<QLineEdit>(d, "LstartSmb")->clear();
            QTest::keyClicks(widget<QLineEdit>(d, "LstartSmb"), QStringLiteral("a0 ff"));
            QTest::keyClicks(widget<QLineEdit>(d, "ErecRepFr8"), QStringLiteral("0d"));
            widget<QLineEdit>(d, "ErecRepTo8")->setText(QStringLiteral("20"));
        },
        true);
    const SettingsRecord& s = state.settings;
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(s.pauseCommand, QStringLiteral("250"));
    EXPECT_EQ(widget<IntervalTimer>(*form, "Timer1")->interval(), 250);
    EXPECT_EQ(s.pauseReboot, QStringLiteral("30"));
    EXPECT_EQ(s.timerAmbit, QStringLiteral("90"));
    EXPECT_EQ(s.stepMouse, QStringLiteral("7"));
    EXPECT_EQ(s.stepMouseClick, QStringLiteral("10"));
    EXPECT_EQ(s.timerStep, QStringLiteral("5"));
    EXPECT_EQ(s.recognizeStartSymbol, QStringLiteral("A0 FF"));  // typed in lower case
    EXPECT_EQ(s.recognizeChangeFrom[7], QStringLiteral("0D"));
    EXPECT_EQ(s.recognizeChangeTo[7], QStringLiteral("20"));

    // Leaving continuous movement brings back the step OK took, not the one loaded.
    Command toggle;
    toggle.runAction = QStringLiteral("Move: continuously/on step");
    form->runner()->mouse().run(toggle);
    EXPECT_EQ(s.stepMouse, QStringLiteral("1"));
    form->runner()->mouse().run(toggle);
    EXPECT_EQ(s.stepMouse, QStringLiteral("7"));
}

// A value that would break the program is refused by name; nothing of OK is taken
// and the dialog stays open.
TEST_F(PropertiesTest, OkRefusesValuesThatAreNoPositiveWholeNumbers) {
    startWithLanguage(QStringLiteral("Russian"));
    const struct {
        const char* edit;
        const char* value;
        const char* field;
    } cases[] = {{"Edit1", "12x", "Pause command"},
                 {"Edit1", "0", "Pause command"},
                 {"Edit3", "0", "Pause reboot"},
                 {"Edit4", "", "Timer ambit"},
                 {"Edit5", "-2", "Step Mouse"}};
    for (const auto& c : cases) {
        errors.messages.clear();
        openDialog(
            [&](TPropertiesF& d) {
                widget<QLineEdit>(d, "Edit1")->setText(QStringLiteral("250"));
                widget<QLineEdit>(d, "Edit3")->setText(QStringLiteral("30"));
                widget<QLineEdit>(d, "Edit4")->setText(QStringLiteral("90"));
                widget<QLineEdit>(d, "Edit5")->setText(QStringLiteral("7"));
                widget<QLineEdit>(d, c.edit)->setText(QLatin1String(c.value));
            },
            true);
        EXPECT_EQ(dialog->result(), QDialog::Rejected) << c.value;
        ASSERT_EQ(errors.messages.size(), 1) << c.value;
        EXPECT_TRUE(errors.messages[0].startsWith(QLatin1String(c.field)))
            << errors.messages[0].toStdString();
        EXPECT_TRUE(errors.messages[0].contains(QStringLiteral("'%1'").arg(c.value)));
        EXPECT_EQ(state.settings.pauseCommand, QStringLiteral("120"));
        EXPECT_EQ(state.settings.pauseReboot, QStringLiteral("999"));
    }
    errors.messages.clear();
    openDialog(
        [](TPropertiesF& d) {
            widget<QComboBox>(d, "ComboBox7")->setEditText(QStringLiteral("ten"));
        },
        true);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(errors.messages.size(), 1);
}

// The box loads ticked on the first opening, after the start-up: loading it is no
// click, so OK leaves the entry alone.
TEST_F(PropertiesTest, ABoxLoadedTickedIsNoClickOnTheFirstOpening) {
    writeCommandFile(QStringLiteral("remote.pci"), Remote::kHeader, Remote::commands());
    writeSettings(path(QStringLiteral("remote.pci")));
    setSetting(QStringLiteral("Launch with Windows: no"),
               QStringLiteral("Launch with Windows: yes"));
    start();
    createDialog();
    openDialog([](TPropertiesF& d) { EXPECT_TRUE(widget<QCheckBox>(d, "CheckBox1")->isChecked()); },
               true);
    EXPECT_TRUE(platform.calls.filter("Autostart").isEmpty());
    EXPECT_EQ(state.settings.launchWithWindows, QStringLiteral("yes"));
}

TEST_F(PropertiesTest, OkTouchesTheAutostartEntryOnlyAfterAClickOnItsBox) {
    startWithLanguage(QStringLiteral("Russian"));
    const QString program = QCoreApplication::applicationFilePath();
    openDialog([](TPropertiesF&) {}, true);
    EXPECT_TRUE(platform.calls.filter("Autostart").isEmpty());

    openDialog(
        [](TPropertiesF& d) {
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
        },
        true);
    EXPECT_EQ(platform.calls.filter("Autostart"), QStringList{"writeAutostart " + program});
    EXPECT_EQ(state.settings.launchWithWindows, QStringLiteral("yes"));

    // Ticked and unticked again in one opening: the entry goes.
    platform.calls.clear();
    openDialog(
        [](TPropertiesF& d) {
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
        },
        true);
    EXPECT_EQ(platform.calls.filter("deleteAutostart").size(), 1);
    EXPECT_FALSE(platform.autostart);
    // Deleting an entry that is not there is no error.
    openDialog(
        [](TPropertiesF& d) {
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
        },
        true);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();

    // A write the system refuses is named, and the dialog stays open.
    platform.autostartWritable = false;
    openDialog(
        [](TPropertiesF& d) {
            QTest::mouseClick(widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
        },
        true);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(program)) << errors.messages[0].toStdString();
    EXPECT_FALSE(platform.autostart);
}

// The "..." of the file to load opens in that file's folder, else in the program
// folder, and refuses a path longer than the settings keep instead of cutting it.
TEST_F(PropertiesTest, LoadFilePickerStartsAtTheFileAndRefusesPathsTooLongToKeep) {
    startWithLanguage(QStringLiteral("English"));
    dialog->buildControls();
    QLineEdit* loadFile = widget<QLineEdit>(*dialog, "Edit2");
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("remotes"))));
    loadFile->setText(QStringLiteral("remotes/tv.pci"));  // relative to the program folder
    prompts.openName = path(QStringLiteral("remotes/radio.pci"));
    dialog->SpeedButton2Click();
    ASSERT_EQ(prompts.count(ScriptedPrompts::Kind::OpenFile), 1);
    EXPECT_EQ(prompts.asked.back().folder, path(QStringLiteral("remotes")));
    EXPECT_EQ(state.settings.loadFile, prompts.openName);

    loadFile->setText(QStringLiteral("/no/such/folder/tv.pci"));
    const QString tooLong =
        dir.path() + QLatin1Char('/') + QString(120, QLatin1Char('x')) + QStringLiteral(".pci");
    prompts.openName = tooLong;
    dialog->SpeedButton2Click();
    ASSERT_EQ(prompts.count(ScriptedPrompts::Kind::OpenFile), 2);
    EXPECT_EQ(QDir(prompts.asked.back().folder).absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(loadFile->text(), QStringLiteral("/no/such/folder/tv.pci"));
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(tooLong)) << errors.messages[0].toStdString();
    EXPECT_TRUE(errors.messages[0].contains(QStringLiteral("100")));
}

// The device list names another pseudo-terminal: after the dialog closes the port
// is open on it, and a code sent there is received.
TEST_F(PropertiesTest, PortReopensOnTheDeviceNamedInTheList) {
    startWithLanguage(QStringLiteral("Russian"));
    rig::PseudoTerminal other;
    openDialog(
        [&](TPropertiesF& d) {
            widget<QComboBox>(d, "ComboBoxDevice")->setEditText(other.devicePath());
        },
        false);
    EXPECT_EQ(state.settings.comDevice, other.devicePath());
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    ASSERT_TRUE(other.send("AB"));
    QPlainTextEdit* log = widget<QPlainTextEdit>(*form->runner()->TestF(), "RichEdit1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return log->toPlainText().contains("41 42"); }, 3000))
        << log->toPlainText().toStdString();

    // A device that does not open is reported by name; reception waits for the
    // next closing of the dialog.
    openDialog(
        [](TPropertiesF& d) {
            widget<QComboBox>(d, "ComboBoxDevice")->setEditText("/dev/quenda-no-such-port");
        },
        false);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains("/dev/quenda-no-such-port"));
    openDialog([](TPropertiesF& d) { widget<QComboBox>(d, "ComboBox3")->setEditText("fast"); },
               false);
    ASSERT_EQ(errors.messages.size(), 2);
    EXPECT_TRUE(errors.messages[1].contains("/dev/quenda-no-such-port"));
}

TEST_F(PropertiesTest, FontDialogTakesNamedColoursAndSingleStylesOnly) {
    startWithLanguage(QStringLiteral("Russian"));
    state.settings.fontColor = QStringLiteral("clRed");
    FontColors::valueOf(state.settings.fontColor, state.settings.fontColorValue);
    QFont given;
    dialog->runFontDialog = [&](QFont& font, QColor& color) {
        given = font;
        font.setFamily(QStringLiteral("DejaVu Sans"));
        font.setPointSize(30);
        font.setBold(true);
        font.setItalic(true);
        color = QColor(1, 2, 3);
    };
    dialog->Button2Click();
    const SettingsRecord& s = state.settings;
    EXPECT_TRUE(given.bold());  // "fsBold" loaded into the dialog
    EXPECT_EQ(s.fontName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(s.fontSize, QStringLiteral("30"));
    EXPECT_EQ(s.fontStyle, QStringLiteral("fsBold"));  // bold italic changes nothing
    EXPECT_EQ(s.fontColor, QStringLiteral("clRed"));   // no name for the colour
    QLabel* hint = widget<QLabel>(*form->runner()->HintF(), "LabelHint");
    EXPECT_EQ(hint->font().pointSize(), 30);

    dialog->runFontDialog = [](QFont& font, QColor& color) {
        font.setBold(false);
        font.setItalic(true);
        color = Qt::blue;
    };
    dialog->Button2Click();
    EXPECT_EQ(s.fontStyle, QStringLiteral("fsItalic"));
    EXPECT_EQ(s.fontColor, QStringLiteral("clBlue"));
    EXPECT_EQ(hint->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(hint->font().italic());

    // A size that is no number: reported, and no font dialog.
    state.settings.fontSize = QStringLiteral("big");
    bool ran = false;
    dialog->runFontDialog = [&](QFont&, QColor&) { ran = true; };
    dialog->Button2Click();
    EXPECT_FALSE(ran);
    EXPECT_EQ(errors.messages.size(), 1);
}

// A countdown window is as wide as its count text with " 9999" in the overlay font,
// 10 pixels from the right edge of the screen.
TEST_F(PropertiesTest, OverlayFontSizesAndPlacesTheCountdownWindows) {
    QWidget timer;
    timer.setObjectName(QStringLiteral("TTimerF"));
    auto* label1 = new QLabel(QStringLiteral("Таймер"), &timer);
    label1->setObjectName(QStringLiteral("Label1"));
    auto* sizing = new QLabel(&timer);
    sizing->setObjectName(QStringLiteral("LabelWH"));
    auto* count = new QLabel(QStringLiteral("Таймер"), &timer);
    count->setObjectName(QStringLiteral("TimerFLabelTimer"));
    OverlayFont font;
    font.family = QStringLiteral("DejaVu Sans");
    font.pointSize = 40;
    font.style = OverlayFont::Style::Bold;
    OverlayWindows::apply(font, nullptr, {&timer});
    EXPECT_EQ(sizing->text(), QStringLiteral("Таймер 9999"));
    EXPECT_EQ(sizing->font().pointSize(), 40);
    EXPECT_TRUE(label1->font().bold());
    const int textWidth = QFontMetrics(sizing->font()).horizontalAdvance(sizing->text());
    EXPECT_GE(timer.width(), textWidth);
    EXPECT_EQ(timer.size(), sizing->size());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(timer.x() + timer.width(), screen.width() - 10);
    EXPECT_EQ(timer.y(), screen.height() - sizing->height() - 50);
}

}  // namespace
