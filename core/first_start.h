#pragma once

#include <QString>

#include "core/messages.h"

// The first start in a folder without QUENDA.ini: create the folder, default
// settings in the language of the locale, and a sample remote named as the file
// to load. An existing sample is kept. Returns an empty text or the error.
namespace FirstStart {

inline constexpr const char* kSampleFileName = "sample.pci";

bool needed(const QString& programFolder);
QString prepare(const QString& programFolder, const QString& localeName,
                const Messages& messages = Messages::builtIn());

}  // namespace FirstStart
