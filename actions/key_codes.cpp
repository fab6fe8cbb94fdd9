#include "actions/key_codes.h"

#include <utility>

#include "core/text_codec.h"

namespace KeyCodes {

namespace {

// Names and codes, in the order they are tested; names that begin with a blank
// begin with exactly one.
const std::pair<const char*, int> kNamedKeys[] = {
    {"Cancel", 0x03},
    {"Backspace", 0x08},
    {"Tab", 0x09},
    {"Enter", 0x0D},
    {"Caps Lock", 0x14},
    {"Num Lock", 0x90},
    {"Scroll Lock", 0x91},
    {"Esc", 0x1B},
    {"Space", 0x20},
    {"End", 0x23},
    {"Home", 0x24},
    {"Left", 0x25},
    {"Up", 0x26},
    {"Right", 0x27},
    {"Down", 0x28},
    {"Insert", 0x2D},
    {"Delete", 0x2E},
    {"Left Windows", 0x5B},
    {"Right Windows", 0x5C},
    {"Page Up", 0x21},
    {"Page Down", 0x22},
    {" +", 0x6B},
    {" -", 0x6D},
    {" \\", 0x6C},
    {" .", 0x6E},
    {" /", 0x6F},
    {"F1", 0x70},
    {"F2", 0x71},
    {"F3", 0x72},
    {"F4", 0x73},
    {"F5", 0x74},
    {"F6", 0x75},
    {"F7", 0x76},
    {"F8", 0x77},
    {"F9", 0x78},
    {"F10", 0x79},
    {"F11", 0x7A},
    {"F12", 0x7B},
};

}  // namespace

std::optional<int> modifier(const QString& text) {
    if (text == QLatin1String("Ctrl+")) {
        return kLeftControl;
    }
    if (text == QLatin1String("Alt+")) {
        return kLeftAlt;
    }
    if (text == QLatin1String("Shift+")) {
        return kLeftShift;
    }
    return std::nullopt;
}

std::optional<int> key(const QString& name) {
    if (name.size() == 1) {
        if (!TextCodec::fitsWindows1251(name)) {
            return std::nullopt;
        }
        const int byte = static_cast<unsigned char>(TextCodec::encodeWindows1251(name).at(0));
        return byte == 0 ? std::nullopt : std::optional<int>(byte);
    }
    for (const auto& [keyName, code] : kNamedKeys) {
        if (name == QLatin1String(keyName)) {
            return code;
        }
    }
    return std::nullopt;
}

MouseEntry mouseEntry(const QString& name) {
    if (name == QLatin1String("Left mouse")) {
        return MouseEntry::Left;
    }
    if (name == QLatin1String("Left mouse double click")) {
        return MouseEntry::LeftDouble;
    }
    if (name == QLatin1String("Middle mouse")) {
        return MouseEntry::Middle;
    }
    if (name == QLatin1String("Right mouse")) {
        return MouseEntry::Right;
    }
    return MouseEntry::None;
}

}  // namespace KeyCodes
