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
    if (const Platform::WindowId exact = platform.findWindow(caption)) {
        operate(platform, exact, operation);
    }
    // A window that took the operation and is still there ends the search; one that
    // closed at once (or none at all) lets the partial search look further.
    if (platform.findWindow(caption) != 0) {
        return;
    }
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
