#pragma once

#include <QStringView>
#include <optional>

#include "core/settings_record.h"

// What one received byte becomes in the reception buffer: control bytes are dropped,
// every other byte becomes its two upper-case hexadecimal digits, which the user's
// eight delete values may drop and the eight replacement pairs may rewrite.
namespace ByteFilter {

// The text appended after a blank, or nothing when the byte is dropped. The text may
// be shorter than two characters when a replacement made it so. It is a view of a
// fixed table or of a replacement in `settings`: valid while the settings stay as
// they are, and nothing is allocated for it.
std::optional<QStringView> byteText(unsigned char byte, const SettingsRecord& settings);

}  // namespace ByteFilter
