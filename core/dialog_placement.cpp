#include "core/dialog_placement.h"

namespace DialogPlacement {

QPoint over(const QRect& mainWindow, const QSize& dialog) {
    // Integer division truncates toward zero, also for a dialog larger than the window.
    return {mainWindow.x() + (mainWindow.width() - dialog.width()) / 2,
            mainWindow.y() + (mainWindow.height() - dialog.height()) / 2 + 20};
}

}  // namespace DialogPlacement
