#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <array>
#include <functional>

#include "core/app_state.h"
#include "core/error_reporter.h"
#include "core/prompts.h"
#include "platform/platform.h"
#include "settings/language_file.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TForm1;

// The settings dialog: four pages of controls bound to the settings record. Lists,
// check boxes and the start-up file go into the record as they change; the numbers
// and the recognition filters only with OK. Created once, after every other
// window: creating it applies the language file to all windows and gives the
// on-screen windows the overlay font. Its own pages are built, in the language in
// effect, and loaded from the record when it first opens.
class TPropertiesF : public QDialog {
    Q_OBJECT
  public:
    // `prompts` asks for the file to load at start-up: the main window's own.
    TPropertiesF(TForm1& form, AppState& state, Platform& platform, ErrorReporter& errors,
                 Prompts& prompts);

    // The main menu's "Settings ...": shows the dialog modally over the main window,
    // then reopens the serial port with the port fields, however the dialog closed.
    void NParamClick();
    // Builds the four pages and loads them from the settings record; the first
    // opening does it, later calls do nothing.
    void buildControls();
    void Button1Click();  // OK
    void Button2Click();  // the font button
    void ComboBox1Change();
    void SpeedButton2Click();

    // Reads the language file of `language` and puts it into every window. False
    // when no file was found (reported, naming the path looked for).
    bool applyLanguage();
    // Gives the hint, countdown and timer windows the overlay font; false when the
    // font size is no whole number (reported).
    bool applyOverlayFont();

    // Replaceable so the dialog can be driven without a user: the modal run, the font
    // dialog (edits the font and colour in place; its result is not looked at) and the
    // pause before the port opens again.
    std::function<int(QDialog&)> runModal;
    std::function<void(QFont&, QColor&)> runFontDialog;
    std::function<void(int ms)> waitMs;

    QString launchChanged = QStringLiteral("no");

    // The font dialog's font and colour: the design font at first, then whatever it
    // was last given.
    QFont fontDialogFont;
    QColor fontDialogColor;

  private:
    // The widgets carry their names as object names: the language file finds its
    // texts by them, and so do the tests.
    QTabWidget* PageControl1 = nullptr;  // the four pages; null until built
    QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4;
    // One frame a page; GroupBox4 is on page 3 and GroupBox3 on page 4.
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // the font dialog of the on-screen windows
    // Page 1: start-up and language. Label1, 2 and 10 name the fields below them.
    QLabel *Label1, *Label2, *Label10;
    QComboBox* ComboBox8;       // the operating system named in the settings
    QCheckBox* CheckBox1;       // the autostart entry
    QCheckBox* CheckBox2;       // start minimised into the tray
    QLineEdit* Edit2;           // the command file loaded at start-up
    QToolButton* SpeedButton2;  // "...": picks that file
    QComboBox* ComboBox1;       // the interface language
    // Page 2: the receiver's port. Label3..7 and LabelDevice name the fields.
    QLabel *Label3, *Label4, *Label5, *Label6, *Label7, *LabelDevice;
    QComboBox* ComboBox2;       // the port by number, used when no device is named
    QComboBox* ComboBox3;       // baud rate
    QComboBox* ComboBox4;       // data bits
    QComboBox* ComboBox5;       // stop bits
    QComboBox* ComboBoxDevice;  // the device path of the port
    QLineEdit* Edit1;           // pause between received commands (ms): the recognition interval
    // Page 3: recognition filters over the received bytes (hexadecimal texts).
    QLabel *Label14, *Label15, *Label16, *Label17, *Label19;
    QLineEdit* LstartSmb;                 // the bytes a command starts with
    std::array<QLineEdit*, 8> ErecDel;    // bytes removed ("ErecDel1".."ErecDel8")
    std::array<QLineEdit*, 8> ErecRepFr;  // bytes replaced ("ErecRepFr1".."8") ...
    std::array<QLineEdit*, 8> ErecRepTo;  // ... by these ("ErecRepTo1".."8")
    // Page 4: sounds, on-screen windows, countdowns and mouse steps.
    QLabel *Label8, *Label9, *Label11, *Label12, *Label13;
    QCheckBox* CheckBox3;  // play sounds
    QCheckBox* CheckBox4;  // show each command on screen ...
    QComboBox* ComboBox6;  // ... for this many seconds
    QLineEdit* Edit3;      // seconds before power off or reboot
    QComboBox* ComboBox7;  // the timer's step (min.)
    QLineEdit* Edit4;      // the timer's limit (min.)
    QLineEdit* Edit5;      // the mouse step (pixels)
    QComboBox* ComboBox9;  // the mouse step while the left button is held (pixels)

    void buildPage1();
    void buildPage2();
    void buildPage3();
    void buildPage4();
    void connectFields();
    void loadControls();
    void reopenPort();
    // Where the "Load file" picker opens: the folder of the file to load, else the
    // program folder.
    QString pickerFolder() const;
    bool takeAutostart();
    // The font dialog's result into the record: name and size always, colour and
    // style only when the record has a name for them.
    void takeFont();

    TForm1& form_;
    AppState& state_;
    Platform& platform_;
    ErrorReporter& errors_;
    Prompts& prompts_;
    QString appliedLanguage_;
    LanguageTexts languageTexts_;  // the last language file applied, for controls built later
    QString mouseStep_;            // the step loaded or last taken by OK
};
