#include "editor/command_runner.h"

#include <QLineEdit>

#include "actions/hint_window.h"
#include "actions/icon_targets.h"
#include "actions/key_control.h"
#include "actions/mouse_control.h"
#include "actions/overlay_font.h"
#include "editor/command_tree.h"
#include "editor/main_window.h"
#include "editor/property_panel.h"
#include "reception/tutoring_dialog.h"
#include "settings/test_window.h"

TCommandRunner::TCommandRunner(TForm1& form, AppState& state, Platform& platform,
                               ErrorReporter& errors)
    : QObject(&form), form_(form), state_(state) {
    // The test and learning windows are created after the main window, before the
    // on-screen hint, as the program has always made them.
    tutoringF_ = std::make_unique<TtutoringF>(state, &form);
    testF_ = std::make_unique<TTestF>(&form);
    hintF_ = std::make_unique<THintF>();
    if (const std::optional<OverlayFont> font = OverlayFont::fromSettings(state.settings)) {
        hintF_->applyOverlayFont(*font);
    }
    flash_ =
        std::make_unique<IconFlash>(*form.TimerIcon, iconSetterFor(&form, form.RxTrayIcon1), this);
    feedback_ = std::make_unique<CommandFeedback>(state, platform, *flash_, *hintF_, waiter_);
    executor_ =
        std::make_unique<Executor>(state, platform, errors, form.Memo2, *feedback_, waiter_, *this);
    installInputActions(platform, errors);
    reception_ =
        std::make_unique<Reception>(state, *form.Timer1, *form.Timer5, *this, errors, this);
}

TCommandRunner::~TCommandRunner() = default;

// Key and mouse commands share the clicks and the last pointer position.
void TCommandRunner::installInputActions(Platform& platform, ErrorReporter& errors) {
    clicks_ = std::make_unique<PointerClicks>(platform, waiter_);
    executor_->actions.key = std::make_unique<KeyControl>(platform, *clicks_);
    auto mouse = std::make_unique<MouseControl>(MouseControl::Wiring{
        platform, state_.settings, *form_.TimerMouseMove, *clicks_, errors, [this] {
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
    return form_.TreeView1->nodeCount();
}

// Select the node (the tree's selection handling runs), show the command in the
// panel, then carry it out.
bool TCommandRunner::dispatch(int slot) {
    form_.TreeView1->selectIndex(slot);
    if (!form_.ShowProperties()) {
        return false;
    }
    return executor_->execute() == Executor::Outcome::Done;
}

int TCommandRunner::selectedSlot() const {
    return form_.TreeView1->selectedIndex();
}

QString TCommandRunner::shownCombination() const {
    return form_.ListViewPanel->Edit6->text();
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

// The timer window comes with the timer action; until then there is nothing to reset.
void TCommandRunner::resetTimerWindow() {}

void TCommandRunner::wait(int ms) {
    waiter_.wait(ms);
}

QString TCommandRunner::statusText() const {
    return form_.statusText();
}

QString TCommandRunner::shownFile() const {
    return form_.ListViewPanel->Edit2->text();
}

QString TCommandRunner::shownSound() const {
    return form_.ListViewPanel->Edit7->text();
}

void TCommandRunner::refillCaptions() {
    form_.ComboBox5DropDown();
}
