#pragma once

#include <QRect>
#include <QWidget>

class QLabel;

// What the on-screen windows (hint, countdowns, timer) have in common: frameless,
// always on top, never taking the focus, and only their label's letters show (a
// shape mask cut from them), so no compositor is needed.
namespace OverlayWindow {

Qt::WindowFlags flags();
// Window attributes and focus policy of an on-screen window.
void prepare(QWidget* window);
// A label in the design font: Arial, bold, red, `pixelSize` pixels high.
QLabel* designLabel(QWidget* parent, const char* objectName, int pixelSize);
// Cuts the window's shape from the letters `label` paints.
void cutMask(QWidget* window, QLabel* label);
// The primary screen's geometry.
QRect screenRect();

}  // namespace OverlayWindow
