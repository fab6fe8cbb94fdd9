#pragma once

#include <QString>
#include <cstdint>

#include "core/app_state.h"

// Teaching a command its code. The learning dialog shows five indicator panels that
// turn from red to green as the same code is received again; the panels themselves
// are the state of a learning run, so the step reads their colours.
namespace Learning {

constexpr int kPanels = 5;
// Panel colours as 0xRRGGBB.
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;

// The panels L1 to L5 (numbered 1 to 5) and the accept button of the dialog.
class Indicator {
  public:
    virtual ~Indicator() = default;
    virtual std::uint32_t panelColor(int panel) const = 0;
    virtual void setPanelColor(int panel, std::uint32_t rgb) = 0;
    virtual void setAcceptEnabled(bool enabled) = 0;
};

// One received code while the dialog collects. The first code becomes the reference;
// each later equal code turns the next panel green, at most one per code, and the
// fifth green panel enables accepting. A different code changes nothing.
void step(const QString& code, AppState& state, Indicator& indicator);

// Back to the start of a run: no reference, every panel red, accepting disabled.
void reset(AppState& state, Indicator& indicator);

}  // namespace Learning
