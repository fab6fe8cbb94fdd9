#pragma once

#include "core/command_table.h"

// The action of a "Volume control" command with one of the eight volume actions. The
// executor calls run() only while the program lives in the tray.
class VolumeAction {
  public:
    virtual ~VolumeAction() = default;
    virtual void run(const Command& command) { (void)command; }
};
