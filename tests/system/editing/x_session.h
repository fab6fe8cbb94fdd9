#pragma once

#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// A private X server (Xvfb, no window manager) with a fresh home for the program,
// the real quenda binary started in it, and xdotool to drive it as a user would.
// Everything started here is stopped by its own process id.
class XSession {
  public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return !display_.isEmpty(); }
    QString path(const QString& name) const { return home_.filePath(name); }
    // QUENDA.ini in the program folder, loading the file given (empty: none) and
    // reading a pseudo-terminal as its serial port.
    bool writeSettings(const QString& loadFile = QString());

    // Starts the program and waits for its main window; returns the window's id.
    QString startQuenda();
    // Ctrl+Q on the main window; true when the program ended within the time.
    bool quitQuenda(int waitMs = 5000);
    // Starts another X client (a witness window) that lives until the session ends.
    bool startClient(const QStringList& argv);

    // Runs xdotool; returns its standard output.
    QString xdo(const QStringList& args) const;
    // The id of the first visible window whose title matches, "" after the wait.
    QString waitWindow(const QString& titleRegex, int waitMs = 5000) const;
    bool waitWindowGone(const QString& titleRegex, int waitMs = 5000) const;
    QPoint windowOrigin(const QString& window) const;
    void focus(const QString& window) const;
    void click(QPoint at, int button = 1) const;
    // Clicks what opens a menu or a drop-down list and waits until the program has
    // mapped it, so that keys pressed next reach the open popup.
    bool clickToOpen(QPoint at, int button = 1) const;
    void keys(const QStringList& keys) const;
    void type(const QString& text) const;
    // Answers a name dialog: focuses it, replaces its text and presses Return.
    bool answerDialog(const QString& title, const QString& text) const;
    bool screenshot(const QString& file) const;
    // Text read from a part of the screen by OCR (tesseract), blanks kept.
    QString readScreen(const QRect& area) const;

  private:
    QProcessEnvironment environment() const;
    QTemporaryDir home_;
    QString display_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> quenda_;
    QString mainWindow_;
    std::vector<std::unique_ptr<QProcess>> clients_;
    int ptyMaster_ = -1;
    QString ptyName_;
};

// Waits a little for the program to react to input.
void settle(int ms = 250);
