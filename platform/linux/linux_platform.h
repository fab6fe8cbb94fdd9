#pragma once

#include <QTemporaryFile>
#include <memory>

#include "platform/platform.h"

struct _XDisplay;
class X11Input;
class X11Windows;
class PulseSoundPlayer;
class PulseVolume;

// The Linux desktop: X11 for input and windows, the PulseAudio server for sounds
// and the volume, logind for power, detached processes for program starts, a lock
// file for the single instance guard.
class LinuxPlatform : public Platform {
  public:
    LinuxPlatform();
    ~LinuxPlatform() override;

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
    QString powerFailure() const override { return powerFailure_; }
    bool startCommand(const QString& commandLine) override;
    QString startFailure() const override { return startFailure_; }
    void playSound(const QString& path) override;
    bool writeAutostart(const QString& programPath) override;
    bool deleteAutostart() override;
    bool autostartExists() override;  // these three: xdg_autostart.cpp
    QString autostartLocation() override;
    Capabilities capabilities() override;

    // Where the single-instance lock lives: $XDG_RUNTIME_DIR, else the temp folder.
    static QString lockFilePath();

  private:
    // The X connection, opened on first use; null (and said once) without a display.
    _XDisplay* display();
    // Window lookup and commands on that connection; null without a display.
    X11Windows* windows();
    // Synthesised keys and pointer on that connection; null without a display. Without
    // the XTEST extension it only reads the pointer (said once).
    X11Input* input();
    // The default event sound built into the program, as a file the player can read.
    QString defaultSoundPath();

    int instanceLock_ = -1;  // descriptor of the locked file, held while the program runs
    std::unique_ptr<X11Windows> windows_;
    std::unique_ptr<X11Input> input_;
    bool inputTried_ = false;
    std::unique_ptr<PulseSoundPlayer> sound_;
    std::unique_ptr<PulseVolume> volume_;
    QString powerFailure_;
    QString startFailure_;
    std::unique_ptr<QTemporaryFile> defaultSound_;
    _XDisplay* display_ = nullptr;
    bool displayTried_ = false;
};
