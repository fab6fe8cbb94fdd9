#pragma once

#include <QPointer>

#include "core/app_state.h"
#include "core/error_reporter.h"

class QSystemTrayIcon;

// Shows each message on stderr and to the user: in a message box over the active
// window while the editor is shown; while the program lives in the tray, in a
// notification of the tray icon (or, without a tray, a box that does not wait), so
// the remote keeps working.
class MessageBoxReporter : public ErrorReporter {
  public:
    void report(const QString& message) override;

    // From now on `state` tells whether the program lives in the tray, and `tray` is
    // the icon whose notifications carry the messages meanwhile.
    void useTray(const AppState& state, QSystemTrayIcon* tray);

  private:
    void showWithoutWaiting(const QString& message);

    const AppState* state_ = nullptr;
    QPointer<QSystemTrayIcon> tray_;
};
