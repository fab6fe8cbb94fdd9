#include "core/settings_record.h"

#include <array>

namespace {

struct NamedColor {
    const char* name;
    std::uint32_t value;
};

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

constexpr std::array<NamedColor, 16> kColors = {{
    {"clBlack", rgb(0, 0, 0)},
    {"clMaroon", rgb(128, 0, 0)},
    {"clGreen", rgb(0, 128, 0)},
    {"clOlive", rgb(128, 128, 0)},
    {"clNavy", rgb(0, 0, 128)},
    {"clPurple", rgb(128, 0, 128)},
    {"clTeal", rgb(0, 128, 128)},
    {"clGray", rgb(128, 128, 128)},
    {"clSilver", rgb(192, 192, 192)},
    {"clRed", rgb(255, 0, 0)},
    {"clLime", rgb(0, 255, 0)},
    {"clYellow", rgb(255, 255, 0)},
    {"clBlue", rgb(0, 0, 255)},
    {"clFuchsia", rgb(255, 0, 255)},
    {"clAqua", rgb(0, 255, 255)},
    {"clWhite", rgb(255, 255, 255)},
}};

}  // namespace

SettingsRecord SettingsRecord::defaults(const QString& language) {
    SettingsRecord s;
    s.launchWithWindows = QStringLiteral("no");
    s.loadMinimized = QStringLiteral("no");
    s.language = language;
    s.comNumber = QStringLiteral("COM 1");
    s.comBaud = QStringLiteral("9600");
    s.comDataBits = QStringLiteral("8");
    s.comStopBits = QStringLiteral("1");
    s.playSounds = QStringLiteral("no");
    s.showCommand = QStringLiteral("yes");
    s.fontName = QStringLiteral("MS Sans Serif");
    s.fontSize = QStringLiteral("18");
    s.fontColor = QStringLiteral("clRed");
    s.fontStyle = QStringLiteral("fsBold");
    s.showTimeCommand = QStringLiteral("3");
    s.pauseCommand = QStringLiteral("100");
    s.pauseReboot = QStringLiteral("999");
    s.typeSystem = QStringLiteral("Windows XP");
    s.timerStep = QStringLiteral("10");
    s.timerAmbit = QStringLiteral("120");
    s.stepMouse = QStringLiteral("15");
    s.stepMouseClick = QStringLiteral("3");
    FontColors::valueOf(s.fontColor, s.fontColorValue);
    return s;
}

namespace FontColors {

bool valueOf(const QString& name, std::uint32_t& value) {
    for (const NamedColor& color : kColors) {
        if (name == QLatin1String(color.name)) {
            value = color.value;
            return true;
        }
    }
    return false;
}

QString nameOf(std::uint32_t value) {
    for (const NamedColor& color : kColors) {
        if (color.value == value) {
            return QLatin1String(color.name);
        }
    }
    return QString();
}

}  // namespace FontColors

QString languageForLocale(const QString& localeName) {
    return localeName.startsWith(QLatin1String("ru")) ? QStringLiteral("Russian")
                                                      : QStringLiteral("English");
}
