#include "reception/reception.h"

#include "core/command_file.h"
#include "core/vocabulary.h"
#include "reception/recognition_text.h"

namespace {

constexpr int kElementDelayMs = 100;

}  // namespace

Reception::Reception(AppState& state, IntervalTimer& timer1, IntervalTimer& timer5,
                     RecognitionHost& host, ErrorReporter& errors, QObject* parent)
    : QObject(parent),
      state_(state),
      timer1_(timer1),
      timer5_(timer5),
      host_(host),
      errors_(errors) {
    // Enabling a running timer changes nothing, so every byte of a burst that arrives
    // within the interval after the first one lands in the same pass.
    connect(&Edit1, &ReceptionBuffer::changed, this, [this] { timer1_.setEnabled(true); });
    connect(&timer1_, &IntervalTimer::timeout, this, &Reception::Timer1Timer);
    connect(&timer5_, &IntervalTimer::timeout, this, &Reception::Timer5Timer);
    connect(&link_, &SerialLink::readyRead, this, &Reception::ApdComPort1TriggerAvail);
    connect(&link_, &SerialLink::lost, this, [this](const QString& device) {
        errors_.report(state_.messages.text(Messages::Id::ReceiverLost)
                           .arg(device, QString::number(SerialLink::kRetryMs / 1000)));
    });
    connect(&link_, &SerialLink::back, this, [this](const QString& device) {
        errors_.report(state_.messages.text(Messages::Id::ReceiverBack).arg(device));
    });
}

bool Reception::openPort(const PortSettings& settings) {
    return link_.open(settings);
}

void Reception::closePort() {
    link_.close();
}

void Reception::ApdComPort1TriggerAvail() {
    // A pass empties the buffer when it ends, so bytes taken in now (while the pass
    // waits inside an event loop of its own, a message box for instance) would be
    // lost. They stay in the port until the pass is over.
    if (passRunning_) {
        return;
    }
    receiveBytes(link_.readAll());
}

void Reception::receiveBytes(QByteArrayView bytes) {
    Edit1.appendBytes(bytes, state_.settings);
}

void Reception::Timer1Timer() {
    if (passRunning_) {
        return;  // the timer fired again inside an event loop of the running pass
    }
    passRunning_ = true;
    Edit1.setText(RecognitionText::cutCode(Edit1.text(), state_.settings.recognizeStartSymbol));
    host_.logCode(Edit1.text());
    if (state_.learningMode == QLatin1String("y")) {
        host_.learningStep(Edit1.text());
    } else {
        matchCode();
    }
    endPass();
}

bool Reception::matchCode() {
    const int nodes = qMin(host_.nodeCount(), CommandTable::kSlots);
    for (int slot = 0; slot < nodes; ++slot) {
        const QString& code = Edit1.text();
        // An empty code would equal every command that has not learned a code yet.
        if (code.isEmpty() || state_.table.slot(slot).code != code) {
            continue;
        }
        if (!host_.dispatch(slot)) {
            return false;
        }
        // The executor loaded another command file: this table is no longer the one
        // being scanned.
        if (state_.tableSwitched == QLatin1String("Y")) {
            return true;
        }
        const Command* selected = selectedCommand();
        if (selected && selected->typeAction == Vocabulary::kCombinationCommand &&
            !runCombination()) {
            return false;
        }
        host_.giveFeedback();
    }
    return true;
}

bool Reception::runCombination() {
    const QStringList elements = RecognitionText::combinationElements(host_.shownCombination());
    for (const QString& name : elements) {
        // An empty element names no command (the header's name is empty as well as
        // the name of a command nobody named).
        if (name.isEmpty()) {
            continue;
        }
        // Looked up in the table as it is now: an element may have loaded another one.
        const int nodes = qMin(host_.nodeCount(), CommandTable::kSlots);
        for (int slot = 0; slot < nodes; ++slot) {
            if (state_.table.slot(slot).name != name) {
                continue;
            }
            host_.wait(kElementDelayMs);
            if (!host_.dispatch(slot)) {
                return false;
            }
        }
    }
    return true;
}

void Reception::endPass() {
    state_.tableSwitched = QStringLiteral("N");
    // Emptying the buffer is a change that enables the timer, so it is stopped after.
    Edit1.setText(QString());
    timer1_.setEnabled(false);
    passRunning_ = false;

    if (expiryWaiting_) {
        expiryWaiting_ = false;
        Timer5Timer();
    }
    // Bytes that came while the pass blocked start the next pass. The port may not
    // announce them again, so they are taken here.
    if (link_.bytesAvailable() > 0) {
        ApdComPort1TriggerAvail();
    }
}

const Command* Reception::selectedCommand() const {
    const int slot = host_.selectedSlot();
    if (slot < 0 || slot >= CommandTable::kSlots) {
        return nullptr;
    }
    return &state_.table.slot(slot);
}

void Reception::Timer5Timer() {
    if (passRunning_) {
        // The pass owns the buffer until it ends; the expiry follows it.
        expiryWaiting_ = true;
        return;
    }
    const QString path = state_.timerCommandFile;
    const CommandFile::FileResult loaded =
        CommandFile::loadFromFile(path, state_.table, state_.messages);
    if (!loaded.ok) {
        // Reported once: the timer action ends here instead of failing again at every
        // interval.
        errors_.report(loaded.error);
        timer5_.setEnabled(false);
        state_.timerMinutesLeft = 0;
        host_.resetTimerWindow();
        return;
    }
    state_.adoptCommandFile(path, loaded);
    if (loaded.report.recordsLeftOut > 0) {
        errors_.report(
            CommandFile::leftOutMessage(state_.messages, path, loaded.report.recordsLeftOut));
    }
    host_.commandFileLoaded();

    // The last slot with the name wins. Without one the timer stays armed, and the
    // file is loaded and searched again at the next interval.
    const int nodes = state_.table.nodeCount();
    for (int slot = 0; slot < nodes; ++slot) {
        const Command& command = state_.table.slot(slot);
        if (command.name != state_.timerCommandName) {
            continue;
        }
        Edit1.setText(command.code);
        host_.resetTimerWindow();
        state_.timerMinutesLeft = 0;
        timer5_.setEnabled(false);
    }
}
