#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// How the countdown and timer windows are sized and placed: a hidden sizing label
// holds the window's word followed by " 9999" in the overlay font; the window takes
// that label's size and stands 10 pixels from the screen's right edge, its top at
// the screen's height less the label's height less 50.
namespace CountdownPlacement {

inline QString sizingText(const QString& word) {
    return word + QStringLiteral(" 9999");
}

// Window geometry in screen coordinates (the screen's top-left is 0, 0).
inline QRect geometry(QSize sizingLabel, QSize screen) {
    return QRect(screen.width() - sizingLabel.width() - 10,
                 screen.height() - sizingLabel.height() - 50, sizingLabel.width(),
                 sizingLabel.height());
}

}  // namespace CountdownPlacement
