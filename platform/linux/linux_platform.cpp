#include "platform/linux/linux_platform.h"

#include <QDir>
#include <cstdio>

#include "platform/linux/command_start.h"
#include "platform/linux/logind_power.h"
#include "platform/linux/pulse_sound.h"
#include "platform/linux/pulse_volume.h"
#include "platform/linux/x11_input.h"
#include "platform/linux/x11_windows.h"

// Xlib defines macros (Bool, Status, None) that clash with Qt: include it last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

LinuxPlatform::LinuxPlatform() = default;

LinuxPlatform::~LinuxPlatform() {
    windows_.reset();
    input_.reset();
    if (display_) {
        XCloseDisplay(display_);
    }
}

QString LinuxPlatform::lockFilePath() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) {
        return QDir::temp().filePath(QStringLiteral("quenda-%1.lock").arg(getuid()));
    }
    return QDir(dir).filePath(QStringLiteral("quenda.lock"));
}

bool LinuxPlatform::claimSingleInstance() {
    if (instanceLock_ && instanceLock_->isLocked()) {
        return true;
    }
    instanceLock_ = std::make_unique<QLockFile>(lockFilePath());
    instanceLock_->setStaleLockTime(0);  // only a lock whose owner is gone is stale
    return instanceLock_->tryLock(0);
}

_XDisplay* LinuxPlatform::display() {
    if (!displayTried_) {
        displayTried_ = true;
        display_ = XOpenDisplay(nullptr);
        if (!display_) {
            std::fprintf(stderr, "quenda: no X display; input and window actions are off\n");
        }
    }
    return display_;
}

X11Windows* LinuxPlatform::windows() {
    if (!windows_ && display()) {
        windows_ = std::make_unique<X11Windows>(display_);
    }
    return windows_.get();
}

X11Input* LinuxPlatform::input() {
    if (!inputTried_ && display()) {
        inputTried_ = true;
        input_ = std::make_unique<X11Input>(display_);
        if (!input_->available()) {
            // The pointer can still be read; nothing can be synthesised.
            std::fprintf(stderr,
                         "quenda: the X server has no XTEST; key and mouse actions are off\n");
        }
    }
    return input_.get();
}

void LinuxPlatform::keyDown(int virtualKey) {
    if (X11Input* in = input()) {
        in->key(virtualKey, true);
    }
}

void LinuxPlatform::keyUp(int virtualKey) {
    if (X11Input* in = input()) {
        in->key(virtualKey, false);
    }
}

QPoint LinuxPlatform::cursorPos() {
    X11Input* in = input();
    return in ? in->position() : QPoint();
}

void LinuxPlatform::setCursorPos(QPoint pos) {
    if (X11Input* in = input()) {
        in->moveTo(pos);
    }
}

// Buttons go down and up where the pointer is.
static unsigned int buttonNumber(Platform::MouseButton button) {
    switch (button) {
        case Platform::MouseButton::Left:
            return 1;
        case Platform::MouseButton::Middle:
            return 2;
        case Platform::MouseButton::Right:
            return 3;
    }
    return 1;
}

void LinuxPlatform::mouseDown(MouseButton button) {
    if (X11Input* in = input()) {
        in->button(buttonNumber(button), true);
    }
}

void LinuxPlatform::mouseUp(MouseButton button) {
    if (X11Input* in = input()) {
        in->button(buttonNumber(button), false);
    }
}

Platform::WindowId LinuxPlatform::findWindow(const QString& exactCaption) {
    X11Windows* w = windows();
    return w ? w->find(exactCaption) : 0;
}

QStringList LinuxPlatform::windowCaptions() {
    X11Windows* w = windows();
    return w ? w->visibleCaptions() : QStringList();
}

void LinuxPlatform::closeWindow(WindowId window) {
    if (X11Windows* w = windows()) {
        w->close(window);
    }
}

void LinuxPlatform::minimizeWindow(WindowId window) {
    if (X11Windows* w = windows()) {
        w->minimize(window);
    }
}

void LinuxPlatform::maximizeWindow(WindowId window) {
    if (X11Windows* w = windows()) {
        w->maximize(window);
    }
}

void LinuxPlatform::raiseWindow(WindowId window) {
    if (X11Windows* w = windows()) {
        w->raise(window);
    }
}

QRect LinuxPlatform::windowRect(WindowId window) {
    X11Windows* w = windows();
    return w ? w->rect(window) : QRect();
}

bool LinuxPlatform::startCommand(const QString& commandLine) {
    startFailure_.clear();
    return startCommandLine(commandLine, &startFailure_);
}

// A sound that cannot be played gives the default event sound, so the user still
// hears that the command ran. An empty name means no sound: it only ends the one
// playing.
void LinuxPlatform::playSound(const QString& path) {
    if (!sound_) {
        sound_ = std::make_unique<PulseSoundPlayer>();
    }
    if (!sound_->play(path) && !path.isEmpty()) {
        sound_->play(defaultSoundPath());
    }
}

QString LinuxPlatform::defaultSoundPath() {
    if (!defaultSound_) {
        defaultSound_.reset(
            QTemporaryFile::createNativeFile(QStringLiteral(":/quenda/sounds/default.wav")));
    }
    return defaultSound_ ? defaultSound_->fileName() : QString();
}

std::uint32_t LinuxPlatform::waveVolume() {
    if (!volume_) {
        volume_ = std::make_unique<PulseVolume>();
    }
    return volume_->read();
}

void LinuxPlatform::setWaveVolume(std::uint32_t volume) {
    if (!volume_) {
        volume_ = std::make_unique<PulseVolume>();
    }
    volume_->write(volume);
}

bool LinuxPlatform::powerOff() {
    powerFailure_ = LogindPower::request(LogindPower::Action::PowerOff);
    return powerFailure_.isEmpty();
}

bool LinuxPlatform::reboot() {
    powerFailure_ = LogindPower::request(LogindPower::Action::Reboot);
    return powerFailure_.isEmpty();
}
