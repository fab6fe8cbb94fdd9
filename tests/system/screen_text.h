#pragma once

#include <QStringList>

#include "support/rig/desktop.h"

// Reading a window the way its user does: a screenshot, enlarged, through OCR.
struct ScreenText {
    QString text;  // everything OCR read the last time

    // The captions of `captions` found in the text, case-insensitively, with runs
    // of blanks and line ends taken as one blank.
    QStringList find(const QStringList& captions) const;
};

// Looks for `wanted` captions (case-insensitively, blanks collapsed) in the window's
// area of the screen; retries while fewer than `needed` are found, as the window
// may still be painting, for at most `limit`.
ScreenText readWindow(rig::Desktop& desktop, const rig::XWindowInfo& window,
                      const QStringList& wanted, int needed, rig::milliseconds limit);
