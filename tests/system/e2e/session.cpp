#include "session.h"

#include <QFile>
#include <cstring>
#include <stdexcept>
#include <thread>

// Xlib last: its macros (Bool, Status) break Qt headers that follow them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {

files::Command openCommand(const QByteArray& name, const QByteArray& code, const QByteArray& file) {
    return {
        .name = name, .code = code, .typeAction = "Run command", .file = file, .runAction = "Open"};
}

files::Command pauseCommand(const QByteArray& name, const QByteArray& code, int ms) {
    return {.name = name,
            .code = code,
            .typeAction = "Run command",
            .runAction = "Pause:",
            .pause = QByteArray::number(ms)};
}

files::Command windowCommand(const QByteArray& name, const QByteArray& code,
                             const QByteArray& action, const QByteArray& caption) {
    return {.name = name,
            .code = code,
            .typeAction = "Run command",
            .windowHandle = caption,
            .runAction = action};
}

files::Command combinationCommand(const QByteArray& name, const QByteArray& code,
                                  const QByteArray& list) {
    return {.name = name, .code = code, .typeAction = "Combination command", .combination = list};
}

files::Command volumeCommand(const QByteArray& name, const QByteArray& code,
                             const QByteArray& action) {
    return {.name = name, .code = code, .typeAction = "Volume control", .runAction = action};
}

files::Command pcCommand(const QByteArray& name, const QByteArray& code, const QByteArray& action) {
    return {.name = name, .code = code, .typeAction = "PC control", .runAction = action};
}

files::Command timerCommand(const QByteArray& name, const QByteArray& code, const QByteArray& file,
                            const QByteArray& commandName) {
    return {.name = name,
            .code = code,
            .typeAction = "Run command",
            .file = file,
            .windowHandle = commandName,
            .runAction = "Timer"};
}

void writeTimerRemote(Session& s, const QByteArray& timerStep) {
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString path = s.home().work(QStringLiteral("remote.pci"));
    const QByteArray fired = "/usr/bin/touch " + s.home().work(QStringLiteral("fired")).toUtf8();
    s.writeCommandFile("remote.pci", "Bedroom",
                       {timerCommand("Sleep", " 54", path.toUtf8(), "Lights out"),
                        openCommand("Lights out", " 4C", fired)});
    s.writeSettings(settings, path, {"Timer step: " + timerStep, "Timer ambit: 120"});
}

// A connection of our own, for what the rig's inspector does not tell: whether a
// window bypasses the window manager.
struct Session::Xlib {
    Display* dpy = nullptr;
    explicit Xlib(const QString& display) {
        dpy = XOpenDisplay(display.toLocal8Bit().constData());
        if (!dpy) {
            throw std::runtime_error("cannot open display " + display.toStdString());
        }
    }
    ~Xlib() { XCloseDisplay(dpy); }
    // A window of the program inside the tray host's window.
    bool iconDocked() {
        XSync(dpy, False);
        return iconBelow(DefaultRootWindow(dpy), false);
    }
    bool iconBelow(Window w, bool insideTray) {
        XClassHint names{nullptr, nullptr};
        if (XGetClassHint(dpy, w, &names)) {
            const bool program = names.res_name && std::strcmp(names.res_name, "quenda") == 0;
            const bool tray = names.res_class && std::strcmp(names.res_class, "trayer") == 0;
            XFree(names.res_name);
            XFree(names.res_class);
            if (insideTray && program) {
                return true;
            }
            insideTray = insideTray || tray;
        }
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        bool found = false;
        if (XQueryTree(dpy, w, &root, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && !found; ++i) {
                found = iconBelow(children[i], insideTray);
            }
        }
        if (children) {
            XFree(children);
        }
        return found;
    }
    QPoint pointer() {
        Window root = 0, child = 0;
        int x = 0, y = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &x, &y, &winX, &winY, &mask);
        return {x, y};
    }
    bool overrideRedirect(std::uint64_t window) {
        XWindowAttributes a;
        return XGetWindowAttributes(dpy, static_cast<Window>(window), &a) && a.override_redirect;
    }
};

Session::Session(rig::DesktopOptions options)
    : desktop_(options),
      xlib_(std::make_unique<Xlib>(desktop_.display())),
      workDir_(desktop_.home().workDir()) {}

Session::~Session() {
    quenda_.reset();  // stopped before the desktop goes
    witness_.reset();
    systemBus_.reset();
    sound_.reset();
}

void Session::writeSettings(const files::Settings& settings, const QString& commandFile,
                            const QList<QByteArray>& lines) {
    inTray_ = settings.loadMinimized == "yes";
    home().writeSettings(settings, commandFile, lines);
}

rig::SoundServer& Session::startSoundServer(int channels) {
    return sound_.emplace(home(), channels);
}

rig::SystemBus& Session::startSystemBus() {
    return systemBus_.emplace(home());
}

::testing::AssertionResult Session::start() {
    rig::Environment programEnv = env();
    if (sound_) {
        sound_->applyTo(programEnv);
    }
    if (systemBus_) {
        systemBus_->applyTo(programEnv);
    }
    quenda_.emplace(home(), programEnv);
    if (inTray_) {
        // The icon is made once the port is open and the program has gone to the tray.
        // Where it shows is the tray host's business (under a window manager its panel
        // may even stay unmapped), so any icon the host took in will do.
        const bool docked =
            rig::waitUntil([&] { return xlib_->iconDocked() || !quenda_->process().running(); },
                           milliseconds(15000));
        if (!docked || !quenda_->process().running()) {
            const rig::CommandResult tree = rig::runCommand(
                {QStringLiteral("xwininfo"), QStringLiteral("-root"), QStringLiteral("-tree")},
                env());
            return ::testing::AssertionFailure()
                   << "no tray icon: " << programErrors() << "\nwindows:\n"
                   << tree.out.toStdString();
        }
        return ::testing::AssertionSuccess();
    }
    mainWindow_ = quenda_->waitForMainWindow(x());
    if (!mainWindow_) {
        return ::testing::AssertionFailure() << "no main window: " << programErrors();
    }
    return ::testing::AssertionSuccess();
}

std::string Session::programErrors() {
    return quenda_ ? quenda_->process().standardError().toStdString() : std::string();
}

Clock::time_point Session::press(const QByteArray& burst) {
    if (!home().firstPort().send(burst)) {
        ADD_FAILURE() << "writing into the pseudo-terminal failed";
    }
    return Clock::now();
}

// bash's clock needs no second process, so the time is taken as the program starts.
QByteArray Session::stamp(const QByteArray& word) {
    const QString script = home().work(QStringLiteral("stamp"));
    if (!QFile::exists(script)) {
        rig::writeFile(script, "#!/bin/bash\necho \"$1 $EPOCHREALTIME\" >> '" +
                                   home().work(QStringLiteral("stamps.log")).toUtf8() + "'\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return script.toUtf8() + ' ' + word;
}

std::vector<Stamp> Session::stamps() const {
    std::vector<Stamp> out;
    QFile log(workDir_ + QStringLiteral("/stamps.log"));
    if (!log.open(QIODevice::ReadOnly)) {
        return out;
    }
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2) {
            out.push_back({QString::fromUtf8(parts[0]), parts[1].toDouble()});
        }
    }
    return out;
}

QStringList Session::stampWords() const {
    QStringList words;
    for (const Stamp& s : stamps()) {
        words << s.word;
    }
    return words;
}

bool Session::waitForStamps(std::size_t count, milliseconds limit) const {
    return rig::waitUntil([&] { return stamps().size() >= count; }, limit, milliseconds(10));
}

bool Session::waitForStamp(const QString& word, milliseconds limit) const {
    return rig::waitUntil([&] { return stampWords().contains(word); }, limit, milliseconds(10));
}

std::optional<rig::XWindowInfo> Session::hint() {
    for (const rig::XWindowInfo& w : x().topLevels()) {
        if (w.viewable && w.instance == QLatin1String("quenda") && xlib_->overrideRedirect(w.id)) {
            return w;
        }
    }
    return std::nullopt;
}

QPoint Session::pointer() {
    return xlib_->pointer();
}

void Session::focus(const QString& title) {
    const std::vector<rig::XWindowInfo> windows = x().topLevelsTitled(title, true);
    if (windows.empty()) {
        ADD_FAILURE() << "no window " << title.toStdString();
        return;
    }
    const rig::XWindowInfo& w = windows.front();
    XWarpPointer(xlib_->dpy, 0, DefaultRootWindow(xlib_->dpy), 0, 0, 0, 0, w.rect.center().x(),
                 w.rect.center().y());
    XSetInputFocus(xlib_->dpy, static_cast<Window>(w.id), RevertToPointerRoot, CurrentTime);
    XSync(xlib_->dpy, False);
}

std::optional<Clock::time_point> Session::waitForHint(milliseconds limit) {
    if (!rig::waitUntil([&] { return hint().has_value(); }, limit, milliseconds(5))) {
        return std::nullopt;
    }
    return Clock::now();
}

bool Session::waitForHintGone(milliseconds limit) {
    return rig::waitUntil([&] { return !hint().has_value(); }, limit, milliseconds(10));
}

}  // namespace e2e
