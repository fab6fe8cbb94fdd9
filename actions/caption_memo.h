#pragma once

#include <QStringList>

#include "platform/platform.h"

// The hidden caption memo Memo2: the captions of the visible top-level windows as
// the last refill of the window list found them. The editor's window list and the
// executor's partial window search share one memo.
class CaptionMemo {
  public:
    // Reads the visible top-level captions afresh, in Z order, top first, and
    // returns them as the window list shows them (empty captions left out). The
    // memo then holds exactly these captions, each once, so a partial search acts
    // once per caption however often the list was refilled before.
    QStringList refill(Platform& platform);

    const QStringList& lines() const { return lines_; }

  private:
    QStringList lines_;
};
