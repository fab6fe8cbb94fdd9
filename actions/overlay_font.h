#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "core/settings_record.h"

// The font of the on-screen windows' labels (hint, countdowns, timer), as the
// settings name it.
struct OverlayFont {
    enum class Style { Unchanged, Bold, Italic };

    QString family;
    int pointSize = 0;
    std::uint32_t colorValue = 0;  // Windows RGB: red in the low byte
    Style style = Style::Unchanged;

    // "fsBold" gives bold alone, "fsItalic" italic alone; any other style text
    // leaves each label's style as it is. Nothing when fontSize is no whole number
    // (the caller reports it).
    static std::optional<OverlayFont> fromSettings(const SettingsRecord& settings);

    int red() const { return int(colorValue & 0xFF); }
    int green() const { return int((colorValue >> 8) & 0xFF); }
    int blue() const { return int((colorValue >> 16) & 0xFF); }
};
