#include <gtest/gtest.h>

#include "actions/volume_control.h"
#include "platform/fake/fake_platform.h"

namespace {

struct VolumeRig {
    FakePlatform platform;
    IntervalTimer hold{250};
    VolumeControl volume{platform, hold};

    // Sets the output's volume, takes it as the reference and forgets the calls.
    explicit VolumeRig(std::uint16_t left = 0, std::uint16_t right = 0) {
        platform.volume = VolumeLevels::pack(left, right);
        volume.takeReference();
    }
    void press(const char* action) {
        Command command;
        command.typeAction = "Volume control";
        command.runAction = action;
        volume.run(command);
    }
    QString written(std::uint16_t left, std::uint16_t right) const {
        return QStringLiteral("setWaveVolume %1").arg(VolumeLevels::pack(left, right));
    }
};

TEST(VolumeLevelsTest, StepsStopAtTheirBoundsWithoutWrapping) {
    struct Case {
        std::uint16_t left, right;
        std::vector<const char*> presses;
        std::uint16_t wantLeft, wantRight;
    };
    const std::vector<Case> cases = {
        {0x1110, 0x1110, {"Down"}, 4368, 4368},
        {0, 0, {"Down"}, 4368, 4368},  // no reference: both start at 0
        {0, 0, {"Up"}, 4368, 4368},
        {61166, 65535, {"Up"}, 61166, 61166},
        {60000, 100, {"Up", "Down"}, 56798, 4368},
        {12000, 9000, {"Left channel down"}, 7632, 9000},
        {12000, 9000, {"Left channel down", "Left channel down"}, 4380, 9000},
        {12000, 9000, {"Left channel down", "Left channel down", "Left channel down"}, 4380, 9000},
        {12000, 9368, {"Right channel down"}, 12000, 4380},  // exactly 5000 counts as at or below
        {65535, 60000, {"Right channel up", "Left channel up"}, 61166, 61166},
        {1000, 1000, {"Left channel up"}, 5368, 1000},
    };
    for (const Case& c : cases) {
        VolumeRig rig(c.left, c.right);
        for (const char* action : c.presses) {
            rig.press(action);
        }
        EXPECT_EQ(rig.volume.leftLevel(), c.wantLeft) << c.presses.back() << " from " << c.left;
        EXPECT_EQ(rig.volume.rightLevel(), c.wantRight) << c.presses.back() << " from " << c.right;
        EXPECT_EQ(rig.platform.calls.size(), qsizetype(c.presses.size()));
        EXPECT_EQ(rig.platform.calls.last(), rig.written(c.wantLeft, c.wantRight));
    }
}

// Each channel comes from its own half of the value; the leading hexadecimal digits
// of the whole value would give 0xA012 for a left of 0x1234 and a right of 0xA0.
TEST(VolumeReference, EachChannelFromItsOwnHalf) {
    EXPECT_EQ(VolumeRig(65535, 65535).volume.leftLevel(), 65535);
    VolumeRig lowRight(0x1234, 0x00A0);
    EXPECT_EQ(lowRight.volume.leftLevel(), 0x1234);
    EXPECT_EQ(lowRight.volume.rightLevel(), 0x00A0);
    VolumeRig silentRight(65535, 0);
    EXPECT_EQ(silentRight.volume.leftLevel(), 65535);
    EXPECT_EQ(silentRight.volume.rightLevel(), 0);
}

TEST(VolumeMute, WritesOneOnEachChannelThenTheLevelsInForceBefore) {
    VolumeRig rig(30000, 20000);
    rig.press("Mute");
    EXPECT_TRUE(rig.volume.muted());
    rig.press("Up");  // audible again at the working levels, still counted as muted
    rig.press("Mute");
    EXPECT_FALSE(rig.volume.muted());
    EXPECT_EQ(rig.platform.calls, (QStringList{rig.written(1, 1), rig.written(34368, 24368),
                                               rig.written(30000, 20000)}));
}

TEST(VolumeFixed, TogglesTheHoldWhoseTickWritesTheWorkingLevels) {
    VolumeRig rig(30000, 20000);
    rig.press("Fixed");
    EXPECT_TRUE(rig.hold.enabled());
    EXPECT_EQ(rig.hold.interval(), 250);
    EXPECT_TRUE(rig.platform.calls.isEmpty()) << "nothing is written at once";
    rig.platform.volume = 7;  // someone else changed it
    rig.hold.timeout();       // as the timer gives it
    EXPECT_EQ(rig.platform.calls, QStringList{rig.written(30000, 20000)});
    rig.press("Fixed");
    EXPECT_FALSE(rig.hold.enabled());
}

}  // namespace
