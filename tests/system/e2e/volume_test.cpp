// The volume commands on a real sound server: the program in the tray steps, mutes
// and holds the volume of the server's default output, a null sink whose volume
// pactl sets and reads.
#include <gtest/gtest.h>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

namespace {

// Raw sink volume of each channel for a 16-bit level (65535 is the sink's 100 %).
int raw(int level) {
    return int((qint64(level) * 65536 + 32767) / 65535);
}

// Waits until both channels are within 2 of the levels wanted.
::testing::AssertionResult volumeBecomes(rig::SoundServer& sound, int left, int right) {
    std::vector<int> seen;
    const bool reached = rig::waitUntil(
        [&] {
            seen = sound.sinkVolume();
            return seen.size() == 2 && std::abs(seen[0] - raw(left)) <= 2 &&
                   std::abs(seen[1] - raw(right)) <= 2;
        },
        3000ms, 50ms);
    if (reached) {
        return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure()
                   << "want " << raw(left) << "/" << raw(right) << ", sink has";
    for (int v : seen) {
        failure << " " << v;
    }
    return failure;
}

}  // namespace

// Started straight into the tray, the program takes the volume it finds (80 %) as
// its reference, so "Up" goes one step above it instead of starting from silence.
TEST(Volume, StepsMutesAndHoldsTheDefaultOutputFromTheVolumeFoundAtStart) {
    Session s;
    rig::SoundServer& sound = s.startSoundServer();
    ASSERT_TRUE(sound.setSinkVolume({"80%"}));
    const int level = int((qint64(sound.sinkVolume().at(0)) * 65535 + 32768) / 65536);
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote = s.writeCommandFile(
        "remote.pci", "Sound",
        {e2e::volumeCommand("Louder", " 41", "Up"), e2e::volumeCommand("Quieter", " 42", "Down"),
         e2e::volumeCommand("Left quieter", " 43", "Left channel down"),
         e2e::volumeCommand("Mute", " 44", "Mute"), e2e::volumeCommand("Hold", " 45", "Fixed")});
    s.writeSettings(settings, remote);
    ASSERT_TRUE(s.start());

    s.press("A");
    EXPECT_TRUE(volumeBecomes(sound, level + 4368, level + 4368));
    s.press("C");
    EXPECT_TRUE(volumeBecomes(sound, level, level + 4368));
    s.press("D");
    EXPECT_TRUE(volumeBecomes(sound, 1, 1));
    s.press("D");
    EXPECT_TRUE(volumeBecomes(sound, level, level + 4368));

    // Held: a change made elsewhere is undone within a quarter of a second.
    s.press("E");
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(sound.setSinkVolume({"10%"}));
    EXPECT_TRUE(volumeBecomes(sound, level, level + 4368));
    // "Down" stops at its floor on both channels.
    for (int i = 0; i < 15; ++i) {
        s.press("B");
        std::this_thread::sleep_for(250ms);
    }
    EXPECT_TRUE(volumeBecomes(sound, 4368, 4368));
    EXPECT_EQ(s.programErrors(), "");
}
