#include "actions/key_control.h"

#include <vector>

#include "actions/key_codes.h"

namespace {

// The keys pressed so far; whatever happens they are released, last pressed first,
// so no key stays held after the action.
class HeldKeys {
  public:
    explicit HeldKeys(Platform& platform) : platform_(platform) {}
    ~HeldKeys() {
        for (auto key = held_.rbegin(); key != held_.rend(); ++key) {
            platform_.keyUp(*key);
        }
    }
    void press(std::optional<int> virtualKey) {
        if (virtualKey) {
            held_.push_back(*virtualKey);
            platform_.keyDown(*virtualKey);
        }
    }

  private:
    Platform& platform_;
    std::vector<int> held_;
};

}  // namespace

void KeyControl::run(const Command& command) {
    HeldKeys keys(platform_);
    keys.press(KeyCodes::modifier(command.keyAdd));
    keys.press(KeyCodes::modifier(command.keyAdd1));
    switch (KeyCodes::mouseEntry(command.key)) {
        case KeyCodes::MouseEntry::Left:
            clicks_.leftClick();
            break;
        case KeyCodes::MouseEntry::LeftDouble:
            clicks_.leftDoubleClick();
            break;
        case KeyCodes::MouseEntry::Middle:
            clicks_.middleClick();
            break;
        case KeyCodes::MouseEntry::Right:
            clicks_.rightClick();
            break;
        case KeyCodes::MouseEntry::None:
            keys.press(KeyCodes::key(command.key));
            break;
    }
}
