#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "support/rig/process.h"

namespace rig {

// Waits a little for the program to react to input.
void settle(milliseconds pause = milliseconds(250));

// A person at a desktop without a window manager, through xdotool: windows found by
// their title, the pointer moved and clicked, keys pressed and text typed, each
// followed by a moment for the program to react. Windows are xdotool's ids.
class User {
  public:
    // `workDir` takes the screenshots read by OCR.
    User(const Environment& env, const QString& workDir);

    // Runs xdotool; returns its standard output.
    QString xdo(const QStringList& args) const;
    // The id of the first visible window whose title matches, "" after the wait.
    QString waitWindow(const QString& titleRegex, milliseconds limit = milliseconds(5000)) const;
    bool waitWindowGone(const QString& titleRegex, milliseconds limit = milliseconds(5000)) const;
    QPoint windowOrigin(const QString& window) const;
    // Without a window manager the keyboard goes where the X focus is put.
    void focus(const QString& window) const;
    void click(QPoint at, int button = 1) const;
    // Clicks what opens a menu or a drop-down list and waits until the program has
    // mapped it, so that keys pressed next reach the open popup.
    bool clickToOpen(QPoint at, int button = 1) const;
    void keys(const QStringList& keys) const;
    void type(const QString& text) const;
    // Answers a name dialog: focuses it, replaces its text and presses Return.
    bool answerDialog(const QString& title, const QString& text) const;
    // Text read by OCR from one line of the screen.
    QString readScreen(const QRect& area) const;

  private:
    Environment env_;
    QString workDir_;
};

}  // namespace rig
