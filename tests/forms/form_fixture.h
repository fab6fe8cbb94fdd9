#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>
#include <ostream>

#include "core/app_state.h"
#include "core/command_table.h"
#include "core/error_reporter.h"
#include "core/interval_timer.h"
#include "editor/command_tree.h"
#include "editor/main_window.h"
#include "editor/name_dialogs.h"
#include "editor/property_panel.h"
#include "platform/fake/fake_platform.h"
#include "support/find_widget.h"
#include "support/print_qt.h"
#include "support/rig/pty.h"
#include "support/scripted_prompts.h"

class QTreeWidgetItem;

// The remote most tests load: a header and one command per kind of summary.
namespace Remote {
inline const QString kHeader = QStringLiteral("Пульт");
enum Node {
    kBrowser = 1,  // Run command / Open with a file and a code
    kPause,        // Run command / Pause: 1500 ms
    kCombination,  // three elements, the last longer than 25 characters
    kMouse,        // Mouse on position: 100, 200
    kKeys,         // Ctrl+Alt+Delete, a window, a sound and a 250 ms pause
    kEmpty,        // every field empty
    kNoAction,     // Run command without an action
    kBadPause,     // a pause that is not a number
    kCount = kBadPause
};
QList<Command> commands();
}  // namespace Remote

// A program folder in a temporary directory with a QUENDA.ini and command files,
// and the main window started from it with a fake platform and a collecting
// error reporter.
class FormTest : public ::testing::Test {
  protected:
    QString path(const QString& fileName) const;
    // Writes a command file in the program's format (UTF-8 with the byte-order mark,
    // CR LF); the tree caption of each command is its `name`.
    void writeCommandFile(const QString& fileName, const QString& header,
                          const QList<Command>& commands) const;
    // Writes QUENDA.ini naming the command file to load (empty: none).
    void writeSettings(const QString& loadFile, const QString& loadMinimized = QStringLiteral("no"),
                       int treeWidth = 150, int windowWidth = 654) const;
    QByteArray readBytes(const QString& fileName) const;

    // Constructs the main window, which runs the start-up sequence.
    void start();
    // The usual start: the remote loaded, the window shown and exposed.
    void startWithRemote();
    void showWindow();

    // The main window's command tree and property pane, found by their names.
    TCommandTree* tree() const { return widget<TCommandTree>(*form, "TreeView1"); }
    TPropertyPanel* panel() const { return widget<TPropertyPanel>(*form, "ListViewPanel"); }
    QTreeWidgetItem* node(int index) const;
    void clickNode(int index);
    // Opens the "Service" menu from the menu bar, as the user does, and closes it.
    void openServiceMenu();
    // Right-clicks a node; returns which context menu items were enabled while the
    // menu was open ("N2 N3 N1 N8 N9" order, '+' on, '-' off).
    QString contextMenuOnNode(int index);
    QStringList memoLines() const;

    QTemporaryDir dir;
    // The serial port the window opens at start: a pseudo-terminal of the test's own,
    // never a port of the machine.
    rig::PseudoTerminal pty;
    AppState state;
    FakePlatform platform;
    CollectingReporter errors;
    // Answers the questions the window asks.
    ScriptedPrompts prompts;
    std::unique_ptr<TForm1> form;
};
