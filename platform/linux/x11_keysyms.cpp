#include "platform/linux/x11_keysyms.h"

#define XK_MISCELLANY
#define XK_LATIN1
#define XK_3270
#define XK_KOREAN
#include <X11/XF86keysym.h>
#include <X11/keysymdef.h>

#include <array>

namespace {

using Table = std::array<unsigned long, 256>;

constexpr Table buildTable() {
    Table t{};
    t[0x03] = XK_Break;  // VK_CANCEL, Ctrl+Break
    t[0x08] = XK_BackSpace;
    t[0x09] = XK_Tab;
    t[0x0C] = XK_Clear;
    t[0x0D] = XK_Return;
    t[0x10] = XK_Shift_L;
    t[0x11] = XK_Control_L;
    t[0x12] = XK_Alt_L;
    t[0x13] = XK_Pause;
    t[0x14] = XK_Caps_Lock;
    t[0x15] = XK_Hangul;  // VK_KANA / VK_HANGUL
    t[0x17] = XK_Hangul_Jeonja;
    t[0x18] = XK_Hangul_End;
    t[0x19] = XK_Hangul_Hanja;  // VK_HANJA / VK_KANJI
    t[0x1B] = XK_Escape;
    t[0x1C] = XK_Henkan;
    t[0x1D] = XK_Muhenkan;
    t[0x1F] = XK_Mode_switch;
    t[0x20] = XK_space;
    t[0x21] = XK_Prior;
    t[0x22] = XK_Next;
    t[0x23] = XK_End;
    t[0x24] = XK_Home;
    t[0x25] = XK_Left;
    t[0x26] = XK_Up;
    t[0x27] = XK_Right;
    t[0x28] = XK_Down;
    t[0x29] = XK_Select;
    t[0x2A] = XK_Print;
    t[0x2B] = XK_Execute;
    t[0x2C] = XK_Print;  // VK_SNAPSHOT
    t[0x2D] = XK_Insert;
    t[0x2E] = XK_Delete;
    t[0x2F] = XK_Help;
    for (int i = 0; i <= 9; ++i) {
        t[0x30 + i] = XK_0 + i;
        t[0x60 + i] = XK_KP_0 + i;  // VK_NUMPAD0 to VK_NUMPAD9
    }
    for (int i = 0; i < 26; ++i) {
        t[0x41 + i] = XK_a + i;
    }
    t[0x5B] = XK_Super_L;
    t[0x5C] = XK_Super_R;
    t[0x5D] = XK_Menu;  // VK_APPS
    t[0x5F] = XF86XK_Sleep;
    t[0x6A] = XK_KP_Multiply;
    t[0x6B] = XK_KP_Add;
    t[0x6C] = XK_KP_Separator;
    t[0x6D] = XK_KP_Subtract;
    t[0x6E] = XK_KP_Decimal;
    t[0x6F] = XK_KP_Divide;
    for (int i = 0; i < 24; ++i) {
        t[0x70 + i] = XK_F1 + i;  // VK_F1 to VK_F24
    }
    t[0x90] = XK_Num_Lock;
    t[0x91] = XK_Scroll_Lock;
    t[0xA0] = XK_Shift_L;
    t[0xA1] = XK_Shift_R;
    t[0xA2] = XK_Control_L;
    t[0xA3] = XK_Control_R;
    t[0xA4] = XK_Alt_L;
    t[0xA5] = XK_Alt_R;
    t[0xA6] = XF86XK_Back;
    t[0xA7] = XF86XK_Forward;
    t[0xA8] = XF86XK_Refresh;
    t[0xA9] = XF86XK_Stop;
    t[0xAA] = XF86XK_Search;
    t[0xAB] = XF86XK_Favorites;
    t[0xAC] = XF86XK_HomePage;
    t[0xAD] = XF86XK_AudioMute;
    t[0xAE] = XF86XK_AudioLowerVolume;
    t[0xAF] = XF86XK_AudioRaiseVolume;
    t[0xB0] = XF86XK_AudioNext;
    t[0xB1] = XF86XK_AudioPrev;
    t[0xB2] = XF86XK_AudioStop;
    t[0xB3] = XF86XK_AudioPlay;
    t[0xB4] = XF86XK_Mail;
    t[0xB5] = XF86XK_AudioMedia;
    t[0xB6] = XF86XK_MyComputer;
    t[0xB7] = XF86XK_Calculator;
    t[0xBA] = XK_semicolon;  // VK_OEM_1
    t[0xBB] = XK_equal;      // VK_OEM_PLUS
    t[0xBC] = XK_comma;
    t[0xBD] = XK_minus;
    t[0xBE] = XK_period;
    t[0xBF] = XK_slash;         // VK_OEM_2
    t[0xC0] = XK_grave;         // VK_OEM_3
    t[0xDB] = XK_bracketleft;   // VK_OEM_4
    t[0xDC] = XK_backslash;     // VK_OEM_5
    t[0xDD] = XK_bracketright;  // VK_OEM_6
    t[0xDE] = XK_apostrophe;    // VK_OEM_7
    t[0xE2] = XK_less;          // VK_OEM_102, the extra key of 102-key keyboards
    t[0xF6] = XK_3270_Attn;
    t[0xF7] = XK_3270_CursorSelect;  // VK_CRSEL
    t[0xF8] = XK_3270_ExSelect;
    t[0xF9] = XK_3270_EraseEOF;
    t[0xFA] = XK_3270_Play;
    t[0xFD] = XK_3270_PA1;
    t[0xFE] = XK_Clear;  // VK_OEM_CLEAR
    return t;
}

constexpr Table kTable = buildTable();

}  // namespace

unsigned long keysymForVirtualKey(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(kTable.size())) {
        return 0;
    }
    return kTable[virtualKey];
}
