#include "actions/mouse_control.h"

#include <optional>
#include <utility>

#include "core/number_text.h"
#include "core/vocabulary.h"

namespace {

const QString kToggle = QStringLiteral("Move: continuously/on step");
const QString kLeftClick = QStringLiteral("Left button click");
const QString kLeftDoubleClick = QStringLiteral("Left button twice click");
const QString kRightClick = QStringLiteral("Right button click");
const QString kRightDoubleClick = QStringLiteral("Right button twice click");
const QString kContinuous = QStringLiteral("1");

struct Direction {
    const char* runAction;
    int dx, dy;
    bool drag;  // the left button is pressed before the move
};

// Where each movement and drag value puts the pointer, in steps.
const Direction kDirections[] = {
    {"Up", 0, -1, false},
    {"Down", 0, 1, false},
    {"Left", -1, 0, false},
    {"Right", 1, 0, false},
    {"Left top", -1, -1, false},
    {"Left down", -1, 1, false},
    {"Right top", 1, -1, false},
    {"Right down", 1, 1, false},
    {"Left button click & left", -1, 0, true},
    {"Left button click & right", 1, 0, true},
    {"Left button click & top", 0, -1, true},
    {"Left button click & bottom", 0, 1, true},
};

const Direction* directionOf(const QString& runAction) {
    for (const Direction& d : kDirections) {
        if (runAction == QLatin1String(d.runAction)) {
            return &d;
        }
    }
    return nullptr;
}

}  // namespace

MouseControl::MouseControl(const Wiring& wiring)
    : platform_(wiring.platform),
      settings_(wiring.settings),
      timer_(wiring.TimerMouseMove),
      clicks_(wiring.clicks),
      errors_(wiring.errors),
      selectedRunAction_(wiring.selectedRunAction) {
    tick_ = QObject::connect(&timer_, &IntervalTimer::timeout, [this] { TimerMouseMoveTimer(); });
}

MouseControl::~MouseControl() {
    stop();
    QObject::disconnect(tick_);
}

// The tests run in this order; a value matches at most one of them.
void MouseControl::run(const Command& command) {
    const QString& action = command.runAction;
    const Direction* direction = directionOf(action);
    if (action == kToggle) {
        toggleStepMode();
    } else if (direction && !direction->drag) {
        startOrStopMovement();
    } else if (direction && direction->drag) {
        startOrStopDrag();
    } else if (action == kLeftClick) {
        clicks_.leftClick();
    } else if (action == kLeftDoubleClick) {
        clicks_.leftDoubleClick();
    } else if (action == kRightClick) {
        clicks_.rightClick();
    } else if (action == kRightDoubleClick) {
        clicks_.rightDoubleClick();
    } else if (action == Vocabulary::kMouseOnPosition) {
        moveTo(command.mousePosX, command.mousePosY, QPoint());
    } else if (action == Vocabulary::kMouseOnWindowPosition) {
        moveToWindow(command);
    }
}

void MouseControl::toggleStepMode() {
    if (settings_.stepMouse == kContinuous) {
        settings_.stepMouse = configuredStep ? configuredStep() : kContinuous;
    } else {
        settings_.stepMouse = kContinuous;
    }
}

// A movement command stops a running movement whatever its direction; a drag's
// held button is let go then too.
void MouseControl::startOrStopMovement() {
    if (timer_.enabled()) {
        stop();
    } else {
        timer_.setEnabled(true);
    }
}

void MouseControl::startOrStopDrag() {
    if (timer_.enabled()) {
        timer_.setEnabled(false);
        releaseLeft();
    } else {
        timer_.setEnabled(true);
    }
}

void MouseControl::stop() {
    timer_.setEnabled(false);
    if (leftHeld_) {
        releaseLeft();
    }
}

void MouseControl::releaseLeft() {
    leftHeld_ = false;
    platform_.mouseUp(Platform::MouseButton::Left);
}

// Positions are whole numbers; the first one that is not is reported and nothing moves.
void MouseControl::moveTo(const QString& xText, const QString& yText, QPoint origin) {
    const std::optional<int> x = NumberText::toInt(xText);
    const std::optional<int> y = x ? NumberText::toInt(yText) : std::nullopt;
    if (!x || !y) {
        errors_.report(NumberText::invalidIntegerMessage(x ? yText : xText));
        return;
    }
    clicks_.cursorPoint = origin + QPoint(*x, *y);
    platform_.setCursorPos(clicks_.cursorPoint);
}

// Relative to the window's top-left corner; a caption no window has moves nothing.
void MouseControl::moveToWindow(const Command& command) {
    const Platform::WindowId window = platform_.findWindow(command.windowHandle);
    if (window == 0) {
        return;
    }
    moveTo(command.mousePosX, command.mousePosY, platform_.windowRect(window).topLeft());
}

// One step of a running movement. The selected command is read afresh: when another
// kind of command has been selected meanwhile the timer runs on and moves nothing.
// A step that is no whole number stops the movement and is reported once.
void MouseControl::TimerMouseMoveTimer() {
    const std::optional<int> step = NumberText::toInt(settings_.stepMouse);
    if (!step) {
        stop();
        errors_.report(NumberText::invalidIntegerMessage(settings_.stepMouse));
        return;
    }
    clicks_.cursorPoint = platform_.cursorPos();
    if (const Direction* d = directionOf(selectedRunAction_())) {
        if (d->drag) {
            leftHeld_ = true;
            platform_.mouseDown(Platform::MouseButton::Left);
        }
        platform_.setCursorPos(clicks_.cursorPoint + QPoint(d->dx, d->dy) * *step);
    }
    if (settings_.stepMouse != kContinuous) {
        timer_.setEnabled(false);
        releaseLeft();
    }
}
