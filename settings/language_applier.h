#pragma once

#include <QList>

#include "settings/language_file.h"

class QWidget;

// Puts the texts of a language file into the windows: captions of windows, menus,
// labels, buttons, boxes and pages found by their object names, and the items of
// the lists the file names. A window or object that does not exist is passed over.
namespace LanguageApplier {

void apply(const LanguageTexts& texts, const QList<QWidget*>& windows);

}  // namespace LanguageApplier
