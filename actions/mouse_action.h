#pragma once

#include "core/command_table.h"

// The action of a "Mouse control" command. The executor calls run() only while the
// program lives in the tray.
class MouseAction {
  public:
    virtual ~MouseAction() = default;
    virtual void run(const Command& command) { (void)command; }
};
