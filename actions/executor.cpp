#include "actions/executor.h"

#include "actions/window_lookup.h"
#include "core/command_file.h"
#include "core/number_text.h"
#include "core/user_messages.h"
#include "core/vocabulary.h"

namespace {

const QString kOpen = QStringLiteral("Open");
const QString kClose = QStringLiteral("Close");
const QString kMinimize = QStringLiteral("Minimize");
const QString kMaximize = QStringLiteral("Maximize");
const QString kActive = QStringLiteral("Active");
const QString kTimer = QStringLiteral("Timer");
const QString kShutdown = QStringLiteral("Shutdown");
const QString kReboot = QStringLiteral("Reboot");
const QString kCommandFileMark = QStringLiteral(".pci");

}  // namespace

Executor::Executor(AppState& state, Platform& platform, ErrorReporter& errors, CaptionMemo& memo,
                   CommandFeedback& feedback, Waiter& waiter, ExecutorHost& host)
    : state_(state),
      platform_(platform),
      errors_(errors),
      memo_(memo),
      feedback_(feedback),
      waiter_(waiter),
      host_(host) {}

// Every test is made, always in this order; a slot holds one kind and one action,
// so at most one applies, except that "Open" of a command file both starts it (in
// the tray) and switches to it.
Executor::Outcome Executor::execute() {
    const int slot = host_.selectedSlot();
    if (slot < 0 || slot >= CommandTable::kSlots) {
        return Outcome::Done;
    }
    // A copy: the command-file switch replaces the table under our feet.
    const Command command = state_.table.slot(slot);
    const QString& type = command.typeAction;
    const QString& action = command.runAction;
    const bool inTray = state_.inTray == QLatin1String("yes");
    const bool run = type == Vocabulary::kRunCommand;
    const QString file = host_.shownFile();

    if (run && action == Vocabulary::kPauseAction) {
        if (pause(command.pause) == Outcome::Failed) {
            return Outcome::Failed;
        }
    }
    // A command file is never started as a program: on the desktop it would open in
    // an editor at every switch, where the program's start of it always came to nothing.
    const bool commandFile = file.contains(kCommandFileMark);
    if (run && action == kOpen && inTray && !commandFile && !platform_.startCommand(file)) {
        // Reported without ending the pass: the press's other effects still follow.
        errors_.report(UserMessages::cannotStart(state_.messages, file, platform_.startFailure()));
    }
    if (run && action == kOpen && commandFile) {
        if (switchCommandFile(file) == Outcome::Failed) {
            return Outcome::Failed;
        }
    }
    const auto lookup = [&](WindowLookup::Operation operation) {
        WindowLookup::apply(
            platform_, memo_, [this] { host_.refillCaptions(); }, command.windowHandle, operation);
    };
    if (run && action == kClose && inTray) {
        lookup(WindowLookup::Operation::Close);
    }
    if (run && action == kMinimize && inTray) {
        lookup(WindowLookup::Operation::Minimize);
    }
    if (run && action == kMaximize && inTray) {
        lookup(WindowLookup::Operation::Maximize);
    }
    if (run && action == kActive && inTray) {
        lookup(WindowLookup::Operation::Activate);
    }
    if (type == Vocabulary::kPcControl && action == kShutdown && inTray) {
        actions.computer->run(command);
    }
    if (type == Vocabulary::kPcControl && action == kReboot && inTray) {
        actions.computer->run(command);
    }
    if (type == Vocabulary::kVolumeControl && Vocabulary::volumeActions().values.contains(action) &&
        inTray) {
        actions.volume->run(command);
    }
    if (type == Vocabulary::kMouseControl && inTray) {
        actions.mouse->run(command);
    }
    if (type == Vocabulary::kKeyControl && inTray) {
        actions.key->run(command);
    }
    if (run && action == kTimer) {
        actions.timer->run(command);
    }
    return Outcome::Done;
}

// Blocks for the command's pause. A pause that is no whole number is reported and
// nothing waits; a negative one waits nothing.
Executor::Outcome Executor::pause(const QString& milliseconds) {
    const std::optional<int> ms = NumberText::toInt(milliseconds);
    if (!ms) {
        errors_.report(NumberText::invalidIntegerMessage(milliseconds));
        return Outcome::Failed;
    }
    if (*ms > 0) {
        waiter_.wait(*ms);
    }
    return Outcome::Done;
}

// Gives the command's feedback (the pass gives none once the table has switched),
// then loads the file. The file becomes the current command file only when it
// loaded: after a failure the old table stays, and so does the path Save writes
// it to.
Executor::Outcome Executor::switchCommandFile(const QString& path) {
    feedback_.beforeSwitch(host_.statusText(), host_.shownSound());
    const CommandFile::FileResult loaded =
        CommandFile::loadFromFile(path, state_.table, state_.messages);
    if (!loaded.ok) {
        errors_.report(loaded.error);
        return Outcome::Failed;
    }
    state_.adoptCommandFile(path, loaded);
    state_.changed = false;
    host_.commandFileLoaded();
    state_.tableSwitched = QStringLiteral("Y");
    if (loaded.report.recordsLeftOut > 0) {
        errors_.report(
            CommandFile::leftOutMessage(state_.messages, path, loaded.report.recordsLeftOut));
    }
    return Outcome::Done;
}
