#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a secondary dialog opens: centred over the main window, 20 pixels lower,
// halves truncated toward zero. The main window's rectangle and the dialog's size are
// whole windows, frames included, and so is the top-left corner returned; the forms
// place their dialogs through DialogPlacement::placeOver (forms/dialog_placement.h).
namespace DialogPlacement {

QPoint over(const QRect& mainWindow, const QSize& dialog);

}  // namespace DialogPlacement
