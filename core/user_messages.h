#pragma once

#include <QString>

// Texts of the program's own questions and notices about files, started programs and the
// receiver's port, kept together so they can move into the language files as one piece.
namespace UserMessages {

inline QString replaceExisting(const QString& path) {
    return QStringLiteral("%1 already exists. Replace it?").arg(path);
}

inline QString recordsWouldBeDropped(const QString& path, int leftOut, int kept) {
    return QStringLiteral(
               "%1 holds %2 more commands than the table keeps (%3). Saving over it "
               "removes them from the file. Save anyway, save under another name, "
               "or cancel?")
        .arg(path)
        .arg(leftOut)
        .arg(kept);
}

// The close question again, after a save that failed.
inline QString saveFailedAskAgain(const QString& error) {
    return QStringLiteral("%1\n\nThe command table was not saved. Save it?").arg(error);
}

// A program or document that an "Open" command could not start.
inline QString cannotStart(const QString& commandLine, const QString& reason) {
    const QString message = QStringLiteral("Cannot start: %1").arg(commandLine);
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

// `where` names the menu path of the settings dialog.
inline QString portDidNotOpen(const QString& device, const QString& reason, const QString& where) {
    return QStringLiteral(
               "%1: %2\nThe receiver's port did not open. Choose the receiver's port "
               "in %3.")
        .arg(device, reason, where);
}

}  // namespace UserMessages
