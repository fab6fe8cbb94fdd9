#include "actions/computer_control.h"

#include "core/number_text.h"

ComputerControl::ComputerControl(const AppState& state, Platform& platform, ErrorReporter& errors,
                                 Countdown& shutdown, Countdown& reboot)
    : state_(state), platform_(platform), errors_(errors), shutdown_(shutdown), reboot_(reboot) {
    shutdown_.atZero = [this] {
        act(shutdown_, &Platform::powerOff, state_.messages.text(Messages::Id::ShutdownRefused));
    };
    reboot_.atZero = [this] {
        act(reboot_, &Platform::reboot, state_.messages.text(Messages::Id::RestartRefused));
    };
}

void ComputerControl::run(const Command& command) {
    if (command.runAction == QLatin1String("Shutdown")) {
        start(shutdown_, reboot_);
    } else if (command.runAction == QLatin1String("Reboot")) {
        start(reboot_, shutdown_);
    }
}

// A pause that is no whole number is reported and nothing counts: a count that never
// got its seconds must not end in a power action.
void ComputerControl::start(Countdown& own, Countdown& other) {
    own.armOrCancel();
    const std::optional<int> seconds = NumberText::toInt(state_.settings.pauseReboot);
    if (!seconds) {
        own.disarm();
        errors_.report(NumberText::invalidIntegerMessage(state_.settings.pauseReboot));
        return;
    }
    own.setSeconds(*seconds);
    other.stop();
    if (closeTimerAndHint) {
        closeTimerAndHint();
    }
}

void ComputerControl::act(Countdown& countdown, bool (Platform::*request)(),
                          const QString& failure) {
    if ((platform_.*request)()) {
        return;
    }
    countdown.close();
    const QString reason = platform_.powerFailure();
    errors_.report(reason.isEmpty() ? failure : failure + QStringLiteral(": ") + reason);
}
