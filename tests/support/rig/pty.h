#pragma once

#include <QByteArray>
#include <QString>

#include "support/rig/process.h"

namespace rig {

// A pseudo-terminal standing in for a serial port: the program under test opens
// `devicePath()`, the test writes what a receiver would send into the other end.
// The terminal is raw, so every byte value passes unchanged.
class PseudoTerminal {
  public:
    PseudoTerminal();  // throws std::runtime_error
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    QString devicePath() const { return path_; }
    // Writes all of `bytes` into the receiver's end; false on failure.
    bool send(const QByteArray& bytes);
    // Reads what the program wrote to the port, up to `limit` waiting for data.
    QByteArray receive(milliseconds limit);

  private:
    int controller_ = -1;
    int device_ = -1;  // kept open so the line does not hang up between users
    QString path_;
};

}  // namespace rig
