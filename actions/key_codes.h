#pragma once

#include <QString>
#include <optional>

// The virtual-key codes (Windows VK_* numbering) that the texts of a key command
// stand for.
namespace KeyCodes {

inline constexpr int kLeftControl = 0xA2;
inline constexpr int kLeftAlt = 0xA4;
inline constexpr int kLeftShift = 0xA0;

// "Ctrl+", "Alt+" or "Shift+": the left-hand key of the pair; any other text
// (the empty one included) stands for no key.
std::optional<int> modifier(const QString& text);

// A key name of one character is that character's code-page-1251 byte, sent
// unchanged ("a" is 0x61, "+" is 0x2B); a character the code page lacks stands
// for no key. Longer names are looked up exactly in the key table ("Delete",
// " +", "F4"); a name outside it stands for no key.
std::optional<int> key(const QString& name);

// The entries of the key list that click the mouse instead of pressing a key.
enum class MouseEntry { None, Left, LeftDouble, Middle, Right };
MouseEntry mouseEntry(const QString& name);

}  // namespace KeyCodes
