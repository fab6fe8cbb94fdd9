#pragma once

#include <QWidget>
#include <memory>

#include "actions/countdown.h"
#include "actions/overlay_font.h"
#include "actions/word_display.h"
#include "core/interval_timer.h"

class QLabel;

// An on-screen window that shows a word and a number near the bottom-right corner
// of the screen: the shutdown and reboot countdowns and the timer window. It has
// the big visible label, a hidden label holding the word, and a hidden sizing label
// that gives the window its size (see CountdownPlacement). The labels are found by
// their names, which each window's declaration below lists in that order.
class TWordWindow : public QWidget, public WordDisplay {
    Q_OBJECT
  public:
    struct Names {
        const char* form;
        const char* big;     // the visible text
        const char* word;    // hidden: the word before the number
        const char* sizing;  // hidden: the word and " 9999"
        int designPixels;    // height of the design font
    };
    TWordWindow(const Names& names, const QString& word, QWidget* parent = nullptr);

    void hideWindow() override;
    void showWindow() override;
    void setText(const QString& text) override;
    QString word() const override;

    // A language file's word: the word label and the sizing label take it, and the
    // window is sized and placed again.
    void setWord(const QString& word);
    // The overlay font for the big and the sizing label; then sized and placed again.
    void applyOverlayFont(const OverlayFont& font);

  private:
    void fitToSizingLabel();

    QLabel* big_;
    QLabel* word_;
    QLabel* sizing_;
};

// A countdown window with its tick (Timer1, 1000 ms) and notice (Timer2, 3000 ms)
// timers and the countdown they drive.
class TCountdownF : public TWordWindow {
    Q_OBJECT
  public:
    TCountdownF(const Names& names, const QString& word, Waiter& waiter, QWidget* parent);

    Countdown& countdown() { return *countdown_; }

    IntervalTimer* Timer1;
    IntervalTimer* Timer2;

  private:
    std::unique_ptr<Countdown> countdown_;
};

// Labels: LabelShutDown, LabelShutDownCount (the word), LabelShutDownLNG (sizing).
class TShutDownF : public TCountdownF {
    Q_OBJECT
  public:
    explicit TShutDownF(Waiter& waiter, QWidget* parent = nullptr);
};

// Labels: LabelReboot, LabelRebootCount (the word), LabelRebootLNG (sizing).
class TRebootF : public TCountdownF {
    Q_OBJECT
  public:
    explicit TRebootF(Waiter& waiter, QWidget* parent = nullptr);
};

// The timer window with its close delay (Timer2, 5000 ms) and minute tick (Timer1,
// 60000 ms); the timer action drives them. Labels: Label1, TimerFLabelTimer (the
// word), LabelWH (sizing).
class TTimerF : public TWordWindow {
    Q_OBJECT
  public:
    explicit TTimerF(QWidget* parent = nullptr);
    IntervalTimer* Timer1;
    IntervalTimer* Timer2;
};
