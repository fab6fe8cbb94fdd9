#pragma once

#include "core/command_table.h"

// The action of a "Key control" command. The executor calls run() only while the
// program lives in the tray.
class KeyAction {
  public:
    virtual ~KeyAction() = default;
    virtual void run(const Command& command) { (void)command; }
};
