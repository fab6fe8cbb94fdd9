#include <gtest/gtest.h>

#include "action_rig.h"
#include "actions/hint_placement.h"

namespace {

TEST(CommandFeedback, AfterAMatchFlashesSoundsClosesCountdownsAndShowsTheCaption) {
    ActionRig rig("Volume control", "Up");
    rig.feedback.afterMatch(1, " Play", "up.wav");
    EXPECT_EQ(rig.calls, (QStringList{"icon active", "playSound up.wav", "closeCountdowns",
                                      "hideHint", "wait 50", "showHint  Play|20|3000"}));
}

TEST(CommandFeedback, WhatLeavesOutTheSoundOrTheHint) {
    const QStringList withSound = {"icon active", "playSound s.wav"};
    // Their countdown and timer windows stay in front; the header shows no hint.
    for (const char* action : {"Shutdown", "Reboot", "Timer", "header"}) {
        ActionRig rig("PC control", action);
        rig.feedback.afterMatch(action == QString("header") ? 0 : 1, " Play", "s.wav");
        EXPECT_EQ(rig.calls, withSound) << action;
    }
    ActionRig rig("Key control", "");
    rig.state.settings.playSounds = "no";
    rig.state.settings.showCommand = "YES";  // only "yes" counts
    rig.feedback.afterMatch(1, " Play", "s.wav");
    EXPECT_EQ(rig.calls, QStringList{"icon active"});

    // "0" seconds keeps the hint; a text that is no number gives the design 3 seconds.
    EXPECT_EQ(CommandFeedback::hintCloseMs("0"), 0);
    EXPECT_EQ(CommandFeedback::hintCloseMs("x"), 3000);
    EXPECT_EQ(CommandFeedback::hintCloseMs("-2"), 3000);
}

TEST(HintPlacement, FiftyPixelsInFromTheBottomRightOfTheLabel) {
    EXPECT_EQ(HintPlacement::geometry({120, 40}, {1280, 800}, 20), QRect(1110, 710, 130, 60));
    EXPECT_EQ(HintPlacement::geometry({120, 40}, {1280, 800}, 0), QRect(1110, 710, 130, 40));
}

}  // namespace
