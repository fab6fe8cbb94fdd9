#include "reception/learning.h"

namespace Learning {

namespace {

bool isGreen(const Indicator& indicator, int panel) {
    return indicator.panelColor(panel) == kGreen;
}

}  // namespace

void step(const QString& code, AppState& state, Indicator& indicator) {
    const bool same = code == state.learnedCode;
    // From the last panel to the first, so one code advances the row by one panel.
    if (same && isGreen(indicator, 4)) {
        indicator.setPanelColor(5, kGreen);
        indicator.setAcceptEnabled(true);
    }
    for (int panel = 3; panel >= 1; --panel) {
        if (same && isGreen(indicator, panel)) {
            indicator.setPanelColor(panel + 1, kGreen);
        }
    }
    if (!isGreen(indicator, 1)) {
        indicator.setPanelColor(1, kGreen);
        state.learnedCode = code;
    }
}

void reset(AppState& state, Indicator& indicator) {
    state.learnedCode.clear();
    indicator.setAcceptEnabled(false);
    for (int panel = 1; panel <= kPanels; ++panel) {
        indicator.setPanelColor(panel, kRed);
    }
}

}  // namespace Learning
