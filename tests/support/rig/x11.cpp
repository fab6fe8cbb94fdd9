#include "support/rig/x11.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <cerrno>
#include <stdexcept>

// Xlib last: its macros (Bool, Status) break Qt headers that follow them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace rig {

namespace {

// Windows come and go while the test looks at them; a query on a window that has
// just vanished is not a failure.
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

QString geometryArg(const QRect& r) {
    return QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

void check(const CommandResult& r, const QString& what) {
    if (!r.ok()) {
        throw std::runtime_error(QStringLiteral("%1 failed (%2): %3")
                                     .arg(what)
                                     .arg(r.exitCode)
                                     .arg(QString::fromLocal8Bit(r.err))
                                     .toStdString());
    }
}

// The display number Xvfb writes to the -displayfd descriptor, once it listens.
QString readDisplayNumber(int fd, milliseconds limit) {
    QByteArray text;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!text.contains('\n')) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd p{fd, POLLIN, 0};
        const int r = poll(&p, 1, static_cast<int>(left.count()));
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r <= 0) {
            break;
        }
        char buffer[32];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        text.append(buffer, n);
    }
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? QStringLiteral(":%1").arg(number) : QString();
}

}  // namespace

XServer::XServer(const QString& logDir, const Environment& base, const QStringList& arguments) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    ChildProcess::Options options;
    options.argv = {
        QStringLiteral("Xvfb"),      QStringLiteral("-displayfd"), QStringLiteral("3"),
        QStringLiteral("-screen"),   QStringLiteral("0"),          QStringLiteral("1280x800x24"),
        QStringLiteral("-nolisten"), QStringLiteral("tcp"),        QStringLiteral("-noreset")};
    options.argv += arguments;
    options.env = base;
    options.logBase = logDir + QStringLiteral("/xvfb");
    options.passFds = {{fds[1], 3}};
    try {
        process_ = ChildProcess(options);
    } catch (...) {
        close(fds[0]);
        close(fds[1]);
        throw;
    }
    close(fds[1]);
    display_ = readDisplayNumber(fds[0], milliseconds(15000));
    close(fds[0]);
    if (display_.isEmpty()) {
        throw std::runtime_error("Xvfb did not report a display: " +
                                 process_.standardError().toStdString());
    }
    Environment env = base;
    env.set(QStringLiteral("DISPLAY"), display_);
    const bool ready =
        waitUntil([&] { return runCommand({QStringLiteral("xdpyinfo")}, env, seconds(5)).ok(); },
                  milliseconds(10000), milliseconds(50));
    if (!ready) {
        throw std::runtime_error("Xvfb on " + display_.toStdString() + " does not answer");
    }
}

struct XInspector::Impl {
    Display* dpy = nullptr;
    Window root = 0;
    int created = 0;

    Atom atom(const char* name) { return XInternAtom(dpy, name, False); }

    bool hasProperty(Window w, Atom property) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        const int rc = XGetWindowProperty(dpy, w, property, 0, 0, False, AnyPropertyType, &type,
                                          &format, &items, &after, &data);
        if (data) {
            XFree(data);
        }
        return rc == Success && type != None;
    }

    std::vector<Window> children(Window w) {
        Window rootReturn = 0, parent = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        std::vector<Window> out;
        if (XQueryTree(dpy, w, &rootReturn, &parent, &list, &count) && list) {
            out.assign(list, list + count);
        }
        if (list) {
            XFree(list);
        }
        return out;
    }

    // The window that carries WM_STATE inside a frame, as xprop and xwininfo find it;
    // the window itself when there is no window manager.
    Window client(Window w) {
        const Atom wmState = atom("WM_STATE");
        if (hasProperty(w, wmState)) {
            return w;
        }
        std::vector<Window> level = children(w);
        while (!level.empty()) {
            std::vector<Window> next;
            for (Window c : level) {
                if (hasProperty(c, wmState)) {
                    return c;
                }
                const std::vector<Window> below = children(c);
                next.insert(next.end(), below.begin(), below.end());
            }
            level = std::move(next);
        }
        return w;
    }

    QString title(Window w) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy, w, atom("_NET_WM_NAME"), 0, 1024, False, atom("UTF8_STRING"),
                               &type, &format, &items, &after, &data) == Success &&
            data && format == 8) {
            const QString text =
                QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(items));
            XFree(data);
            return text;
        }
        if (data) {
            XFree(data);
        }
        char* name = nullptr;
        if (XFetchName(dpy, w, &name) && name) {
            const QString text = QString::fromLatin1(name);
            XFree(name);
            return text;
        }
        return {};
    }

    XWindowInfo info(Window w) {
        XWindowInfo i;
        i.id = w;
        i.title = title(w);
        XClassHint hint{nullptr, nullptr};
        if (XGetClassHint(dpy, w, &hint)) {
            i.instance = QString::fromLatin1(hint.res_name ? hint.res_name : "");
            i.klass = QString::fromLatin1(hint.res_class ? hint.res_class : "");
            if (hint.res_name) {
                XFree(hint.res_name);
            }
            if (hint.res_class) {
                XFree(hint.res_class);
            }
        }
        XWindowAttributes a;
        if (XGetWindowAttributes(dpy, w, &a)) {
            i.viewable = a.map_state == IsViewable;
            int x = 0, y = 0;
            Window ignored = 0;
            XTranslateCoordinates(dpy, w, root, 0, 0, &x, &y, &ignored);
            i.rect = QRect(x, y, a.width, a.height);
        }
        return i;
    }

    void collectDocked(Window w, bool insideTray, const QString& instance,
                       std::vector<XWindowInfo>& out) {
        const XWindowInfo here = info(w);
        if (insideTray && here.instance == instance && here.viewable && !here.rect.isEmpty()) {
            out.push_back(here);
        }
        const bool tray =
            insideTray || here.klass.compare(QLatin1String("trayer"), Qt::CaseInsensitive) == 0;
        for (Window c : children(w)) {
            collectDocked(c, tray, instance, out);
        }
    }
};

XInspector::XInspector(const QString& display) : d_(std::make_unique<Impl>()) {
    XSetErrorHandler(ignoreXErrors);
    d_->dpy = XOpenDisplay(display.toLocal8Bit().constData());
    if (!d_->dpy) {
        throw std::runtime_error("cannot open display " + display.toStdString());
    }
    d_->root = DefaultRootWindow(d_->dpy);
}

XInspector::~XInspector() {
    if (d_->dpy) {
        XCloseDisplay(d_->dpy);
    }
}

std::vector<XWindowInfo> XInspector::topLevels() {
    XSync(d_->dpy, False);
    std::vector<XWindowInfo> out;
    for (Window w : d_->children(d_->root)) {
        out.push_back(d_->info(d_->client(w)));
    }
    return out;
}

std::vector<XWindowInfo> XInspector::topLevelsTitled(const QString& title, bool viewableOnly) {
    std::vector<XWindowInfo> out;
    for (const XWindowInfo& w : topLevels()) {
        if (w.title == title && (w.viewable || !viewableOnly)) {
            out.push_back(w);
        }
    }
    return out;
}

XWindowInfo XInspector::window(std::uint64_t id) {
    XSync(d_->dpy, False);
    XWindowAttributes a;
    if (id == 0 || !XGetWindowAttributes(d_->dpy, static_cast<Window>(id), &a)) {
        return {};
    }
    return d_->info(static_cast<Window>(id));
}

std::uint64_t XInspector::frameOf(std::uint64_t id) {
    XSync(d_->dpy, False);
    Window w = static_cast<Window>(id);
    for (int depth = 0; depth < 16; ++depth) {
        Window root = 0, parent = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(d_->dpy, w, &root, &parent, &list, &count)) {
            return 0;
        }
        if (list) {
            XFree(list);
        }
        if (parent == 0 || parent == root) {
            return w;
        }
        w = parent;
    }
    return 0;
}

std::uint64_t XInspector::topmost() {
    XSync(d_->dpy, False);
    const std::vector<Window> stack = d_->children(d_->root);
    return stack.empty() ? 0 : stack.back();
}

void XInspector::requestClose(std::uint64_t id) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(id);
    event.xclient.message_type = d_->atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(d_->atom("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d_->dpy, static_cast<Window>(id), False, NoEventMask, &event);
    XSync(d_->dpy, False);
}

QString XInspector::wmState(std::uint64_t id) {
    XSync(d_->dpy, False);
    const Atom wmState = d_->atom("WM_STATE");
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    QString state;
    if (XGetWindowProperty(d_->dpy, static_cast<Window>(id), wmState, 0, 2, False, wmState, &type,
                           &format, &items, &after, &data) == Success &&
        data && format == 32 && items >= 1) {
        switch (reinterpret_cast<const long*>(data)[0]) {
            case NormalState:
                state = QStringLiteral("Normal");
                break;
            case IconicState:
                state = QStringLiteral("Iconic");
                break;
            case WithdrawnState:
                state = QStringLiteral("Withdrawn");
                break;
        }
    }
    if (data) {
        XFree(data);
    }
    return state;
}

std::vector<XWindowInfo> XInspector::dockedTrayIcons(const QString& instance) {
    XSync(d_->dpy, False);
    std::vector<XWindowInfo> out;
    for (Window w : d_->children(d_->root)) {
        d_->collectDocked(w, false, instance, out);
    }
    return out;
}

std::uint64_t XInspector::selectionOwner(const char* selection) {
    XSync(d_->dpy, False);
    return XGetSelectionOwner(d_->dpy, d_->atom(selection));
}

bool XInspector::rootHasProperty(const char* property) {
    XSync(d_->dpy, False);
    return d_->hasProperty(d_->root, d_->atom(property));
}

void XInspector::watchWindowCreation() {
    XSelectInput(d_->dpy, d_->root, SubstructureNotifyMask);
    XSync(d_->dpy, True);  // drop what came before
    d_->created = 0;
}

int XInspector::windowsCreatedSinceWatch() {
    XSync(d_->dpy, False);
    while (XPending(d_->dpy) > 0) {
        XEvent event;
        XNextEvent(d_->dpy, &event);
        if (event.type == CreateNotify) {
            ++d_->created;
        }
    }
    return d_->created;
}

TrayHost::TrayHost(const QString& logDir, const Environment& env, XInspector& x) {
    ChildProcess::Options options;
    options.argv = {
        QStringLiteral("trayer"),   QStringLiteral("--edge"),   QStringLiteral("top"),
        QStringLiteral("--align"),  QStringLiteral("right"),    QStringLiteral("--widthtype"),
        QStringLiteral("pixel"),    QStringLiteral("--width"),  QStringLiteral("120"),
        QStringLiteral("--height"), QStringLiteral("24"),       QStringLiteral("--SetDockType"),
        QStringLiteral("true"),     QStringLiteral("--expand"), QStringLiteral("false")};
    options.env = env;
    options.logBase = logDir + QStringLiteral("/trayer");
    process_ = ChildProcess(options);
    const bool ready = waitUntil([&] { return x.selectionOwner("_NET_SYSTEM_TRAY_S0") != 0; },
                                 milliseconds(10000));
    if (!ready) {
        throw std::runtime_error("trayer did not take the tray selection: " +
                                 process_.standardError().toStdString());
    }
}

WindowManager::WindowManager(const QString& logDir, const Environment& env, XInspector& x) {
    ChildProcess::Options options;
    options.argv = {QStringLiteral("matchbox-window-manager"), QStringLiteral("-use_titlebar"),
                    QStringLiteral("yes")};
    options.env = env;
    options.logBase = logDir + QStringLiteral("/matchbox");
    process_ = ChildProcess(options);
    const bool ready = waitUntil([&] { return x.rootHasProperty("_NET_SUPPORTING_WM_CHECK"); },
                                 milliseconds(10000));
    if (!ready) {
        throw std::runtime_error("the window manager did not start: " +
                                 process_.standardError().toStdString());
    }
}

void screenshot(const Environment& env, const QString& pngPath) {
    check(runCommand({QStringLiteral("/usr/bin/import"), QStringLiteral("-window"),
                      QStringLiteral("root"), pngPath},
                     env),
          QStringLiteral("import"));
}

QString readText(const Environment& env, const QString& pngPath, const QRect& area,
                 const QString& workPath, int scale, bool singleLine) {
    // /usr/bin/convert itself: another `convert` may come first on PATH.
    check(runCommand({QStringLiteral("/usr/bin/convert"), pngPath, QStringLiteral("-crop"),
                      geometryArg(area), QStringLiteral("+repage"), QStringLiteral("-resize"),
                      QStringLiteral("%1%").arg(scale * 100), workPath},
                     env),
          QStringLiteral("convert -crop"));
    Environment ocrEnv = env;
    ocrEnv.set(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1"));
    QStringList ocr{QStringLiteral("tesseract"), workPath, QStringLiteral("stdout")};
    if (singleLine) {
        ocr << QStringLiteral("--psm") << QStringLiteral("7");
    }
    const CommandResult r = runCommand(ocr, ocrEnv, seconds(60));
    check(r, QStringLiteral("tesseract"));
    return QString::fromUtf8(r.out);
}

int distinctColours(const Environment& env, const QString& pngPath, const QRect& area) {
    const CommandResult r =
        runCommand({QStringLiteral("/usr/bin/convert"), pngPath, QStringLiteral("-crop"),
                    geometryArg(area), QStringLiteral("+repage"), QStringLiteral("-format"),
                    QStringLiteral("%k"), QStringLiteral("info:")},
                   env);
    check(r, QStringLiteral("convert -format %k"));
    return r.out.trimmed().toInt();
}

void pressKeys(const Environment& env, std::uint64_t window, const QString& keys) {
    const QString id = QString::number(window);
    check(runCommand(
              {QStringLiteral("xdotool"), QStringLiteral("windowfocus"), QStringLiteral("--sync"),
               id, QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys},
              env, seconds(10)),
          QStringLiteral("xdotool"));
}

}  // namespace rig
