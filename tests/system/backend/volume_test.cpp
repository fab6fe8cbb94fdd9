// The wave volume on a real PulseAudio server: the default sink's front channels,
// a mono sink, no server, and a server that has stopped answering.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <csignal>

#include "platform/linux/linux_platform.h"
#include "support/rig/services.h"

namespace {

std::uint32_t pack(int left, int right) {
    return std::uint32_t(left) | (std::uint32_t(right) << 16);
}

}  // namespace

// The backend inside this process uses the private server.
TEST(WaveVolume, FollowsTheDefaultSinkStereoAndMono) {
    rig::TestHome home;
    rig::SoundServer server(home);
    qputenv("PULSE_SERVER", server.address());
    LinuxPlatform platform;
    const auto defaultSinkVolume = [&] {
        return server.sinkVolume(QStringLiteral("@DEFAULT_SINK@"));
    };
    const auto pactl = [&](const QStringList& args) { return server.pactl(args).ok(); };

    // 65535 is the sink's 100 % (65536 raw); each channel from its own half.
    platform.setWaveVolume(pack(65535, 0x4000));
    EXPECT_EQ(defaultSinkVolume(), (std::vector<int>{65536, 16384}));
    EXPECT_EQ(platform.waveVolume(), pack(65535, 0x4000));
    ASSERT_TRUE(pactl({"set-sink-volume", "@DEFAULT_SINK@", "150%", "20%"}));
    EXPECT_EQ(platform.waveVolume(), pack(65535, 13107)) << "above 100 % reads full";

    // A mono output takes the louder channel, and reads as it on both.
    ASSERT_TRUE(pactl({"load-module", "module-null-sink", "sink_name=mono", "channels=1"}));
    ASSERT_TRUE(pactl({"set-default-sink", "mono"}));
    platform.setWaveVolume(pack(0x2000, 0x6000));
    EXPECT_EQ(defaultSinkVolume(), std::vector<int>{0x6000});
    EXPECT_EQ(platform.waveVolume(), pack(0x6000, 0x6000));
}

// A server that stops answering costs at most the time limit, and the program
// then leaves it alone for a while instead of waiting at every hold tick.
TEST(WaveVolume, NoServerReadsZeroAndAStalledOneNeverHoldsTheCaller) {
    rig::TestHome home;
    {
        qputenv("PULSE_SERVER", "unix:" + home.work(QStringLiteral("none.sock")).toLocal8Bit());
        LinuxPlatform platform;
        EXPECT_EQ(platform.waveVolume(), 0u);
        platform.setWaveVolume(pack(100, 100));  // nothing to do, nothing breaks
    }
    rig::SoundServer server(home);
    qputenv("PULSE_SERVER", server.address());
    LinuxPlatform platform;
    platform.setWaveVolume(pack(0x3000, 0x3000));
    ::kill(-server.pid(), SIGSTOP);  // the server and the timeout above it
    QElapsedTimer clock;
    clock.start();
    const std::uint32_t stalled = platform.waveVolume();
    for (int i = 0; i < 8; ++i) {
        platform.setWaveVolume(pack(0x5000, 0x5000));
    }
    const qint64 spent = clock.elapsed();
    ::kill(-server.pid(), SIGCONT);
    EXPECT_EQ(stalled, 0u);
    EXPECT_LT(spent, 2000) << "nine calls to a stalled server";
}
