#pragma once

#include <QString>

#include "core/messages.h"
#include "platform/capabilities.h"

// The program's own questions and notices about files and the receiver's port, in
// the words of the interface language. Where a message stands below another text
// (a failure's own message, the device and the system's reason), the lines are
// joined here, since a language file holds one line per text.
namespace UserMessages {

inline QString replaceExisting(const Messages& messages, const QString& path) {
    return messages.text(Messages::Id::ReplaceExisting).arg(path);
}

inline QString recordsWouldBeDropped(const Messages& messages, const QString& path, int leftOut,
                                     int kept) {
    return messages.text(Messages::Id::RecordsWouldBeDropped)
        .arg(path, QString::number(leftOut), QString::number(kept));
}

// The close question again, after a save that failed.
inline QString saveFailedAskAgain(const Messages& messages, const QString& error) {
    return error + QStringLiteral("\n\n") + messages.text(Messages::Id::NotSavedAskAgain);
}

// A program or document that an "Open" command could not start.
inline QString cannotStart(const Messages& messages, const QString& commandLine,
                           const QString& reason) {
    const QString message = messages.text(Messages::Id::CannotStart).arg(commandLine);
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

// `where` names the menu path of the settings dialog.
inline QString portDidNotOpen(const Messages& messages, const QString& device,
                              const QString& reason, const QString& where) {
    return QStringLiteral("%1: %2\n").arg(device, reason) +
           messages.text(Messages::Id::PortDidNotOpen).arg(where);
}

// What the user should know at start about commands the desktop cannot carry out;
// empty when it can carry out every one.
inline QString desktopActionsOff(const Messages& messages, const Capabilities& can) {
    if (!can.listWindows.available) {
        return messages.text(Messages::Id::WindowActionsOff).arg(can.listWindows.reason);
    }
    if (!can.synthesiseInput.available) {
        return messages.text(Messages::Id::InputActionsOff).arg(can.synthesiseInput.reason);
    }
    return QString();
}

}  // namespace UserMessages
