#pragma once

#include "core/command_table.h"

// The action of a "PC control" command ("Shutdown" or "Reboot"). The executor calls
// run() only while the program lives in the tray.
class ComputerAction {
  public:
    virtual ~ComputerAction() = default;
    virtual void run(const Command& command) { (void)command; }
};
