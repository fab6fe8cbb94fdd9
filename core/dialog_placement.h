#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a secondary dialog opens: centred over the main window, 20 pixels lower,
// halves truncated toward zero. Both rectangles are client areas (without frames).
namespace DialogPlacement {

QPoint over(const QRect& mainWindow, const QSize& dialog);

}  // namespace DialogPlacement
