#include "actions/caption_memo.h"

QStringList CaptionMemo::refill(Platform& platform) {
    QStringList shown;
    const QStringList captions = platform.windowCaptions();
    for (const QString& caption : captions) {
        if (!caption.isEmpty()) {
            shown << caption;
        }
    }
    lines_ = shown;
    lines_.removeDuplicates();
    return shown;
}
