#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "actions/caption_memo.h"
#include "core/app_state.h"
#include "core/error_reporter.h"
#include "core/interval_timer.h"
#include "core/port_settings.h"
#include "core/prompts.h"
#include "editor/menu_enabling.h"
#include "platform/platform.h"

class QAction;
class QKeySequence;
class QLabel;
class QMenu;
class QSplitter;
class QSystemTrayIcon;
class TCommandRunner;
class TCommandTree;
class TPropertyPanel;

// The main window: the command editor, and the owner of the tray icon and of the
// timers of the recognition loop.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    TForm1(AppState& state, Platform& platform, ErrorReporter& errors, Prompts& prompts,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Where the file dialogs open: the current command file's folder, else the
    // program folder.
    QString dialogFolder() const;

    // The main window's geometry as Save stores it.
    WindowGeometry currentGeometry() const;
    QString statusText() const;
    const MenuEnabling& menuEnabling() const { return menus_; }
    const std::optional<PortSettings>& portSettings() const { return port_; }
    int rememberedTreeWidth() const { return treeWidth_; }
    QPoint mouseStart() const { return mouseStart_; }

    // Handlers, named after their components and events.
    void Timer2Timer();
    void NopenClick();
    void NsaveClick();
    void NsaveAsClick();
    void NRunClick();
    void NexitClick();
    void NserClick();
    void RxTrayIcon1DblClick();
    void TreeView1Change();
    void TreeView1Click();
    void PopupMenu1Popup();
    // False when the command could not be shown (its pause is no number; reported).
    bool ShowProperties();
    void NTestIRClick();
    void NtutClick();
    // A load has replaced the table: rebuild the tree and select the header.
    void reloadTree();

    // The captions of the visible windows as the window list last found them; the
    // executor's partial window search reads them too.
    CaptionMemo Memo2;
    TCommandRunner* runner() const { return runner_.get(); }
    // The tray icon, whose notifications carry the error messages while the program
    // lives in the tray.
    QSystemTrayIcon* trayIcon() const { return RxTrayIcon1; }
    // The pause between two recognition passes, as the settings give it.
    void setRecognitionInterval(int ms);

    // ---- Header and command dialogs, property editing (main_window_editing.cpp) ----
    void NnpuClick();
    void NncoClick();
    void N8Click();
    void N9Click();
    void NattClick();
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox8Change();
    void ComboBox9Change();
    void ComboBox10Change();
    void ComboBox6Change();
    void Edit4Change();
    void Edit5Change();
    void Edit2Change();
    void ComboBox5Change();
    void Edit6Change();
    void ComboBox3Change();
    void ComboBox7Change();
    void ComboBox4Change();
    void Edit7Change();
    void ComboBox5DropDown();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void TimerMousePosTimer();

    // Replaceable so the editing commands can be driven without a user: showing a
    // name dialog modally (returns QDialog::Accepted or Rejected).
    std::function<int(class QDialog&)> runDialog;
    // Texts of the delete question, from the language table (empty without one).
    QString deleteTitle;
    QString deletePrompt;
    QString unsavedQuestion;

  Q_SIGNALS:
    // The window list was refilled from the desktop (top first): the captions the
    // executor's caption memo keeps.
    void windowCaptionsRefilled(const QStringList& captions);
    // The start-up step has shown the window or put the program in the tray.
    void startupStepDone();

  private:
    // The widgets keep the names the user's language files and the handlers use;
    // tests find them by these object names.
    TCommandTree* TreeView1;
    TPropertyPanel* ListViewPanel;
    QWidget* TreeViewPanel;  // the left pane holding the tree
    QSplitter* Splitter;
    QLabel* StatusBar1;
    QSystemTrayIcon* RxTrayIcon1;
    QMenu* Nfile;       // "File"
    QMenu* Nser;        // "Service"
    QMenu* Npom;        // "?", the help menu
    QMenu* PopupMenu1;  // the tree's context menu
    QAction *Nopen, *Nsave, *NsaveAs, *Nexit;
    QAction* NParam;   // "Settings ...": the settings dialog
    QAction* NRun;     // "Run": hide the editor in the tray and listen to the remote
    QAction* NTestIR;  // "Receiver test": the window logging received codes
    QAction* Nnpu;     // "New header": names a remote that has none
    QAction* Nnco;     // "New command"
    QAction* Ntut;     // "Learning ...": teach a code to the selected command
    QAction* Natt;     // "Customisation": edit the selected command
    QAction* Nabout;   // "About ..."
    // The context menu's items: N2 new command, N3 learning, N1 customisation,
    // N8 rename, N9 delete.
    QAction *N1, *N2, *N3, *N8, *N9;

    IntervalTimer* Timer1;          // the recognition pass over the received codes
    IntervalTimer* Timer2;          // the one-shot start-up step after the loop starts
    IntervalTimer* Timer5;          // the timer action's expiry: its command file loads
    IntervalTimer* TimerIcon;       // the tray icon's flash after a command
    IntervalTimer* TimerMouseMove;  // the steps of a mouse movement
    IntervalTimer* TimerVolConst;   // the steps of a held volume change
    IntervalTimer* TimerMousePos;   // the live pointer position in the mouse fields

    class TNewPultF* NewPultF;              // asks the new header's name
    class TNewCommandF* NewCommandF;        // asks a new command's name
    class TRenameCommandF* RenameCommandF;  // asks a command's new name

    void connectEditingSignals();
    // True when the window may close: nothing unsaved, saved, or discarded.
    bool settleUnsavedChanges();
    // Writes a field of the selected slot; marks the table changed when the value
    // differs. False when no node is selected.
    bool storeField(QString Command::*field, const QString& value);
    const Command* selectedCommand() const;
    void applyActionRow(int typePosition);
    void applyOverlays();
    void storeRunAction(const class QComboBox* list, const QStringList& values);
    QRect readoutWindowRect_;
    // ---- end of the editing block ----

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Wires the header and command dialogs and the property editing (main_window_editing.cpp).
    void connectEditing();

    void buildMenus();
    QAction* item(QMenu* menu, const QString& text, void (TForm1::*handler)(),
                  const QKeySequence& shortcut = {});
    void buildPanes();
    void buildTimers();
    void runStartup();
    void applyGeometry(const struct StartupResult& startup);
    void applyMenuEnabling();
    void rememberTreeWidth();
    void SplitterMoved();
    void showTrayIcon();
    void connectReception();
    // Each returns an empty text when it wrote its file, else the error.
    QString writeSettings();
    QString saveCommandTable();
    QString saveTableTo(const QString& path);
    // The name of a file to write, ".pci" added; empty when cancelled. An existing
    // file is replaced only when the user says so.
    QString askSaveName();
    // False when the user cancels; may change the path to another name.
    bool confirmDroppingRecords(QString& path);
    bool isCurrentCommandFile(const QString& path) const;
    // The view-mode summary of a command (none: the header) and its list positions;
    // returns the error that stops the summary at the pause line.
    std::optional<QString> showSummary(const Command* command);
    struct SummaryText {
        QString text;  // null: the memo is only emptied
        bool caretToStart = false;
    };
    void writeSummary(const std::optional<SummaryText>& summary);

    AppState& state_;
    Platform& platform_;
    ErrorReporter& errors_;
    Prompts& prompts_;
    MenuEnabling menus_;
    std::optional<PortSettings> port_;
    int treeWidth_ = 150;
    QPoint mouseStart_;
    bool noTraySaid_ = false;
    std::unique_ptr<TCommandRunner> runner_;
    // The summary Memo1 is to show once the window is shown.
    std::optional<SummaryText> summaryWaiting_;
};
