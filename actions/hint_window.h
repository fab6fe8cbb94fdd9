#pragma once

#include <QWidget>

#include "actions/command_feedback.h"
#include "actions/overlay_font.h"
#include "core/interval_timer.h"

class QLabel;

// The command hint: the name of the command just run, in large letters near the
// bottom-right corner of the screen. Frameless, always on top, never takes the
// focus; only the label's letters show (a shape mask cut from them), so no
// compositor is needed.
class THintF : public QWidget, public HintDisplay {
    Q_OBJECT
  public:
    explicit THintF(QWidget* parent = nullptr);

    void hideHint() override;
    void showHint(const QString& text, int extraHeight, int closeMs) override;

    // Gives LabelHint the overlay font in place of the design font.
    void applyOverlayFont(const OverlayFont& font);

    // Close timer's timeout: Timer2 off, the window closed.
    void Timer2Timer();

  private:
    QLabel* LabelHint;
    IntervalTimer* Timer2;  // closes the hint after its time

    void cutMask();
};

// Gives a label of an on-screen window the overlay font and colour.
void applyOverlayFont(QLabel* label, const OverlayFont& font);
