#pragma once

// The X keysym of a Windows virtual-key code (VK_*, 0x01 to 0xFE): the key it names
// on a PC keyboard, not the character the user's layout puts on it, so letters are
// their lower-case keysyms and the punctuation codes are the keys of a US keyboard.
// 0 for codes that name no key (mouse buttons, reserved and unassigned codes).
unsigned long keysymForVirtualKey(int virtualKey);
