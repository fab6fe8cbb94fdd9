#pragma once

#include <QList>

#include "actions/overlay_font.h"

class QWidget;
class THintF;

// Gives the on-screen windows the overlay font. Each countdown window is then sized
// to its count text followed by " 9999" and put at the bottom right of the screen,
// 10 pixels from the right edge and 50 above the bottom. Windows that do not exist
// are passed over.
namespace OverlayWindows {

void apply(const OverlayFont& font, THintF* hint, const QList<QWidget*>& windows);

}  // namespace OverlayWindows
