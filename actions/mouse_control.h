#pragma once

#include <QMetaObject>
#include <QString>
#include <functional>

#include "actions/mouse_action.h"
#include "actions/pointer_clicks.h"
#include "core/error_reporter.h"
#include "core/interval_timer.h"
#include "core/settings_record.h"
#include "platform/platform.h"

// "Mouse control": clicks and positioning happen at once; movements and drags run
// on the movement timer (TimerMouseMove, 1 ms). The step in pixels is the settings'
// stepMouse: "1" moves continuously, one pixel per tick, until a movement or drag
// command comes again; any other value is step mode, one step per command ending
// with a left-button release.
class MouseControl : public MouseAction {
  public:
    struct Wiring {
        Platform& platform;
        SettingsRecord& settings;
        IntervalTimer& TimerMouseMove;
        PointerClicks& clicks;
        ErrorReporter& errors;
        // runAction of the command selected in the tree now.
        std::function<QString()> selectedRunAction;
    };
    explicit MouseControl(const Wiring& wiring);
    ~MouseControl() override;

    // The step that "Move: continuously/on step" restores when it leaves continuous
    // mode: the step the user configured (the settings dialog's step field).
    std::function<QString()> configuredStep;

    void run(const Command& command) override;
    void TimerMouseMoveTimer();

    // Ends a running movement; a left button that a drag holds is released. For the
    // end of the program and the closing of the port.
    void stop();
    bool moving() const { return timer_.enabled(); }

  private:
    void toggleStepMode();
    void startOrStopMovement();
    void startOrStopDrag();
    void moveTo(const QString& xText, const QString& yText, QPoint origin);
    void moveToWindow(const Command& command);
    void releaseLeft();

    Platform& platform_;
    SettingsRecord& settings_;
    IntervalTimer& timer_;
    PointerClicks& clicks_;
    ErrorReporter& errors_;
    std::function<QString()> selectedRunAction_;
    QMetaObject::Connection tick_;
    bool leftHeld_ = false;  // a drag has pressed the left button and not released it
};
