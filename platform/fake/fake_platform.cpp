#include "platform/fake/fake_platform.h"

namespace {

QString buttonName(Platform::MouseButton button) {
    switch (button) {
        case Platform::MouseButton::Left:
            return QStringLiteral("left");
        case Platform::MouseButton::Right:
            return QStringLiteral("right");
        case Platform::MouseButton::Middle:
            return QStringLiteral("middle");
    }
    return QString();
}

}  // namespace

bool FakePlatform::claimSingleInstance() {
    record(QStringLiteral("claimSingleInstance"));
    return singleInstanceFree;
}

void FakePlatform::keyDown(int virtualKey) {
    record(QStringLiteral("keyDown %1").arg(virtualKey));
}

void FakePlatform::keyUp(int virtualKey) {
    record(QStringLiteral("keyUp %1").arg(virtualKey));
}

QPoint FakePlatform::cursorPos() {
    return cursor;
}

void FakePlatform::setCursorPos(QPoint pos) {
    record(QStringLiteral("setCursorPos %1 %2").arg(pos.x()).arg(pos.y()));
    cursor = pos;
}

void FakePlatform::mouseDown(MouseButton button) {
    record(QStringLiteral("mouseDown ") + buttonName(button));
}

void FakePlatform::mouseUp(MouseButton button) {
    record(QStringLiteral("mouseUp ") + buttonName(button));
}

Platform::WindowId FakePlatform::findWindow(const QString& exactCaption) {
    return windows.value(exactCaption, 0);
}

QStringList FakePlatform::windowCaptions() {
    return captions;
}

void FakePlatform::closeWindow(WindowId window) {
    record(QStringLiteral("closeWindow %1").arg(window));
}

void FakePlatform::minimizeWindow(WindowId window) {
    record(QStringLiteral("minimizeWindow %1").arg(window));
}

void FakePlatform::maximizeWindow(WindowId window) {
    record(QStringLiteral("maximizeWindow %1").arg(window));
}

void FakePlatform::raiseWindow(WindowId window) {
    record(QStringLiteral("raiseWindow %1").arg(window));
}

QRect FakePlatform::windowRect(WindowId window) {
    return rects.value(window);
}

std::uint32_t FakePlatform::waveVolume() {
    return volume;
}

void FakePlatform::setWaveVolume(std::uint32_t value) {
    record(QStringLiteral("setWaveVolume %1").arg(value));
    volume = value;
}

bool FakePlatform::powerOff() {
    record(QStringLiteral("powerOff"));
    return powerRefusal.isEmpty();
}

bool FakePlatform::reboot() {
    record(QStringLiteral("reboot"));
    return powerRefusal.isEmpty();
}

bool FakePlatform::startCommand(const QString& commandLine) {
    record(QStringLiteral("startCommand ") + commandLine);
    return startRefusal.isEmpty();
}

void FakePlatform::playSound(const QString& path) {
    record(QStringLiteral("playSound ") + path);
}

bool FakePlatform::writeAutostart(const QString& programPath) {
    record(QStringLiteral("writeAutostart ") + programPath);
    if (!autostartWritable) {
        return false;
    }
    autostart = true;
    return true;
}

bool FakePlatform::deleteAutostart() {
    record(QStringLiteral("deleteAutostart"));
    const bool existed = autostart;
    autostart = false;
    return existed;
}

bool FakePlatform::autostartExists() {
    return autostart;
}
