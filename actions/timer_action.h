#pragma once

#include "core/command_table.h"

// The action of a "Run command"/"Timer" command. The executor calls run() also while
// the main window is shown.
class TimerAction {
  public:
    virtual ~TimerAction() = default;
    virtual void run(const Command& command) { (void)command; }
};
