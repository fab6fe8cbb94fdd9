#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "platform/capabilities.h"

// Everything the program asks of the desktop. The contract follows the Windows
// calls the program was designed around; each backend does the same job with its
// own system's facility.
class Platform {
  public:
    using WindowId = std::uint64_t;  // 0: no window

    virtual ~Platform() = default;

    // Single-instance guard: true for the first copy; the claim lasts for the life
    // of this object.
    virtual bool claimSingleInstance() = 0;

    // Virtual-key codes (VK_*) pressed or released, as keybd_event.
    virtual void keyDown(int virtualKey) = 0;
    virtual void keyUp(int virtualKey) = 0;

    virtual QPoint cursorPos() = 0;
    virtual void setCursorPos(QPoint pos) = 0;
    enum class MouseButton { Left, Right, Middle };
    virtual void mouseDown(MouseButton button) = 0;
    virtual void mouseUp(MouseButton button) = 0;

    // Top-level windows.
    virtual WindowId findWindow(const QString& exactCaption) = 0;
    // Visible top-level captions in Z order, top first, at most 127 characters each.
    virtual QStringList windowCaptions() = 0;
    virtual void closeWindow(WindowId window) = 0;
    virtual void minimizeWindow(WindowId window) = 0;
    virtual void maximizeWindow(WindowId window) = 0;
    virtual void raiseWindow(WindowId window) = 0;
    virtual QRect windowRect(WindowId window) = 0;

    // Wave volume: left channel in the low 16 bits, right in the high 16 bits.
    // Returns 0 and does nothing where unsupported.
    virtual std::uint32_t waveVolume() = 0;
    virtual void setWaveVolume(std::uint32_t volume) = 0;

    // Power off and restart: false when the system refused; powerFailure() then
    // gives its reason.
    virtual bool powerOff() = 0;
    virtual bool reboot() = 0;
    virtual QString powerFailure() const { return {}; }

    // Starts a program command line or opens a document; false when nothing started,
    // startFailure() then gives the reason.
    virtual bool startCommand(const QString& commandLine) = 0;
    virtual QString startFailure() const { return {}; }
    // Plays a sound file without waiting; a new sound replaces the one playing.
    virtual void playSound(const QString& path) = 0;

    // Start with the session.
    virtual bool writeAutostart(const QString& programPath) = 0;
    virtual bool deleteAutostart() = 0;  // false when there was no entry
    virtual bool autostartExists() = 0;
    // Where the entry lives, for messages; empty where it has no file of its own.
    virtual QString autostartLocation() { return QString(); }

    // What works on this desktop; a backend that can do everything need not say.
    virtual Capabilities capabilities() { return {}; }
};

// The backend for the system the program runs on; one that can do nothing, saying
// why, where the program has no backend.
std::unique_ptr<Platform> createPlatform();
