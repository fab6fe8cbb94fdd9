#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "actions/caption_memo.h"
#include "actions/command_feedback.h"
#include "actions/executor.h"
#include "actions/icon_flash.h"
#include "actions/pointer_clicks.h"
#include "actions/waiter.h"
#include "reception/reception.h"
#include "reception/recognition_host.h"

class ComputerControl;
class MouseControl;
class QSystemTrayIcon;
class TCommandTree;
class TForm1;
class TPropertyPanel;
class THintF;
class TRebootF;
class TShutDownF;
class TTimerF;
class TimerControl;
class VolumeControl;
class TTestF;
class TtutoringF;

// The road of one button press as the main window carries it: the reception (port,
// buffer, recognition pass, timer expiry) dispatches commands into the tree, the
// property panel and the executor, and the feedback follows. This object owns the
// pieces and answers their questions from the main window's widgets.
class TCommandRunner : public QObject, public RecognitionHost, public ExecutorHost {
    Q_OBJECT
  public:
    // The main window's pieces the runner drives and reads.
    struct Parts {
        TCommandTree& tree;
        const TPropertyPanel& panel;
        QSystemTrayIcon* trayIcon;
        IntervalTimer& recognition;  // Timer1
        IntervalTimer& expiry;       // Timer5
        IntervalTimer& iconFlash;    // TimerIcon
        IntervalTimer& mouseMove;    // TimerMouseMove
        IntervalTimer& volumeHold;   // TimerVolConst
        // The cancel word of the countdowns: the Cancel caption of the name dialogs.
        std::function<QString()> cancelWord;
    };
    TCommandRunner(TForm1& form, const Parts& parts, AppState& state, Platform& platform,
                   ErrorReporter& errors);
    ~TCommandRunner() override;

    // Opens the serial port; false when it cannot be opened.
    bool openPort(const PortSettings& settings);
    // Why the port did not open, in the system's words.
    QString portError() const;
    // Closes the port and ends a running mouse movement, so no drag holds a button.
    void closePort();
    MouseControl& mouse() { return *mouse_; }

    Reception& reception() { return *reception_; }
    Executor& executor() { return *executor_; }
    CommandFeedback& feedback() { return *feedback_; }
    TTestF* TestF() const { return testF_.get(); }
    TtutoringF* tutoringF() const { return tutoringF_.get(); }
    THintF* HintF() const { return hintF_.get(); }
    TShutDownF* ShutDownF() const { return shutDownF_.get(); }
    TRebootF* RebootF() const { return rebootF_.get(); }
    TTimerF* TimerF() const { return timerF_.get(); }
    VolumeControl& volume() { return *volume_; }
    TimerControl& timer() { return *timer_; }

    // RecognitionHost
    int nodeCount() const override;
    bool dispatch(int slot) override;
    int selectedSlot() const override;
    QString shownCombination() const override;
    void giveFeedback() override;
    void logCode(const QString& code) override;
    void learningStep(const QString& code) override;
    void commandFileLoaded() override;
    void resetTimerWindow() override;
    void wait(int ms) override;

    // ExecutorHost
    QString statusText() const override;
    QString shownFile() const override;
    QString shownSound() const override;
    void refillCaptions() override;

  private:
    // The volume, power and timer actions with their windows, wired to each other.
    void buildActions(Platform& platform, ErrorReporter& errors);
    void installInputActions(Platform& platform, ErrorReporter& errors);

    TForm1& form_;
    Parts parts_;
    AppState& state_;
    SleepingWaiter waiter_;
    std::unique_ptr<TRebootF> rebootF_;
    std::unique_ptr<TShutDownF> shutDownF_;
    std::unique_ptr<TTimerF> timerF_;
    std::unique_ptr<THintF> hintF_;
    std::unique_ptr<TTestF> testF_;
    std::unique_ptr<TtutoringF> tutoringF_;
    std::unique_ptr<IconFlash> flash_;
    std::unique_ptr<CommandFeedback> feedback_;
    std::unique_ptr<PointerClicks> clicks_;  // before the executor, whose actions use it
    std::unique_ptr<Executor> executor_;
    MouseControl* mouse_ = nullptr;  // owned by the executor's action kinds
    std::unique_ptr<Reception> reception_;
    VolumeControl* volume_ = nullptr;  // owned by the executor
    TimerControl* timer_ = nullptr;    // owned by the executor
};
