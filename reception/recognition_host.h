#pragma once

#include <QString>
#include <QThread>

// What the recognition pass and the timer expiry need of the main window. The pass
// itself decides everything; the window only does what a command's dispatch means on
// screen, gives the feedback and keeps the logs.
class RecognitionHost {
  public:
    virtual ~RecognitionHost() = default;

    // Nodes of the command tree, the header included.
    virtual int nodeCount() const = 0;

    // Dispatches a command: selects the slot's node in the tree, shows its properties
    // in the panel and runs the executor, which returns when the action is done.
    // Returns false when a step failed; the failure has been reported already, and
    // the pass ends at once (buffer emptied, recognition timer stopped).
    virtual bool dispatch(int slot) = 0;

    // Slot of the selected tree node, -1 when none is selected.
    virtual int selectedSlot() const = 0;

    // The combination list as the property panel shows it after the dispatch.
    virtual QString shownCombination() const = 0;

    // Icon flash, sound and hint for the selected command.
    virtual void giveFeedback() = 0;

    // A new last line in the receiver test window, shown or not.
    virtual void logCode(const QString& code) = 0;

    // The learning dialog's step, while it collects codes.
    virtual void learningStep(const QString& code) = 0;

    // The timer expiry loaded another command file into the table: rebuild the tree.
    virtual void commandFileLoaded() = 0;

    // The timer action ended: the timer window's minutes become "0" and its minute
    // tick stops.
    virtual void resetTimerWindow() = 0;

    // Blocks the GUI thread; received bytes wait in the serial port meanwhile.
    virtual void wait(int ms) { QThread::msleep(ulong(ms)); }
};
