#pragma once

#include <QPoint>

#include "actions/waiter.h"
#include "platform/platform.h"

// Button clicks at the pointer, shared by the mouse commands and the mouse entries
// of the key list. `cursorPoint` is the last pointer position read or set; the
// movement timer and the position commands keep it too.
class PointerClicks {
  public:
    PointerClicks(Platform& platform, Waiter& waiter) : platform_(platform), waiter_(waiter) {}

    static constexpr int kDoubleClickPauseMs = 50;

    void leftClick() { click(Platform::MouseButton::Left); }
    // A left click, a pause of 50 ms, a left click.
    void leftDoubleClick();
    void rightClick() { click(Platform::MouseButton::Right); }
    // Two right clicks with no pause between them.
    void rightDoubleClick();
    void middleClick() { click(Platform::MouseButton::Middle); }

    QPoint cursorPoint;

  private:
    // Reads the pointer position, then presses and releases the button there.
    void click(Platform::MouseButton button);

    Platform& platform_;
    Waiter& waiter_;
};
