#pragma once

#include <QPoint>
#include <QTimer>
#include <utility>
#include <vector>

struct _XDisplay;

// Synthesised keyboard and pointer input on an X display, through the XTEST
// extension, so that it reaches applications as if typed and moved by the user.
//
// Keys are named by Windows virtual-key codes and pressed on the keycode that
// carries their keysym in the first column of the current keyboard map. A keysym
// the map has nowhere there is bound for the moment to a spare keycode (one with no
// keysym at all) and unbound a little after its release, late enough for clients to
// have looked it up; so every key reaches the focused window whatever the layout.
// When more keys than spare keycodes are in use at once, the spare bound longest
// ago is bound anew.
class X11Input {
  public:
    explicit X11Input(_XDisplay* display);
    ~X11Input();  // unbinds every spare keycode still bound

    // False when the server has no XTEST: nothing is sent then.
    bool available() const { return available_; }

    void key(int virtualKey, bool down);
    // Button 1 left, 2 middle, 3 right; at the pointer.
    void button(unsigned int number, bool down);
    void moveTo(QPoint rootPosition);
    QPoint position();

    // How long a spare keycode stays bound after its key went up.
    static constexpr int kUnbindDelayMs = 1000;

  private:
    // The keycode of a keysym, binding a spare one if allowed and needed; 0 for none.
    unsigned char keycodeFor(unsigned long keysym, bool mayBindSpare);
    unsigned char bindSpare(unsigned long keysym);
    void unbindReleasedSpares();
    bool isHeld(unsigned char keycode) const;
    // Keeps this connection's key map current and its event queue empty.
    void takeMappingNotices();

    _XDisplay* display_;
    bool available_ = false;
    std::vector<std::pair<int, unsigned char>> held_;              // virtual key, keycode pressed
    std::vector<std::pair<unsigned char, unsigned long>> spares_;  // bound keycode, keysym
    QTimer unbindTimer_;
};
