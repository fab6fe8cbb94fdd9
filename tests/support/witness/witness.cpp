// A small X client that the system tests act on. It opens one top-level window per
// --title, maps them and writes one line per thing that happens to those windows
// into the log file, flushed at once so that a test can read it while the witness
// runs:
//
//   ready                                  every window is mapped
//   close <title>                          a WM_DELETE_WINDOW request arrived
//   state <title> iconic|normal            the window was iconified or restored
//   netstate <title> <atom> ...            the window manager changed _NET_WM_STATE
//   focus <title>                          the window got the keyboard focus
//   key <title> press|release <keysym>     a key event
//   button <title> press|release <n>       a mouse button event
//   motion <title> x y                     the pointer moved with a button held
//                                          (root coordinates)
//   configure <title> x y w h              new root-relative position or size
//
// Options:
//   --log FILE           where the lines go (appended)
//   --title T            one more window, captioned T (repeatable)
//   --geometry WxH+X+Y   size and place of the windows (default 300x200+40+40,
//                        each further window 30 pixels down and right)
//   --no-delete          do not advertise WM_DELETE_WINDOW
//   --legacy-name        set only WM_NAME (Latin-1 STRING), no _NET_WM_NAME
//   --exit-on-close      destroy a window on its close request; exit when none is left
//   --times              end key, button and motion lines with " @<server time in ms>"
//
// The witness runs until it is killed (or, with --exit-on-close, until every window
// was asked to close).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string logPath;
    std::vector<std::string> titles;
    unsigned width = 300, height = 200;
    int x = 40, y = 40;
    bool advertiseDelete = true;
    bool legacyName = false;
    bool exitOnClose = false;
    bool times = false;
};

struct WitnessWindow {
    std::string title;
    bool mapped = false;
    std::string lastState;
    std::string lastNetState;
    std::string lastGeometry;
};

FILE* logFile = nullptr;

void logLine(const std::string& line) {
    std::fprintf(logFile, "%s\n", line.c_str());
    std::fflush(logFile);
}

[[noreturn]] void usage(const char* why) {
    std::fprintf(stderr, "quenda_witness: %s\n", why);
    std::fprintf(
        stderr,
        "usage: quenda_witness --log FILE --title T [--title T2 ...] "
        "[--geometry WxH+X+Y] [--no-delete] [--legacy-name] [--exit-on-close] [--times]\n");
    std::exit(2);
}

Options parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage(("missing value after " + a).c_str());
            }
            return argv[++i];
        };
        if (a == "--log") {
            o.logPath = value();
        } else if (a == "--title") {
            o.titles.push_back(value());
        } else if (a == "--geometry") {
            std::string g = value();
            if (std::sscanf(g.c_str(), "%ux%u+%d+%d", &o.width, &o.height, &o.x, &o.y) != 4) {
                usage("geometry must be WxH+X+Y");
            }
        } else if (a == "--no-delete") {
            o.advertiseDelete = false;
        } else if (a == "--legacy-name") {
            o.legacyName = true;
        } else if (a == "--exit-on-close") {
            o.exitOnClose = true;
        } else if (a == "--times") {
            o.times = true;
        } else {
            usage(("unknown option " + a).c_str());
        }
    }
    if (o.logPath.empty() || o.titles.empty()) {
        usage("--log and at least one --title are needed");
    }
    return o;
}

std::string atomName(Display* d, Atom a) {
    char* name = XGetAtomName(d, a);
    std::string s = name ? name : "?";
    if (name) {
        XFree(name);
    }
    return s;
}

// WM_STATE: 1 normal, 3 iconic, 0 withdrawn, -1 absent.
long wmState(Display* d, Window w, Atom wmStateAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long state = -1;
    if (XGetWindowProperty(d, w, wmStateAtom, 0, 2, False, wmStateAtom, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32 && count >= 1) {
        state = reinterpret_cast<long*>(data)[0];
    }
    if (data) {
        XFree(data);
    }
    return state;
}

std::vector<Atom> netWmState(Display* d, Window w, Atom netWmStateAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Atom> atoms;
    if (XGetWindowProperty(d, w, netWmStateAtom, 0, 64, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32) {
        auto* list = reinterpret_cast<Atom*>(data);
        atoms.assign(list, list + count);
    }
    if (data) {
        XFree(data);
    }
    return atoms;
}

// The Latin-1 bytes of a UTF-8 title, for a client that only knows WM_NAME in
// the ICCCM STRING encoding; characters beyond Latin-1 become '?'.
std::string latin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code =
                (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            out += code < 0x100 ? static_cast<char>(code) : '?';
        } else if ((c & 0xC0) != 0x80) {
            out += '?';
        }
    }
    return out;
}

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int) {
    stopRequested = 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options opt = parseOptions(argc, argv);
    logFile = std::fopen(opt.logPath.c_str(), "a");
    if (!logFile) {
        std::perror(opt.logPath.c_str());
        return 1;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "quenda_witness: cannot open the X display\n");
        return 1;
    }
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);

    const Atom wmProtocols = XInternAtom(d, "WM_PROTOCOLS", False);
    const Atom wmDelete = XInternAtom(d, "WM_DELETE_WINDOW", False);
    const Atom wmStateAtom = XInternAtom(d, "WM_STATE", False);
    const Atom netWmStateAtom = XInternAtom(d, "_NET_WM_STATE", False);
    const Atom netWmStateHidden = XInternAtom(d, "_NET_WM_STATE_HIDDEN", False);
    const Atom netWmName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8String = XInternAtom(d, "UTF8_STRING", False);
    const Window root = DefaultRootWindow(d);

    std::map<Window, WitnessWindow> windows;
    int offset = 0;
    for (const std::string& title : opt.titles) {
        XSetWindowAttributes attrs{};
        attrs.background_pixel = WhitePixel(d, DefaultScreen(d));
        attrs.event_mask = StructureNotifyMask | PropertyChangeMask | FocusChangeMask |
                           KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                           ButtonMotionMask | ExposureMask;
        const int x = opt.x + offset, y = opt.y + offset;
        offset += 30;
        Window w = XCreateWindow(d, root, x, y, opt.width, opt.height, 0, CopyFromParent,
                                 InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attrs);

        // The caption: WM_NAME always, _NET_WM_NAME in UTF-8 unless told otherwise.
        XTextProperty text{};
        char* titleText = const_cast<char*>(title.c_str());
        const std::string legacy = latin1(title);
        if (opt.legacyName) {
            char* legacyText = const_cast<char*>(legacy.c_str());
            XStringListToTextProperty(&legacyText, 1, &text);
        } else {
            Xutf8TextListToTextProperty(d, &titleText, 1, XStdICCTextStyle, &text);
        }
        XSetWMName(d, w, &text);
        if (text.value) {
            XFree(text.value);
        }
        if (!opt.legacyName) {
            XChangeProperty(d, w, netWmName, utf8String, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(title.data()),
                            static_cast<int>(title.size()));
        }

        XSizeHints hints{};
        hints.flags = USPosition | USSize;
        hints.x = x;
        hints.y = y;
        hints.width = static_cast<int>(opt.width);
        hints.height = static_cast<int>(opt.height);
        XSetWMNormalHints(d, w, &hints);
        XWMHints wmHints{};
        wmHints.flags = InputHint | StateHint;
        wmHints.input = True;
        wmHints.initial_state = NormalState;
        XSetWMHints(d, w, &wmHints);
        XClassHint classHint{const_cast<char*>("quenda_witness"), const_cast<char*>("Witness")};
        XSetClassHint(d, w, &classHint);
        if (opt.advertiseDelete) {
            Atom protocols[] = {wmDelete};
            XSetWMProtocols(d, w, protocols, 1);
        }
        windows[w].title = title;
        XMapWindow(d, w);
    }
    XFlush(d);

    auto stamp = [&opt](Time time) {
        return opt.times ? " @" + std::to_string(time) : std::string();
    };
    bool ready = false;
    const int fd = ConnectionNumber(d);
    while (!stopRequested) {
        // Wait for events without blocking signals for ever.
        if (!XPending(d)) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            timeval tv{0, 200000};
            select(fd + 1, &set, nullptr, nullptr, &tv);
            continue;
        }
        XEvent ev;
        XNextEvent(d, &ev);
        if (ev.type == MappingNotify) {
            // A key bound for the moment: look keys up in the map as it is now.
            XRefreshKeyboardMapping(&ev.xmapping);
            continue;
        }
        auto it = windows.find(ev.xany.window);
        if (it == windows.end()) {
            continue;
        }
        WitnessWindow& ww = it->second;
        const std::string& t = ww.title;
        switch (ev.type) {
            case MapNotify:
                ww.mapped = true;
                if (!ready) {
                    bool all = true;
                    for (auto& [id, other] : windows) {
                        all = all && other.mapped;
                    }
                    if (all) {
                        ready = true;
                        logLine("ready");
                    }
                }
                [[fallthrough]];
            case ConfigureNotify: {
                // Report the root-relative geometry, whatever parent the window
                // manager gave the window.
                XWindowAttributes a;
                Window child;
                int rx = 0, ry = 0;
                if (XGetWindowAttributes(d, ev.xany.window, &a) &&
                    XTranslateCoordinates(d, ev.xany.window, root, 0, 0, &rx, &ry, &child)) {
                    std::string g = std::to_string(rx) + " " + std::to_string(ry) + " " +
                                    std::to_string(a.width) + " " + std::to_string(a.height);
                    if (g != ww.lastGeometry) {
                        ww.lastGeometry = g;
                        logLine("configure " + t + " " + g);
                    }
                }
                break;
            }
            case PropertyNotify:
                if (ev.xproperty.atom == wmStateAtom || ev.xproperty.atom == netWmStateAtom) {
                    std::vector<Atom> net = netWmState(d, ev.xany.window, netWmStateAtom);
                    bool hidden = false;
                    std::string names;
                    for (Atom a : net) {
                        hidden = hidden || a == netWmStateHidden;
                        names += " " + atomName(d, a);
                    }
                    long st = wmState(d, ev.xany.window, wmStateAtom);
                    std::string state = (st == IconicState || hidden) ? "iconic" : "normal";
                    if (st != -1 && st != WithdrawnState && state != ww.lastState) {
                        ww.lastState = state;
                        logLine("state " + t + " " + state);
                    }
                    if (ev.xproperty.atom == netWmStateAtom && names != ww.lastNetState) {
                        ww.lastNetState = names;
                        logLine("netstate " + t + names);
                    }
                }
                break;
            case FocusIn:
                if (ev.xfocus.detail != NotifyPointer && ev.xfocus.detail != NotifyInferior) {
                    logLine("focus " + t);
                }
                break;
            case KeyPress:
            case KeyRelease: {
                KeySym sym = XLookupKeysym(&ev.xkey, 0);
                const char* name = XKeysymToString(sym);
                logLine("key " + t + (ev.type == KeyPress ? " press " : " release ") +
                        (name ? name : "NoSymbol") + stamp(ev.xkey.time));
                break;
            }
            case ButtonPress:
            case ButtonRelease:
                logLine("button " + t + (ev.type == ButtonPress ? " press " : " release ") +
                        std::to_string(ev.xbutton.button) + stamp(ev.xbutton.time));
                break;
            case MotionNotify:
                logLine("motion " + t + " " + std::to_string(ev.xmotion.x_root) + " " +
                        std::to_string(ev.xmotion.y_root) + stamp(ev.xmotion.time));
                break;
            case ClientMessage:
                if (ev.xclient.message_type == wmProtocols && ev.xclient.format == 32 &&
                    static_cast<Atom>(ev.xclient.data.l[0]) == wmDelete) {
                    logLine("close " + t);
                    if (opt.exitOnClose) {
                        XDestroyWindow(d, ev.xany.window);
                        windows.erase(it);
                        if (windows.empty()) {
                            stopRequested = 1;
                        }
                    }
                }
                break;
            default:
                break;
        }
    }
    XCloseDisplay(d);
    std::fclose(logFile);
    return 0;
}
