#pragma once

#include <QString>

// Power off and restart through logind on the system bus. This is the only way the
// program ever powers the machine off: no shell command, no system call of its own.
// logind decides whether the local user may do it; the program never asks for a
// password (not interactive).
namespace LogindPower {

enum class Action { PowerOff, Reboot };

// Empty when logind took the request, else the reason in the system's words (no
// system bus, not authorised, no logind...).
QString request(Action action);

}  // namespace LogindPower
