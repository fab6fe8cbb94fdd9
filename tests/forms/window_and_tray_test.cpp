// The start-up step that shows the window or goes to the tray, the switches
// between the two, and the File menu's shortcuts.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include "editor/message_box_reporter.h"

#include "tests/forms/form_fixture.h"

class WindowAndTray : public FormTest {
  protected:
    // Where a tray exists the window hides; elsewhere it is minimised so the user
    // can still reach it.
    void expectInTray() const {
        EXPECT_EQ(state.inTray, QStringLiteral("yes"));
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            EXPECT_FALSE(form->isVisible());
            EXPECT_TRUE(widget<QSystemTrayIcon>(*form, "RxTrayIcon1")->isVisible());
        } else {
            EXPECT_TRUE(form->isMinimized());
        }
    }
    void expectWindowShown() const {
        EXPECT_EQ(state.inTray, QStringLiteral("no"));
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->isMinimized());
        EXPECT_FALSE(widget<QSystemTrayIcon>(*form, "RxTrayIcon1")->isVisible());
    }
};

TEST_F(WindowAndTray, TheStartUpStepShowsTheWindowAndStoresTheCursorPosition) {
    writeSettings(QString(), "no");
    start();
    platform.cursor = QPoint(321, 123);
    EXPECT_FALSE(form->isVisible()) << "the window waits for the start-up step";
    EXPECT_TRUE(widget<IntervalTimer>(*form, "Timer2")->enabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !state.inTray.isEmpty(); }, 2000));
    expectWindowShown();
    EXPECT_EQ(form->mouseStart(), QPoint(321, 123));
    EXPECT_FALSE(widget<IntervalTimer>(*form, "Timer2")->enabled()) << "the step runs once";
}

TEST_F(WindowAndTray, LoadMinimizedStartsInTheTray) {
    writeSettings(QString(), "yes");
    start();
    platform.cursor = QPoint(5, 6);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !state.inTray.isEmpty(); }, 2000));
    expectInTray();
    EXPECT_EQ(form->mouseStart(), QPoint(5, 6));
    EXPECT_FALSE(widget<IntervalTimer>(*form, "Timer2")->enabled());
}

TEST_F(WindowAndTray, RunGoesToTheTrayAndTheTrayDoubleClickComesBack) {
    writeSettings(QString(), "no");
    start();
    showWindow();
    expectWindowShown();

    widget<QAction>(*form, "NRun")->trigger();
    expectInTray();

    form->RxTrayIcon1DblClick();
    expectWindowShown();

    widget<QAction>(*form, "NRun")->trigger();
    expectInTray();
    form->RxTrayIcon1DblClick();
    expectWindowShown();
}

TEST_F(WindowAndTray, TheFileMenuHasTheStandardShortcuts) {
    startWithRemote();
    EXPECT_EQ(widget<QAction>(*form, "Nopen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(widget<QAction>(*form, "Nsave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(widget<QAction>(*form, "NsaveAs")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(widget<QAction>(*form, "Nexit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Pressed in the window, they reach their commands.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const auto opened = [this] { return prompts.count(ScriptedPrompts::Kind::OpenFile); };
    const auto savedAs = [this] { return prompts.count(ScriptedPrompts::Kind::SaveFile); };
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(opened(), 1);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(savedAs(), 1);
    QFile::remove(path("QUENDA.ini"));
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(path("QUENDA.ini")));
    EXPECT_EQ(savedAs(), 1);
}

// An error while the program lives in the tray must not wait for a click: the remote
// is the user's only hand then. In the editor the box waits as it always has.
TEST_F(WindowAndTray, ErrorsWaitForAClickOnlyWhileTheEditorIsShown) {
    writeSettings(QString(), "no");
    start();
    showWindow();
    MessageBoxReporter reporter;
    reporter.useTray(state, widget<QSystemTrayIcon>(*form, "RxTrayIcon1"));
    QStringList waited;  // texts of boxes that held the caller until clicked
    const auto clickAwayModalBoxes = [&] {
        QTimer::singleShot(500, form.get(), [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                waited << box->text();
                box->accept();
            }
        });
    };
    clickAwayModalBoxes();
    reporter.report(QStringLiteral("File not found"));
    EXPECT_EQ(waited, QStringList{"File not found"});

    widget<QAction>(*form, "NRun")->trigger();
    clickAwayModalBoxes();
    reporter.report(QStringLiteral("'x' is not a valid integer value"));
    QTest::qWait(700);
    EXPECT_EQ(waited.size(), 1) << "a box in the tray waited for a click";
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Without a tray to notify in, the message stays on screen without waiting.
        bool shown = false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            shown = shown || (box && box->isVisible() &&
                              box->text() == QLatin1String("'x' is not a valid integer value"));
        }
        EXPECT_TRUE(shown);
    }
}
