#include "platform/linux/x11_input.h"

#include <algorithm>

#include "platform/linux/x11_keysyms.h"

// Xlib defines macros (Bool, Status, None) that clash with Qt: include it last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

// The keyboard map as the server holds it now (Xlib's copy may be stale).
struct KeyMap {
    int minCode = 0, maxCode = 0, perCode = 0;
    KeySym* syms = nullptr;

    explicit KeyMap(Display* d) {
        XDisplayKeycodes(d, &minCode, &maxCode);
        syms =
            XGetKeyboardMapping(d, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
    }
    ~KeyMap() {
        if (syms) {
            XFree(syms);
        }
    }
    KeyMap(const KeyMap&) = delete;
    KeyMap& operator=(const KeyMap&) = delete;

    KeySym at(int code, int column) const { return syms[(code - minCode) * perCode + column]; }
    int codeWithFirst(KeySym sym) const {
        for (int code = minCode; syms && code <= maxCode; ++code) {
            if (at(code, 0) == sym) {
                return code;
            }
        }
        return 0;
    }
    bool isEmpty(int code) const {
        for (int column = 0; column < perCode; ++column) {
            if (at(code, column) != NoSymbol) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace

X11Input::X11Input(Display* display) : display_(display) {
    int event = 0, error = 0, major = 0, minor = 0;
    available_ = XTestQueryExtension(display_, &event, &error, &major, &minor);
    unbindTimer_.setSingleShot(true);
    unbindTimer_.setInterval(kUnbindDelayMs);
    QObject::connect(&unbindTimer_, &QTimer::timeout, [this] { unbindReleasedSpares(); });
}

X11Input::~X11Input() {
    held_.clear();
    unbindReleasedSpares();
}

void X11Input::key(int virtualKey, bool down) {
    if (!available_) {
        return;
    }
    takeMappingNotices();
    unsigned char code = 0;
    if (down) {
        code = keycodeFor(keysymForVirtualKey(virtualKey), true);
        if (code) {
            held_.emplace_back(virtualKey, code);
        }
    } else {
        // The release goes to the keycode the press went to, whatever the map says now.
        const auto pressed = std::find_if(held_.rbegin(), held_.rend(),
                                          [&](const auto& h) { return h.first == virtualKey; });
        if (pressed != held_.rend()) {
            code = pressed->second;
            held_.erase(std::next(pressed).base());
        } else {
            // Not pressed here: released where the map has it, never on a spare.
            code = keycodeFor(keysymForVirtualKey(virtualKey), false);
        }
    }
    if (code) {
        XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
        XFlush(display_);
    }
    if (!down && !spares_.empty()) {
        unbindTimer_.start();
    }
}

unsigned char X11Input::keycodeFor(unsigned long keysym, bool mayBindSpare) {
    if (keysym == 0) {
        return 0;
    }
    const KeyMap map(display_);
    if (const int code = map.codeWithFirst(keysym)) {
        return static_cast<unsigned char>(code);
    }
    return mayBindSpare ? bindSpare(keysym) : 0;
}

// The highest keycode without any keysym; when every one is taken, the spare bound
// longest ago whose key is up.
unsigned char X11Input::bindSpare(unsigned long keysym) {
    int code = 0;
    const KeyMap map(display_);
    for (int candidate = map.maxCode; map.syms && candidate >= map.minCode; --candidate) {
        if (map.isEmpty(candidate)) {
            code = candidate;
            break;
        }
    }
    if (code == 0) {
        const auto oldest = std::find_if(spares_.begin(), spares_.end(), [this](const auto& spare) {
            return !isHeld(spare.first);
        });
        if (oldest == spares_.end()) {
            return 0;
        }
        code = oldest->first;
        spares_.erase(oldest);
    }
    KeySym sym = keysym;
    XChangeKeyboardMapping(display_, code, 1, &sym, 1);
    XSync(display_, False);
    spares_.emplace_back(static_cast<unsigned char>(code), keysym);
    return static_cast<unsigned char>(code);
}

bool X11Input::isHeld(unsigned char code) const {
    return std::any_of(held_.begin(), held_.end(),
                       [code](const auto& h) { return h.second == code; });
}

// A spare keycode is given back only while it still carries our keysym: a layout
// loaded meanwhile may have put a key of its own there.
void X11Input::unbindReleasedSpares() {
    const KeyMap map(display_);
    std::vector<std::pair<unsigned char, unsigned long>> kept;
    for (const auto& [code, keysym] : spares_) {
        if (isHeld(code)) {
            kept.emplace_back(code, keysym);
            continue;
        }
        if (map.syms && code >= map.minCode && code <= map.maxCode && map.at(code, 0) == keysym) {
            KeySym none = NoSymbol;
            XChangeKeyboardMapping(display_, code, 1, &none, 1);
        }
    }
    spares_ = std::move(kept);
    XFlush(display_);
}

void X11Input::takeMappingNotices() {
    XEvent event;
    while (XCheckTypedEvent(display_, MappingNotify, &event)) {
        XRefreshKeyboardMapping(&event.xmapping);
    }
}

void X11Input::button(unsigned int number, bool down) {
    if (!available_) {
        return;
    }
    XTestFakeButtonEvent(display_, number, down ? True : False, CurrentTime);
    XFlush(display_);
}

void X11Input::moveTo(QPoint rootPosition) {
    if (!available_) {
        return;
    }
    XTestFakeMotionEvent(display_, DefaultScreen(display_), rootPosition.x(), rootPosition.y(),
                         CurrentTime);
    XFlush(display_);
}

QPoint X11Input::position() {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &winX,
                  &winY, &mask);
    return {rootX, rootY};
}
