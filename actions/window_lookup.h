#pragma once

#include <QString>
#include <functional>

#include "actions/caption_memo.h"
#include "platform/platform.h"

// Finds the top-level windows a command names by caption and applies one window
// operation to them.
namespace WindowLookup {

enum class Operation { Close, Minimize, Maximize, Activate };

// The window whose caption is exactly `caption` gets the operation, and nothing
// more happens. Only when there is none does `refill` renew the caption memo, and
// every window whose caption (a memo line) contains `caption`, case-sensitively,
// gets the operation. An empty caption names no window.
void apply(Platform& platform, const CaptionMemo& memo, const std::function<void()>& refill,
           const QString& caption, Operation operation);

}  // namespace WindowLookup
