#include "actions/command_feedback.h"

#include "actions/hint_placement.h"
#include "core/number_text.h"

namespace {

const QString kYes = QStringLiteral("yes");
constexpr int kHintDesignCloseMs = 3000;
constexpr int kHintDelayMs = 50;  // between hiding the old hint and showing the new one

// Commands whose own windows (countdowns, timer) must not be covered by a hint.
bool keepsOwnWindow(const QString& runAction) {
    return runAction == QLatin1String("Shutdown") || runAction == QLatin1String("Reboot") ||
           runAction == QLatin1String("Timer");
}

}  // namespace

CommandFeedback::CommandFeedback(const AppState& state, Platform& platform, IconFlash& flash,
                                 HintDisplay& hint, Waiter& waiter)
    : state_(state), platform_(platform), flash_(flash), hint_(hint), waiter_(waiter) {}

int CommandFeedback::hintCloseMs(const QString& showTimeCommand) {
    const std::optional<int> seconds = NumberText::toInt(showTimeCommand);
    if (!seconds || *seconds < 0 || *seconds > 1000000) {
        return kHintDesignCloseMs;
    }
    return *seconds * 1000;
}

void CommandFeedback::flashAndSound(const QString& soundFile) {
    flash_.flash();
    if (state_.settings.playSounds == kYes) {
        platform_.playSound(soundFile);
    }
}

void CommandFeedback::showHint(const QString& statusText, int extraHeight) {
    hint_.hideHint();
    waiter_.wait(kHintDelayMs);
    hint_.showHint(statusText, extraHeight, hintCloseMs(state_.settings.showTimeCommand));
}

void CommandFeedback::afterMatch(int slot, const QString& statusText, const QString& soundFile) {
    flashAndSound(soundFile);
    if (slot <= 0 || slot >= CommandTable::kSlots || state_.settings.showCommand != kYes ||
        keepsOwnWindow(state_.table.slot(slot).runAction)) {
        return;
    }
    if (closeCountdowns) {
        closeCountdowns();
    }
    showHint(statusText, HintPlacement::kPassExtraHeight);
}

void CommandFeedback::beforeSwitch(const QString& statusText, const QString& soundFile) {
    flashAndSound(soundFile);
    if (state_.settings.showCommand == kYes) {
        showHint(statusText, HintPlacement::kSwitchExtraHeight);
    }
}
