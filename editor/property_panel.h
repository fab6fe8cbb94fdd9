#pragma once

#include <QComboBox>
#include <QWidget>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

#include "core/command_table.h"
#include "editor/property_summary.h"

// A drop-down list that says when its list is about to open, so the list can be
// refilled first.
class TDropDownComboBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    void showPopup() override;

  Q_SIGNALS:
    void dropDown();
};

// The right-hand pane (ListViewPanel): the view-mode summary Memo1 under the title
// strip Panel5, the blank cover Panel4, and the editing panel Panel2 with one row
// of controls per property.
class TPropertyPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TPropertyPanel(QWidget* parent = nullptr);

    // Loads the controls of Panel2 from a command. Not an edit: no change handler runs.
    void loadControls(const Command& command, const QString& pauseSecondsText);
    // Shows the list positions the summary chose.
    void showListPositions(const PropertySummary::ListPositions& lists);
    PropertySummary::Captions summaryCaptions() const;
    PropertySummary::ListItems listItems() const;
    // Empties the texts of the lists and fields, as a new command does. The line
    // edits report the change like an edit; the lists do not.
    void emptyControls();
    // The height the pane needs to show every row of Panel2 whole.
    int rowsHeight() const;

    // The texts the command runner reads from the shown command: the combination
    // list, the file and the sound file.
    QString combinationText() const;
    QString fileText() const;
    QString soundText() const;

  Q_SIGNALS:
    // The pause seconds are done: picked from the list, or typed and ended with
    // Enter or by leaving the field. Keystrokes alone convert nothing.
    void pauseSecondsChosen();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The main window's editing handlers work these controls directly: the panel is
    // the right half of that window, built apart. Tests find them by object name.
    friend class TForm1;

    QPlainTextEdit* Memo1;  // the view-mode summary
    QFrame* Panel4;         // the blank cover
    QLabel* Panel5;         // the title strip
    QFrame* Panel2;         // the editing panel

    QLabel* PanCustNameLabel;
    QLabel* LabelKodCommand;
    QLabel* LabelTypeAction;
    QLabel* LabelAction;
    QLabel* LabelPause;
    QLabel* LabelSec;
    QLabel* Label11;  // "X" of the mouse position
    QLabel* Label12;  // "Y" of the mouse position
    QLabel* LabelApplFile;
    QLabel* LabelWinCom;
    QLabel* LabelKey;
    QLabel* LabelPlaySound;

    QComboBox* ComboBox1;          // action type
    QComboBox* ComboBox2;          // run actions
    QComboBox* ComboBox8;          // volume actions
    QComboBox* ComboBox9;          // computer actions
    QComboBox* ComboBox10;         // mouse actions
    QComboBox* ComboBox11;         // blank placeholder
    QFrame* Panel3;                // pause seconds
    QComboBox* ComboBox6;          // the pause seconds, picked or typed
    QFrame* Panel1;                // mouse position
    QLineEdit* Edit4;              // mouse X
    QLineEdit* Edit5;              // mouse Y
    QLineEdit* Edit2;              // file
    QToolButton* SpeedButton2;     // picks the file
    TDropDownComboBox* ComboBox5;  // window caption or command name
    QLineEdit* Edit6;              // combination list
    QComboBox* ComboBox3;          // first modifier
    QComboBox* ComboBox7;          // second modifier
    QComboBox* ComboBox4;          // key
    QLineEdit* Edit7;              // sound file
    QToolButton* SpeedButton1;     // picks the sound file
    QToolButton* SpeedButton3;     // plays the sound file

    void buildPanel2();
    void connectPauseSeconds();
    void layoutPanel2();
    QLabel* rowCaption(const QString& name, const QString& text, int top);
    QComboBox* list(const QString& name, const QStringList& items, QRect place,
                    QComboBox* box = nullptr);

    bool pauseTyped_ = false;  // keystrokes in the seconds not yet converted
    mutable std::optional<PropertySummary::ListItems> listItems_;  // until the items change
};
