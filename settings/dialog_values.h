#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/messages.h"

// The settings dialog's rules that need no window: which texts OK may take, and
// which serial devices the port page offers.
namespace DialogValues {

// A value OK refuses: the field's caption, the value as typed and why.
struct Refusal {
    QString field;
    QString value;
    QString reason;
};

// The numbers OK takes, as typed.
struct Numbers {
    QString pauseCommand;  // milliseconds between codes
    QString pauseReboot;   // seconds before a shutdown or restart
    QString timerStep;
    QString timerAmbit;
    QString stepMouse;
    QString stepMouseClick;
};

// The first value that would break the program: not a whole number, or below 1.
// Every one of these is a count or a period that must be at least 1.
// `messages` words the reason.
std::optional<Refusal> check(const Numbers& numbers, const Messages& messages);

// The serial devices that exist, the stable names first: /dev/serial/by-id/*, then
// /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS* (in natural order). `root` replaces "/dev"
// for tests.
QStringList serialDevices(const QString& root = QStringLiteral("/dev"));

}  // namespace DialogValues
