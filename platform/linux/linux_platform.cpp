#include "platform/linux/linux_platform.h"

#include <QDir>
#include <cstdio>

// Xlib defines macros (Bool, Status, None) that clash with Qt: include it last.
#include <X11/Xlib.h>
#include <unistd.h>

LinuxPlatform::LinuxPlatform() = default;

LinuxPlatform::~LinuxPlatform() {
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

QPoint LinuxPlatform::cursorPos() {
    Display* d = display();
    if (!d) {
        return {};
    }
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &winX, &winY, &mask);
    return {rootX, rootY};
}

void LinuxPlatform::setCursorPos(QPoint pos) {
    Display* d = display();
    if (!d) {
        return;
    }
    XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, pos.x(), pos.y());
    XFlush(d);
}

// Input synthesis, window commands, volume, power, program start, sounds and the
// autostart entry are not available on this backend yet: each answers as the
// contract says a system without the facility does.
void LinuxPlatform::keyDown(int) {}
void LinuxPlatform::keyUp(int) {}
void LinuxPlatform::mouseDown(MouseButton) {}
void LinuxPlatform::mouseUp(MouseButton) {}
Platform::WindowId LinuxPlatform::findWindow(const QString&) { return 0; }
QStringList LinuxPlatform::windowCaptions() { return {}; }
void LinuxPlatform::closeWindow(WindowId) {}
void LinuxPlatform::minimizeWindow(WindowId) {}
void LinuxPlatform::maximizeWindow(WindowId) {}
void LinuxPlatform::raiseWindow(WindowId) {}
QRect LinuxPlatform::windowRect(WindowId) { return {}; }
std::uint32_t LinuxPlatform::waveVolume() { return 0; }
void LinuxPlatform::setWaveVolume(std::uint32_t) {}
bool LinuxPlatform::powerOff() { return false; }
bool LinuxPlatform::reboot() { return false; }
bool LinuxPlatform::startCommand(const QString&) { return false; }
void LinuxPlatform::playSound(const QString&) {}
bool LinuxPlatform::writeAutostart(const QString&) { return false; }
bool LinuxPlatform::deleteAutostart() { return false; }
bool LinuxPlatform::autostartExists() { return false; }
