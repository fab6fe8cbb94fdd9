#pragma once

#include <QString>
#include <QStringList>

// What a backend can do on the desktop it runs on, and why not where it cannot, so
// the program can tell the user instead of letting commands do nothing in silence.
struct Capabilities {
    struct Ability {
        bool available = true;
        QString reason;  // why not, when not available
    };
    Ability listWindows;      // find, close, minimise, maximise and raise windows
    Ability synthesiseInput;  // press keys, move and click the mouse
    Ability powerOff;         // shut down and restart
    Ability writeAutostart;   // start with the session

    static Ability missing(const QString& reason) { return {false, reason}; }
};
