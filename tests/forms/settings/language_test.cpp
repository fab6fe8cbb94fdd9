#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "editor/command_runner.h"
#include "editor/command_tree.h"
#include "editor/name_dialogs.h"
#include "editor/property_panel.h"
#include "reception/tutoring_dialog.h"
#include "settings/test_window.h"
#include "settings_fixture.h"

namespace {

using LanguageTest = SettingsTest;

QStringList items(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->itemText(i);
    }
    return out;
}

// The English file reaches every window at creation: menus, the property panel and
// its lists, the dialogs, the delete question and the program's messages.
TEST_F(LanguageTest, EnglishFileReachesEveryWindowAtCreation) {
    startWithLanguage(QStringLiteral("English"));
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(widget<QMenu>(*form, "Nfile")->title(), QStringLiteral("&File"));
    EXPECT_EQ(widget<QAction>(*form, "NParam")->text(), QStringLiteral("Settings ..."));
    EXPECT_EQ(widget<QAction>(*form, "Nexit")->text(), QStringLiteral("Exit"));
    EXPECT_EQ(widget<QAction>(*form, "Nnco")->text(), widget<QAction>(*form, "N2")->text());
    EXPECT_EQ(widget<QMenu>(*form, "Npom")->title(), QStringLiteral("?"));  // no key names it
    TPropertyPanel* pane = panel();
    EXPECT_EQ(items(widget<QComboBox>(*pane, "ComboBox1")).size(), 6);
    EXPECT_EQ(widget<QComboBox>(*pane, "ComboBox1")->itemText(2), QStringLiteral("Key control"));
    EXPECT_EQ(items(widget<QComboBox>(*pane, "ComboBox10")).size(), 19);
    EXPECT_EQ(widget<QLabel>(*pane, "LabelSec")->text(), QStringLiteral("sec."));
    EXPECT_EQ(widget<QLabel>(*pane, "LabelPause")->text(), QStringLiteral("Pause:"));
    EXPECT_EQ(widget<QPushButton>(*widget<TNewCommandF>(*form, "TNewCommandF"), "Button2")->text(),
              QStringLiteral("Cancel"));
    EXPECT_EQ(form->runner()->TestF()->windowTitle(), QStringLiteral("Receiver test"));
    EXPECT_EQ(widget<QPushButton>(*form->runner()->tutoringF(), "Button2")->text(),
              QStringLiteral("Accept"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Settings"));
    dialog->buildControls();  // its pages come when it first opens, in the language in effect
    EXPECT_EQ(widget<QTabWidget>(*dialog, "PageControl1")->tabText(1),
              QStringLiteral("Serial port"));
    EXPECT_EQ(widget<QGroupBox>(*dialog, "GroupBox2")->title(), QStringLiteral("Configuration"));
    EXPECT_EQ(widget<QLabel>(*dialog, "LabelDevice")->text(), QStringLiteral("Receiver device:"));
    EXPECT_EQ(widget<QCheckBox>(*dialog, "CheckBox1")->text(),
              QStringLiteral("Start with the desktop session"));
    EXPECT_EQ(form->deleteTitle, QStringLiteral("Delete"));
    EXPECT_EQ(form->unsavedQuestion, state.messages.text(Messages::Id::UnsavedChanges));
    EXPECT_FALSE(form->unsavedQuestion.isEmpty());

    // The about box: its caption from the file, its version the program's own.
    about->prepare(*form);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About ..."));
    EXPECT_EQ(widget<QLabel>(*about, "Label6")->text(), QStringLiteral("Version " QUENDA_VERSION));
    EXPECT_EQ(widget<QLabel>(*about, "Label4")->text(),
              state.messages.text(Messages::Id::AboutDescription));
    EXPECT_EQ(about->size(), QSize(231, 185));
}

// Picking a language applies it at once; typing applies only a complete name, so a
// missing file is reported once, naming where it was looked for.
TEST_F(LanguageTest, ChangingTheLanguageListAppliesCompleteNamesOnly) {
    startWithLanguage(QStringLiteral("English"));
    dialog->buildControls();
    tree()->selectIndex(Remote::kMouse);
    ASSERT_TRUE(form->ShowProperties());
    const int shownType = widget<QComboBox>(*panel(), "ComboBox1")->currentIndex();
    ASSERT_GE(shownType, 0);

    pick(widget<QComboBox>(*dialog, "ComboBox1"), QStringLiteral("Russian"));
    EXPECT_EQ(state.settings.language, QStringLiteral("Russian"));
    EXPECT_EQ(widget<QMenu>(*form, "Nfile")->title(), QStringLiteral("&Файл"));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox1")->itemText(3),
              QStringLiteral("Управление мышью"));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox1")->currentIndex(), shownType);
    EXPECT_EQ(widget<QCheckBox>(*dialog, "CheckBox1")->text(),
              QStringLiteral("Загружать при запуске сеанса"));

    QLineEdit* typed = widget<QComboBox>(*dialog, "ComboBox1")->lineEdit();
    typed->clear();
    QTest::keyClicks(typed, QStringLiteral("Klingon"));
    EXPECT_EQ(state.settings.language, QStringLiteral("Klingon"));
    EXPECT_TRUE(errors.messages.isEmpty());
    Q_EMIT typed->editingFinished();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(path(QStringLiteral("Lng/Klingon.lng"))))
        << errors.messages[0].toStdString();
    Q_EMIT typed->editingFinished();  // leaving the list again: the same name, no new report
    EXPECT_EQ(errors.messages.size(), 1);
    EXPECT_EQ(widget<QMenu>(*form, "Nfile")->title(), QStringLiteral("&Файл"));
}

// A file in the language folder wins over the built-in copy; a list it has no line
// for keeps its items, the others are refilled in file order.
TEST_F(LanguageTest, UserFileWithSomeListsOnly) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Lng")));
    QFile file(path(QStringLiteral("Lng/English.lng")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Windows-1251 without a byte-order mark: "Файл" in the old files' encoding.
    file.write(
        "Menu.File: \xD4\xE0\xE9\xEB\r\n"
        "PanCustomizationCB5.1.Caption: Reboot\r\n"
        "PanCustomizationCB5.0.Caption: Power off\r\n");
    file.close();
    startWithLanguage(QStringLiteral("English"));
    EXPECT_EQ(widget<QMenu>(*form, "Nfile")->title(),
              QStringLiteral("Файл"));  // no "&": the file's own text
    EXPECT_EQ(items(widget<QComboBox>(*panel(), "ComboBox9")),
              (QStringList{"Reboot", "Power off"}));
    EXPECT_EQ(items(widget<QComboBox>(*panel(), "ComboBox1")).size(), 6);
    EXPECT_EQ(widget<QAction>(*form, "NParam")->text(), QStringLiteral("Параметры ..."));
}

// A missing file at start-up is reported by its path; the creation goes on, so the
// controls show the settings, not their design texts.
TEST_F(LanguageTest, MissingFileAtCreationStillLoadsTheControls) {
    startWithLanguage(QStringLiteral("Other"));
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(path(QStringLiteral("Lng/Other.lng"))));
    dialog->buildControls();
    EXPECT_EQ(widget<QComboBox>(*dialog, "ComboBox1")->currentText(), QStringLiteral("Other"));
    EXPECT_EQ(widget<QLineEdit>(*dialog, "Edit1")->text(), QStringLiteral("120"));
    EXPECT_EQ(items(widget<QComboBox>(*panel(), "ComboBox2")).size(), 7);
    EXPECT_EQ(widget<QMenu>(*form, "Nfile")->title(), QStringLiteral("&Файл"));
}

// The start-up's port message waits for the language the settings dialog applies,
// so it names the menu path as the menus read; reasons in later messages follow a
// language picked afterwards.
TEST_F(LanguageTest, PortMessagesSpeakTheLanguageInEffect) {
    writeCommandFile(QStringLiteral("remote.pci"), Remote::kHeader, Remote::commands());
    writeSettings(path(QStringLiteral("remote.pci")));
    setSetting(QStringLiteral("Language: Russian"), QStringLiteral("Language: English"));
    const QString missing = path(QStringLiteral("no-such-port"));
    setSetting(pty.devicePath(), missing);
    start();
    createDialog();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.messages.isEmpty(); }, 3000));
    EXPECT_EQ(errors.messages,
              QStringList{missing + QStringLiteral(": No such file or directory\nThe receiver's "
                                                   "port did not open. Choose the receiver's port "
                                                   "in File \u25B8 Settings ....")});

    dialog->buildControls();
    pick(widget<QComboBox>(*dialog, "ComboBox1"), QStringLiteral("Russian"));
    openDialog([](TPropertiesF&) {}, false);
    ASSERT_EQ(errors.messages.size(), 2);
    EXPECT_TRUE(errors.messages[1].startsWith(
        QStringLiteral("Порт приемника %1 не открывается: устройство не открывается.")
            .arg(missing)))
        << errors.messages[1].toStdString();
}

}  // namespace
