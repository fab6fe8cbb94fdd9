#include "actions/pointer_clicks.h"

void PointerClicks::click(Platform::MouseButton button) {
    cursorPoint = platform_.cursorPos();
    platform_.mouseDown(button);
    platform_.mouseUp(button);
}

void PointerClicks::leftDoubleClick() {
    leftClick();
    waiter_.wait(kDoubleClickPauseMs);
    leftClick();
}

void PointerClicks::rightDoubleClick() {
    rightClick();
    rightClick();
}
