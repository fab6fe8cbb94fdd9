#pragma once

#include <QRect>
#include <QSize>

// Where the command hint stands: its label's text begins at the window's left edge,
// the window is 10 pixels wider than the label and `extraHeight` pixels taller, and
// the label ends 50 pixels short of the screen's right and bottom edges. A label
// wider than the screen puts the left edge off the screen.
namespace HintPlacement {

inline constexpr int kPassExtraHeight = 20;   // after a recognised command
inline constexpr int kSwitchExtraHeight = 0;  // the command-file switch

// Window geometry in screen coordinates (the screen's top-left is 0, 0).
inline QRect geometry(QSize label, QSize screen, int extraHeight) {
    return QRect(screen.width() - label.width() - 50, screen.height() - label.height() - 50,
                 label.width() + 10, label.height() + extraHeight);
}

}  // namespace HintPlacement
