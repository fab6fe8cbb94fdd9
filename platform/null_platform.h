#pragma once

#include "platform/platform.h"

// The backend of a system the program has none for: every action does nothing and
// every question says why, so the editor and the reception still work.
class NullPlatform : public Platform {
  public:
    explicit NullPlatform(QString reason) : reason_(std::move(reason)) {}

    bool claimSingleInstance() override { return true; }
    void keyDown(int) override {}
    void keyUp(int) override {}
    QPoint cursorPos() override { return {}; }
    void setCursorPos(QPoint) override {}
    void mouseDown(MouseButton) override {}
    void mouseUp(MouseButton) override {}
    WindowId findWindow(const QString&) override { return 0; }
    QStringList windowCaptions() override { return {}; }
    void closeWindow(WindowId) override {}
    void minimizeWindow(WindowId) override {}
    void maximizeWindow(WindowId) override {}
    void raiseWindow(WindowId) override {}
    QRect windowRect(WindowId) override { return {}; }
    std::uint32_t waveVolume() override { return 0; }
    void setWaveVolume(std::uint32_t) override {}
    bool powerOff() override { return false; }
    bool reboot() override { return false; }
    QString powerFailure() const override { return reason_; }
    bool startCommand(const QString&) override { return false; }
    QString startFailure() const override { return reason_; }
    void playSound(const QString&) override {}
    bool writeAutostart(const QString&) override { return false; }
    bool deleteAutostart() override { return false; }
    bool autostartExists() override { return false; }
    Capabilities capabilities() override {
        const Capabilities::Ability none = Capabilities::missing(reason_);
        return {none, none, none, none};
    }

  private:
    QString reason_;
};
