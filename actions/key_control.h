#pragma once

#include "actions/key_action.h"
#include "actions/pointer_clicks.h"
#include "platform/platform.h"

// "Key control": one key typed with up to two modifiers held, into whatever window
// has the keyboard focus. Events go out in this order with no pause: the modifier of
// keyAdd down, the modifier of keyAdd1 down, the key down and up, then the modifiers
// up in reverse order. Nothing is validated: an unknown key presses only the
// modifiers. The mouse entries of the key list click that button at the pointer
// in the key's place, under the held modifiers.
class KeyControl : public KeyAction {
  public:
    KeyControl(Platform& platform, PointerClicks& clicks) : platform_(platform), clicks_(clicks) {}

    void run(const Command& command) override;

  private:
    Platform& platform_;
    PointerClicks& clicks_;
};
