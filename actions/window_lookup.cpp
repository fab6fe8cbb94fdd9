#include "actions/window_lookup.h"

namespace WindowLookup {

namespace {

void operate(Platform& platform, Platform::WindowId window, Operation operation) {
    switch (operation) {
        case Operation::Close:
            platform.closeWindow(window);
            break;
        case Operation::Minimize:
            platform.minimizeWindow(window);
            break;
        case Operation::Maximize:
            platform.maximizeWindow(window);
            break;
        case Operation::Activate:
            platform.raiseWindow(window);
            break;
    }
}

}  // namespace

void apply(Platform& platform, const CaptionMemo& memo, const std::function<void()>& refill,
           const QString& caption, Operation operation) {
    if (caption.isEmpty()) {
        return;
    }
    // A window with exactly this caption ends the search, whether or not it is
    // still there afterwards: a window that honoured a close request at once must
    // not let the search go on to every caption that merely contains this one.
    if (const Platform::WindowId exact = platform.findWindow(caption)) {
        operate(platform, exact, operation);
        return;
    }
    // A caption no window has is searched for as a part of the captions shown.
    refill();
    const QStringList lines = memo.lines();
    for (const QString& line : lines) {
        if (!line.contains(caption)) {
            continue;
        }
        if (const Platform::WindowId window = platform.findWindow(line)) {
            operate(platform, window, operation);
        }
    }
}

}  // namespace WindowLookup
