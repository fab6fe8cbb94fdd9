#pragma once

#include <QHash>
#include <QStringList>

#include "platform/platform.h"

// Records every call with its arguments ("keyDown 17") and answers from a script
// the test sets up. For logic tests only.
class FakePlatform : public Platform {
  public:
    QStringList calls;

    // Answers.
    bool singleInstanceFree = true;
    QPoint cursor;
    QHash<QString, WindowId> windows;  // caption -> id
    QStringList captions;
    QHash<WindowId, QRect> rects;
    std::uint32_t volume = 0;
    QString startRefusal;  // not empty: starts fail with this reason
    bool autostart = false;
    bool autostartWritable = true;  // false: the system refuses to write the entry
    QString powerRefusal;           // not empty: power off and reboot fail with this reason

    bool claimSingleInstance() override;
    void keyDown(int virtualKey) override;
    void keyUp(int virtualKey) override;
    QPoint cursorPos() override;
    void setCursorPos(QPoint pos) override;
    void mouseDown(MouseButton button) override;
    void mouseUp(MouseButton button) override;
    WindowId findWindow(const QString& exactCaption) override;
    QStringList windowCaptions() override;
    void closeWindow(WindowId window) override;
    void minimizeWindow(WindowId window) override;
    void maximizeWindow(WindowId window) override;
    void raiseWindow(WindowId window) override;
    QRect windowRect(WindowId window) override;
    std::uint32_t waveVolume() override;
    void setWaveVolume(std::uint32_t volume) override;
    bool powerOff() override;
    bool reboot() override;
    QString powerFailure() const override { return powerRefusal; }
    bool startCommand(const QString& commandLine) override;
    QString startFailure() const override { return startRefusal; }
    void playSound(const QString& path) override;
    bool writeAutostart(const QString& programPath) override;
    bool deleteAutostart() override;
    bool autostartExists() override;

  private:
    void record(const QString& call) { calls << call; }
};
