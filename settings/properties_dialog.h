#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <array>
#include <functional>

#include "core/app_state.h"
#include "core/error_reporter.h"
#include "platform/platform.h"

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
// window: creating it applies the language file to all windows, loads the controls
// and gives the on-screen windows the overlay font.
class TPropertiesF : public QDialog {
    Q_OBJECT
  public:
    TPropertiesF(TForm1& form, AppState& state, Platform& platform, ErrorReporter& errors);

    // The main menu's "Settings ...": shows the dialog modally over the main window,
    // then reopens the serial port with the port fields, however the dialog closed.
    void NParamClick();
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

    // Replaceable so the dialog can be driven without a user: the modal run, the
    // open-file dialog (gets the folder to open in, returns the path or empty), the
    // font dialog (edits the font
    // and colour in place; its result is not looked at) and the pause before the
    // port opens again.
    std::function<int(QDialog&)> runModal;
    std::function<QString(const QString& folder)> chooseCommandFile;
    std::function<void(QFont&, QColor&)> runFontDialog;
    std::function<void(int ms)> waitMs;

    QString launchChanged = QStringLiteral("no");

    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    QPushButton* Button1;
    QPushButton* Button2;
    // Page 1
    QLabel* Label10;
    QComboBox* ComboBox8;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QLabel* Label1;
    QLineEdit* Edit2;
    QToolButton* SpeedButton2;
    QLabel* Label2;
    QComboBox* ComboBox1;
    // Page 2
    QLabel *Label3, *Label5, *Label6, *Label7, *LabelDevice, *Label4;
    QComboBox *ComboBox2, *ComboBox3, *ComboBox4, *ComboBox5, *ComboBoxDevice;
    QLineEdit* Edit1;
    // Page 3
    QLabel *Label19, *Label14, *Label15, *Label17, *Label16;
    QLineEdit* LstartSmb;
    std::array<QLineEdit*, 8> ErecDel;
    std::array<QLineEdit*, 8> ErecRepFr;
    std::array<QLineEdit*, 8> ErecRepTo;
    // Page 4
    QCheckBox *CheckBox3, *CheckBox4;
    QComboBox* ComboBox6;
    QLabel *Label11, *Label8, *Label9, *Label12, *Label13;
    QLineEdit *Edit3, *Edit4, *Edit5;
    QComboBox *ComboBox7, *ComboBox9;

    // The font dialog's font and colour: the design font at first, then whatever it
    // was last given.
    QFont fontDialogFont;
    QColor fontDialogColor;

  private:
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
    QString appliedLanguage_;
    QString mouseStep_;  // the step loaded or last taken by OK
};
