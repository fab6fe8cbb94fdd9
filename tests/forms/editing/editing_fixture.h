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
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>
#include <memory>
#include <ostream>

#include "core/app_state.h"
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
#include "tests/forms/form_fixture.h"

class QComboBox;
class QDialog;

// How a name dialog was answered, and what it looked like while it was open.
struct DialogSeen {
    QString objectName;
    QString title;
    QString label;
    QString textAtOpen;
    QSize size;
    QPoint pos;
};

// The main window's fixture, started from the shipped settings, with the name
// dialogs answered as the user answers them.
class EditingTest : public FormTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A command file with a header and commands named by their captions.
    void writeRemote(const QString& fileName, const QString& header,
                     const QList<Command>& commands) const;
    // QUENDA.ini naming the command file to load (empty: none).
    void writeSettings(const QString& loadFile) const;
    // Starts the main window and shows it.
    void start(const QString& loadFile = QString());
    // Starts with a remote "Remote" holding commands A, B and C.
    void startWithABC();

    QStringList treeCaptions() const;
    // Clicks a command, then "Настройки": the panel in customisation mode.
    void customise(int index);

    // Makes the next name dialog run for real and be answered: the text typed into
    // Edit1 (a null text types nothing) and OK or Cancel clicked.
    void answerNameDialog(const QString& text, bool ok = true);
    // Picks an item from a drop-down list as the user does: the list opens, the
    // item is chosen in it with the keyboard and Return.
    void pick(QComboBox* list, int index);
    void pick(QComboBox* list, const QString& itemText);
    void choose(QComboBox* list, const std::function<int(QComboBox*)>& which);
    void type(QComboBox* list, const QString& text);

    QList<DialogSeen> dialogsSeen;
};

// Types text into a widget key by key, as the keyboard does.
void typeText(QWidget* widget, const QString& text);

// A command of a kind with the fields given.
Command command(const QString& name, const QString& typeAction = QString(),
                const QString& runAction = QString());
