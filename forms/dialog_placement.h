#pragma once

#include "core/dialog_placement.h"

class QWidget;

namespace DialogPlacement {

// Moves a dialog over the main window by the rule of `over`, counting whole windows,
// frames included: the main window's frame rectangle and the dialog's frame size give
// the dialog's frame top-left. A dialog's frame is known only once it has been shown:
// until then it is taken to be the main window's. Without a window manager both
// frames are empty and the rectangles are the client areas.
void placeOver(QWidget& dialog, const QWidget& mainWindow);

}  // namespace DialogPlacement
