#include "platform/linux/x11_windows.h"

#include <QByteArray>
#include <algorithm>
#include <deque>

// Xlib defines macros (Bool, Status, None) that clash with Qt: include it last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Swallows the X errors of one connection while it lives (a window may vanish
// between two requests; Xlib's default handler would end the program). Errors of
// other connections in the process still reach the handler that was there before.
class ErrorTrap {
  public:
    explicit ErrorTrap(Display* d) : display_(d) {
        XSync(display_, False);
        if (depth_++ == 0) {
            trapped_ = display_;
            previous_ = XSetErrorHandler(&ErrorTrap::handler);
        }
    }
    ~ErrorTrap() {
        XSync(display_, False);
        if (--depth_ == 0) {
            XSetErrorHandler(previous_);
            trapped_ = nullptr;
            previous_ = nullptr;
        }
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

  private:
    static int handler(Display* d, XErrorEvent* e) {
        if (d == trapped_ || !previous_) {
            return 0;
        }
        return previous_(d, e);
    }
    Display* display_;
    // Traps nest (one call uses another); only the outermost installs the handler.
    static inline int depth_ = 0;
    static inline Display* trapped_ = nullptr;
    static inline XErrorHandler previous_ = nullptr;
};

// One window property, whatever its type; empty when absent.
struct Property {
    Atom type = None;
    int format = 0;
    QByteArray data;  // raw items; 32-bit items are stored as long by Xlib
    unsigned long count = 0;
};

Property readProperty(Display* d, Window w, Atom name, Atom type, long maxLongs = 1 << 16) {
    Property p;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, name, 0, maxLongs, False, type, &p.type, &p.format, &p.count,
                           &after, &data) != Success) {
        return {};
    }
    if (data) {
        const int itemSize = p.format == 32 ? int(sizeof(long)) : p.format / 8;
        p.data = QByteArray(reinterpret_cast<const char*>(data), int(p.count) * itemSize);
        XFree(data);
    }
    return p;
}

std::vector<long> longs(const Property& p) {
    std::vector<long> out;
    if (p.format != 32) {
        return out;
    }
    out.resize(p.count);
    std::copy_n(reinterpret_cast<const long*>(p.data.constData()), p.count, out.begin());
    return out;
}

std::vector<Window> children(Display* d, Window w) {
    Window root = 0, parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    std::vector<Window> out;
    if (XQueryTree(d, w, &root, &parent, &list, &count) && list) {
        out.assign(list, list + count);  // bottom of the stack first
        XFree(list);
    }
    return out;
}

// Text of a WM_NAME style property in whichever encoding the client chose.
QString decodeText(Display* d, Window w, Atom name) {
    const Property p = readProperty(d, w, name, AnyPropertyType);
    if (p.format != 8 || p.data.isEmpty()) {
        return {};
    }
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    if (p.type == utf8) {
        return QString::fromUtf8(p.data);
    }
    if (p.type == XA_STRING) {
        return QString::fromLatin1(p.data);
    }
    // COMPOUND_TEXT and other encodings: let Xlib convert.
    XTextProperty tp{};
    tp.value = reinterpret_cast<unsigned char*>(const_cast<char*>(p.data.constData()));
    tp.encoding = p.type;
    tp.format = 8;
    tp.nitems = static_cast<unsigned long>(p.data.size());
    char** list = nullptr;
    int count = 0;
    QString text;
    if (Xutf8TextPropertyToTextList(d, &tp, &list, &count) >= Success && list && count > 0) {
        text = QString::fromUtf8(list[0]);
    } else {
        text = QString::fromLatin1(p.data);
    }
    if (list) {
        XFreeStringList(list);
    }
    return text;
}

}  // namespace

X11Windows::X11Windows(_XDisplay* display) : display_(display) {}

unsigned long X11Windows::atom(const char* name) {
    return XInternAtom(display_, name, False);
}

QString X11Windows::cutCaption(const QString& caption) {
    int characters = 0;
    for (int i = 0; i < caption.size(); ++i) {
        if (characters == kCaptionLimit) {
            return caption.left(i);
        }
        if (caption.at(i).isHighSurrogate() && i + 1 < caption.size() &&
            caption.at(i + 1).isLowSurrogate()) {
            ++i;
        }
        ++characters;
    }
    return caption;
}

QString X11Windows::caption(Id window) {
    if (window == 0) {
        return {};
    }
    ErrorTrap trap(display_);
    QString title = decodeText(display_, window, atom("_NET_WM_NAME"));
    if (title.isEmpty()) {
        title = decodeText(display_, window, XA_WM_NAME);
    }
    return title;
}

long X11Windows::wmState(Id window) {
    const Atom wmStateAtom = atom("WM_STATE");
    const std::vector<long> v = longs(readProperty(display_, window, wmStateAtom, wmStateAtom, 2));
    return v.empty() ? -1 : v[0];
}

X11Windows::Id X11Windows::clientOf(Id frame) {
    // Breadth first, so that the outermost window with WM_STATE wins.
    const Atom wmStateAtom = atom("WM_STATE");
    std::deque<Window> queue{frame};
    while (!queue.empty()) {
        const Window w = queue.front();
        queue.pop_front();
        if (readProperty(display_, w, wmStateAtom, AnyPropertyType, 0).type != None) {
            return w;
        }
        for (Window c : children(display_, w)) {
            queue.push_back(c);
        }
    }
    return frame;
}

X11Windows::Id X11Windows::frameOf(Id window) {
    const Window root = DefaultRootWindow(display_);
    Window w = window;
    for (int depth = 0; depth < 64; ++depth) {
        Window r = 0, parent = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, w, &r, &parent, &list, &count)) {
            return window;
        }
        if (list) {
            XFree(list);
        }
        if (parent == root || parent == 0) {
            return w;
        }
        w = parent;
    }
    return window;
}

std::vector<X11Windows::TopLevel> X11Windows::topLevelsTopFirst() {
    std::vector<Window> tops = children(display_, DefaultRootWindow(display_));
    std::reverse(tops.begin(), tops.end());
    std::vector<TopLevel> out;
    out.reserve(tops.size());
    for (Window t : tops) {
        out.push_back({t, clientOf(t)});
    }
    return out;
}

X11Windows::Id X11Windows::find(const QString& exactCaption) {
    if (exactCaption.isEmpty()) {
        return 0;
    }
    ErrorTrap trap(display_);
    for (const TopLevel& t : topLevelsTopFirst()) {
        if (caption(t.client) == exactCaption) {
            return t.client;
        }
    }
    return 0;
}

QStringList X11Windows::visibleCaptions() {
    ErrorTrap trap(display_);
    QStringList out;
    for (const TopLevel& t : topLevelsTopFirst()) {
        XWindowAttributes a;
        // IsViewable: the client and every window around it are mapped.
        if (!XGetWindowAttributes(display_, t.client, &a) || a.map_state != IsViewable) {
            continue;
        }
        const QString c = cutCaption(caption(t.client));
        if (!c.isEmpty()) {
            out << c;
        }
    }
    return out;
}

bool X11Windows::hasWindowManager() {
    // An EWMH window manager names a window of its own on the root, and that
    // window names itself again; a stale property from a window manager that is
    // gone points to a window that no longer exists.
    const Atom check = atom("_NET_SUPPORTING_WM_CHECK");
    const std::vector<long> onRoot =
        longs(readProperty(display_, DefaultRootWindow(display_), check, XA_WINDOW, 1));
    if (onRoot.empty() || onRoot[0] == 0) {
        return false;
    }
    const std::vector<long> onSelf = longs(readProperty(display_, onRoot[0], check, XA_WINDOW, 1));
    return !onSelf.empty() && onSelf[0] == onRoot[0];
}

bool X11Windows::windowManagerSupports(const char* atomName) {
    if (!hasWindowManager()) {
        return false;
    }
    const std::vector<long> supported =
        longs(readProperty(display_, DefaultRootWindow(display_), atom("_NET_SUPPORTED"), XA_ATOM));
    const long wanted = static_cast<long>(atom(atomName));
    return std::find(supported.begin(), supported.end(), wanted) != supported.end();
}

void X11Windows::sendToRoot(Id window, const char* messageType, long l0, long l1, long l2,
                            long l3) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = atom(messageType);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = l0;
    ev.xclient.data.l[1] = l1;
    ev.xclient.data.l[2] = l2;
    ev.xclient.data.l[3] = l3;
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

void X11Windows::close(Id window) {
    if (window == 0) {
        return;
    }
    ErrorTrap trap(display_);
    // The window manager closes a window the way its own close button does: a
    // polite request where the client takes one, its own means where it does not.
    if (windowManagerSupports("_NET_CLOSE_WINDOW")) {
        const long sourceIsUser = 2;
        sendToRoot(window, "_NET_CLOSE_WINDOW", CurrentTime, sourceIsUser, 0, 0);
        return;
    }
    const Atom deleteWindow = atom("WM_DELETE_WINDOW");
    Atom* protocols = nullptr;
    int count = 0;
    bool takesDelete = false;
    if (XGetWMProtocols(display_, window, &protocols, &count) && protocols) {
        takesDelete = std::find(protocols, protocols + count, deleteWindow) != protocols + count;
        XFree(protocols);
    }
    if (!takesDelete) {
        return;  // without a window manager, never kill a client that cannot be asked
    }
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = atom("WM_PROTOCOLS");
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(deleteWindow);
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &ev);
}

void X11Windows::minimize(Id window) {
    if (window == 0) {
        return;
    }
    ErrorTrap trap(display_);
    XIconifyWindow(display_, window, DefaultScreen(display_));
}

void X11Windows::maximize(Id window) {
    if (window == 0) {
        return;
    }
    ErrorTrap trap(display_);
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, window, &a)) {
        return;
    }
    if (!hasWindowManager()) {
        // Nobody else places windows: fill the screen ourselves.
        XMoveResizeWindow(display_, window, 0, 0,
                          static_cast<unsigned>(WidthOfScreen(a.screen)) - 2 * a.border_width,
                          static_cast<unsigned>(HeightOfScreen(a.screen)) - 2 * a.border_width);
        XMapRaised(display_, window);
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        return;
    }
    if (a.map_state != IsViewable) {
        // Mapping an iconified client asks its window manager to show it again.
        XMapRaised(display_, window);
    }
    if (windowManagerSupports("_NET_WM_STATE_MAXIMIZED_VERT")) {
        const long add = 1, sourceIsUser = 2;
        sendToRoot(window, "_NET_WM_STATE", add, long(atom("_NET_WM_STATE_MAXIMIZED_VERT")),
                   long(atom("_NET_WM_STATE_MAXIMIZED_HORZ")), sourceIsUser);
    }
    if (windowManagerSupports("_NET_ACTIVE_WINDOW")) {
        sendToRoot(window, "_NET_ACTIVE_WINDOW", 2, CurrentTime, 0, 0);
    }
}

void X11Windows::raise(Id window) {
    if (window == 0) {
        return;
    }
    ErrorTrap trap(display_);
    if (wmState(window) == IconicState) {
        return;  // bringing a window forward does not restore it
    }
    if (windowManagerSupports("_NET_ACTIVE_WINDOW")) {
        const long sourceIsUser = 2;
        sendToRoot(window, "_NET_ACTIVE_WINDOW", sourceIsUser, CurrentTime, 0, 0);
        return;
    }
    XRaiseWindow(display_, frameOf(window));
    XWindowAttributes a;
    if (XGetWindowAttributes(display_, window, &a) && a.map_state == IsViewable) {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    }
}

QRect X11Windows::rect(Id window) {
    if (window == 0) {
        return {};
    }
    ErrorTrap trap(display_);
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, window, &a)) {
        return {};
    }
    Window child = 0;
    int x = 0, y = 0;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y,
                               &child)) {
        return {};
    }
    // The translated origin is inside the border; the rectangle takes the border in.
    QRect r(x - a.border_width, y - a.border_width, a.width + 2 * a.border_width,
            a.height + 2 * a.border_width);
    // Title bar and frame as the window manager reports them: left, right, top, bottom.
    const std::vector<long> extents =
        longs(readProperty(display_, window, atom("_NET_FRAME_EXTENTS"), XA_CARDINAL, 4));
    if (extents.size() == 4) {
        r.adjust(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
    }
    return r;
}
