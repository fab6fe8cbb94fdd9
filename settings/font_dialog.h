#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The font dialog of the overlay font: face, size and style, plus a colour picked
// from the sixteen colours the settings can name.
namespace FontDialog {

// Edits font and colour in place when the user presses OK; false on cancel.
bool run(QWidget* parent, QFont& font, QColor& color);

}  // namespace FontDialog
