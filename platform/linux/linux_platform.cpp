#include "platform/linux/linux_platform.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/linux/command_start.h"
#include "platform/linux/logind_power.h"
#include "platform/linux/pulse_sound.h"
#include "platform/linux/pulse_volume.h"
#include "platform/linux/x11_input.h"
#include "platform/linux/x11_windows.h"

// Xlib defines macros (Bool, Status, None) that clash with Qt: include it last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

LinuxPlatform::LinuxPlatform() = default;

LinuxPlatform::~LinuxPlatform() {
    windows_.reset();
    input_.reset();
    if (display_) {
        XCloseDisplay(display_);
    }
    if (instanceLock_ >= 0) {
        ::close(instanceLock_);
    }
}

QString LinuxPlatform::lockFilePath() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) {
        return QDir::temp().filePath(QStringLiteral("quenda-%1.lock").arg(getuid()));
    }
    return QDir(dir).filePath(QStringLiteral("quenda.lock"));
}

namespace {

// The owner in the lines earlier versions wrote (process, program, host), so that
// one of them started after this one, and finding the file, can tell whether the
// owner still runs. Not synced: the lock itself is the kernel's.
void writeLockOwner(int fd) {
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const QByteArray owner = QByteArray::number(getpid()) + "\nquenda\n" + host + '\n';
    if (::ftruncate(fd, 0) != 0 || ::write(fd, owner.constData(), owner.size()) != owner.size()) {
        std::fprintf(stderr, "quenda: cannot write the lock file (%s)\n", std::strerror(errno));
    }
}

// In a temporary folder shared with other users, the name may have been taken
// first: a link (to a file of ours that writing would empty) or a file of someone
// else (whose lock would keep us from ever starting). Only our own plain file will
// do.
bool ownPlainFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::getuid() &&
           info.st_nlink == 1;
}

}  // namespace

// A lock of the kernel on the file, not the file's existence: it goes with the
// process however it ends, so no stale lock can keep the program from starting,
// and nothing is synced to disk on the way to the first window. Where the lock
// cannot be had for another reason than another copy holding it, the program runs
// and says that it did not check.
bool LinuxPlatform::claimSingleInstance() {
    if (instanceLock_ >= 0) {
        return true;
    }
    const QByteArray path = QFile::encodeName(lockFilePath());
    const auto runUnchecked = [&path](const char* why) {
        std::fprintf(stderr, "quenda: %s: %s; not checking for another copy\n", path.constData(),
                     why);
        return true;
    };
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return runUnchecked(std::strerror(errno));
    }
    if (!ownPlainFile(fd)) {
        ::close(fd);
        return runUnchecked("not a file of this user's own");
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        instanceLock_ = fd;
        writeLockOwner(fd);
        return true;
    }
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? false : runUnchecked(std::strerror(error));
}

_XDisplay* LinuxPlatform::display() {
    if (!displayTried_) {
        displayTried_ = true;
        display_ = XOpenDisplay(nullptr);
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
        // Without XTEST the pointer can still be read; nothing can be synthesised.
        input_ = std::make_unique<X11Input>(display_);
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

namespace {

// Why no X display opened: the user's session tells the likely cause.
QString noDisplayReason() {
    const QString display = qEnvironmentVariable("DISPLAY");
    if (!display.isEmpty()) {
        return QStringLiteral("the X display %1 does not open").arg(display);
    }
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return QStringLiteral("a Wayland session without XWayland");
    }
    return QStringLiteral("no X display (DISPLAY is not set)");
}

Capabilities::Ability logindReachable() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return Capabilities::missing(QStringLiteral("no system bus"));
    }
    // Asked at start: a bus that does not answer may hold the program only briefly.
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << QStringLiteral("org.freedesktop.login1");
    const QDBusMessage reply = bus.call(ask, QDBus::Block, 500);
    if (reply.type() != QDBusMessage::ReplyMessage || !reply.arguments().value(0).toBool()) {
        return Capabilities::missing(QStringLiteral("logind does not run on the system bus"));
    }
    return {};
}

// The entry's folder, or the nearest folder above it that exists, must be writable.
Capabilities::Ability autostartWritable(const QString& entry) {
    QFileInfo folder(QFileInfo(entry).absolutePath());
    while (!folder.exists() && !folder.isRoot()) {
        folder = QFileInfo(folder.absolutePath());
    }
    if (folder.isDir() && folder.isWritable()) {
        return {};
    }
    return Capabilities::missing(QStringLiteral("%1 is not writable").arg(folder.filePath()));
}

}  // namespace

Capabilities LinuxPlatform::capabilities() {
    Capabilities can;
    if (!display()) {
        can.listWindows = Capabilities::missing(noDisplayReason());
        can.synthesiseInput = can.listWindows;
    } else if (!input()->available()) {
        can.synthesiseInput =
            Capabilities::missing(QStringLiteral("the X server has no XTEST extension"));
    }
    can.powerOff = logindReachable();
    can.writeAutostart = autostartWritable(autostartLocation());
    return can;
}
