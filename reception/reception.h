#pragma once

#include <QByteArrayView>
#include <QObject>

#include "core/app_state.h"
#include "core/error_reporter.h"
#include "core/interval_timer.h"
#include "core/port_settings.h"
#include "reception/reception_buffer.h"
#include "reception/recognition_host.h"
#include "reception/serial_link.h"

// The road from the receiver's bytes to the commands they run. Received bytes are
// filtered into the reception buffer; the buffer's first change enables the
// recognition timer, whose firing is one recognition pass: the code is cut out of
// the buffer, logged, and either handed to learning or matched against the table,
// each match dispatched, combinations run and feedback given. The pass ends with the
// buffer emptied and the recognition timer stopped. The timer action's expiry also
// lives here: it puts the code of a named command into the buffer.
//
// The timers belong to the main window; this object connects itself to them.
class Reception : public QObject {
    Q_OBJECT
  public:
    Reception(AppState& state, IntervalTimer& timer1, IntervalTimer& timer5, RecognitionHost& host,
              ErrorReporter& errors, QObject* parent = nullptr);

    // The serial port. False when it cannot be opened: the caller shows the settings
    // error.
    bool openPort(const PortSettings& settings);
    QString portError() const { return link_.errorString(); }
    void closePort();
    SerialLink& link() { return link_; }

    // Received bytes waiting: takes all of them through the filter into the buffer.
    // While a pass runs they stay in the port and are taken when it ends.
    void ApdComPort1TriggerAvail();
    // The filter and the buffer for bytes however received.
    void receiveBytes(QByteArrayView bytes);

    // One recognition pass.
    void Timer1Timer();
    // Expiry of the timer action.
    void Timer5Timer();

    bool passRunning() const { return passRunning_; }

    ReceptionBuffer Edit1;

  private:
    // Matching in slot order; false when a dispatch failed.
    bool matchCode();
    // Runs the elements of the selected combination; false when a dispatch failed.
    bool runCombination();
    void endPass();
    const Command* selectedCommand() const;

    AppState& state_;
    IntervalTimer& timer1_;
    IntervalTimer& timer5_;
    RecognitionHost& host_;
    ErrorReporter& errors_;
    SerialLink link_;
    bool passRunning_ = false;
    bool expiryWaiting_ = false;
};
