#include "actions/overlay_font.h"

#include "core/number_text.h"

std::optional<OverlayFont> OverlayFont::fromSettings(const SettingsRecord& settings) {
    const std::optional<int> size = NumberText::toInt(settings.fontSize);
    if (!size) {
        return std::nullopt;
    }
    OverlayFont font;
    font.family = settings.fontName;
    font.pointSize = *size;
    font.colorValue = settings.fontColorValue;
    if (settings.fontStyle == QLatin1String("fsBold")) {
        font.style = Style::Bold;
    } else if (settings.fontStyle == QLatin1String("fsItalic")) {
        font.style = Style::Italic;
    }
    return font;
}
