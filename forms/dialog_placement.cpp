#include "forms/dialog_placement.h"

#include <QWidget>

namespace DialogPlacement {

void placeOver(QWidget& dialog, const QWidget& mainWindow) {
    const QSize ownFrame = dialog.frameGeometry().size() - dialog.size();
    const QSize frame =
        ownFrame.isNull() ? mainWindow.frameGeometry().size() - mainWindow.size() : ownFrame;
    // The position of a window is the top-left corner of its frame.
    dialog.move(over(mainWindow.frameGeometry(), dialog.size() + frame));
}

}  // namespace DialogPlacement
