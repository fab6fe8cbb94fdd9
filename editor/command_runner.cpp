#include "editor/command_runner.h"

#include "actions/computer_control.h"
#include "actions/countdown_windows.h"
#include "actions/hint_window.h"
#include "actions/icon_targets.h"
#include "actions/key_control.h"
#include "actions/mouse_control.h"
#include "actions/overlay_font.h"
#include "actions/timer_control.h"
#include "actions/volume_control.h"
#include "editor/command_tree.h"
#include "editor/main_window.h"
#include "editor/property_panel.h"
#include "reception/tutoring_dialog.h"
#include "settings/test_window.h"

TCommandRunner::TCommandRunner(TForm1& form, const Parts& parts, AppState& state,
                               Platform& platform, ErrorReporter& errors)
    : QObject(&form), form_(form), parts_(parts), state_(state) {
    // The test and learning windows are created after the main window, before the
    // on-screen hint, as the program has always made them.
    tutoringF_ = std::make_unique<TtutoringF>(state, &form);
    testF_ = std::make_unique<TTestF>(&form);
    rebootF_ = std::make_unique<TRebootF>(waiter_);
    shutDownF_ = std::make_unique<TShutDownF>(waiter_);
    timerF_ = std::make_unique<TTimerF>();
    hintF_ = std::make_unique<THintF>();
    if (const std::optional<OverlayFont> font = OverlayFont::fromSettings(state.settings)) {
        hintF_->applyOverlayFont(*font);
        rebootF_->applyOverlayFont(*font);
        shutDownF_->applyOverlayFont(*font);
        timerF_->applyOverlayFont(*font);
    }
    flash_ =
        std::make_unique<IconFlash>(parts.iconFlash, iconSetterFor(&form, parts.trayIcon), this);
    feedback_ = std::make_unique<CommandFeedback>(state, platform, *flash_, *hintF_, waiter_);
    executor_ =
        std::make_unique<Executor>(state, platform, errors, form.Memo2, *feedback_, waiter_, *this);
    buildActions(platform, errors);
    installInputActions(platform, errors);
    reception_ =
        std::make_unique<Reception>(state, parts.recognition, parts.expiry, *this, errors, this);
}

TCommandRunner::~TCommandRunner() = default;

void TCommandRunner::buildActions(Platform& platform, ErrorReporter& errors) {
    Countdown& shutdown = shutDownF_->countdown();
    Countdown& reboot = rebootF_->countdown();
    // The cancel word is the Cancel button's caption of the new header dialog.
    shutdown.cancelWord = parts_.cancelWord;
    reboot.cancelWord = parts_.cancelWord;

    auto volume = std::make_unique<VolumeControl>(platform, parts_.volumeHold);
    auto computer = std::make_unique<ComputerControl>(state_, platform, errors, shutdown, reboot);
    auto timer = std::make_unique<TimerControl>(
        state_, errors, *timerF_,
        TimerControl::Timers{*timerF_->Timer2, *timerF_->Timer1, parts_.expiry}, waiter_);
    connect(timerF_->Timer2, &IntervalTimer::timeout, this, [this] { timer_->Timer2Timer(); });
    connect(timerF_->Timer1, &IntervalTimer::timeout, this, [this] { timer_->Timer1Timer(); });

    computer->closeTimerAndHint = [this] {
        timer_->close();
        hintF_->hideHint();
    };
    timer->stopCountdowns = [&shutdown, &reboot] {
        shutdown.stop();
        reboot.stop();
    };
    // A hint closes the windows; the countdowns go on and show again at their next tick.
    feedback_->closeCountdowns = [this, &shutdown, &reboot] {
        shutdown.close();
        reboot.close();
        timer_->close();
    };
    volume_ = volume.get();
    timer_ = timer.get();
    executor_->actions.volume = std::move(volume);
    executor_->actions.computer = std::move(computer);
    executor_->actions.timer = std::move(timer);
}

// Key and mouse commands share the clicks and the last pointer position.
void TCommandRunner::installInputActions(Platform& platform, ErrorReporter& errors) {
    clicks_ = std::make_unique<PointerClicks>(platform, waiter_);
    executor_->actions.key = std::make_unique<KeyControl>(platform, *clicks_);
    auto mouse = std::make_unique<MouseControl>(MouseControl::Wiring{
        platform, state_.settings, parts_.mouseMove, *clicks_, errors, [this] {
            const int slot = selectedSlot();
            return slot >= 0 && slot < CommandTable::kSlots ? state_.table.slot(slot).runAction
                                                            : QString();
        }});
    // The step the settings were loaded with, until the settings dialog owns it.
    mouse->configuredStep = [step = state_.settings.stepMouse] { return step; };
    mouse_ = mouse.get();
    executor_->actions.mouse = std::move(mouse);
}

bool TCommandRunner::openPort(const PortSettings& settings) {
    return reception_->openPort(settings);
}

QString TCommandRunner::portError() const {
    return reception_->portError();
}

void TCommandRunner::closePort() {
    reception_->closePort();
    mouse_->stop();
}

int TCommandRunner::nodeCount() const {
    return parts_.tree.nodeCount();
}

// Select the node (the tree's selection handling runs), show the command in the
// panel, then carry it out.
bool TCommandRunner::dispatch(int slot) {
    parts_.tree.selectIndex(slot);
    if (!form_.ShowProperties()) {
        return false;
    }
    return executor_->execute() == Executor::Outcome::Done;
}

int TCommandRunner::selectedSlot() const {
    return parts_.tree.selectedIndex();
}

QString TCommandRunner::shownCombination() const {
    return parts_.panel.combinationText();
}

void TCommandRunner::giveFeedback() {
    feedback_->afterMatch(selectedSlot(), statusText(), shownSound());
}

void TCommandRunner::logCode(const QString& code) {
    testF_->appendCode(code);
}

void TCommandRunner::learningStep(const QString& code) {
    tutoringF_->learningStep(code);
}

void TCommandRunner::commandFileLoaded() {
    form_.reloadTree();
}

void TCommandRunner::resetTimerWindow() {
    timer_->reset();
}

void TCommandRunner::wait(int ms) {
    waiter_.wait(ms);
}

QString TCommandRunner::statusText() const {
    return form_.statusText();
}

QString TCommandRunner::shownFile() const {
    return parts_.panel.fileText();
}

QString TCommandRunner::shownSound() const {
    return parts_.panel.soundText();
}

void TCommandRunner::refillCaptions() {
    form_.ComboBox5DropDown();
}
