#pragma once

#include <QMetaObject>
#include <cstdint>
#include <utility>

#include "actions/volume_action.h"
#include "core/interval_timer.h"
#include "platform/platform.h"

// The arithmetic of the volume actions on 16-bit channel levels (0 silent, 65535
// full). Every change is computed without wrap-around and then limited.
namespace VolumeLevels {

inline constexpr int kStep = 4368;              // 0x1110
inline constexpr int kCeiling = 61166;          // 0xEEEE
inline constexpr int kDownFloor = 4368;         // "Down" stops here
inline constexpr int kChannelThreshold = 5000;  // a channel-down at or below this...
inline constexpr int kChannelFloor = 4380;      // ...lands here
inline constexpr int kMutedLevel = 1;           // not 0

std::uint16_t up(std::uint16_t level);
std::uint16_t down(std::uint16_t level);
std::uint16_t channelDown(std::uint16_t level);

// The 32-bit volume value: left in the low half, right in the high half.
inline std::uint32_t pack(std::uint16_t left, std::uint16_t right) {
    return std::uint32_t(left) | (std::uint32_t(right) << 16);
}
// Each channel from its own half of the value.
inline std::pair<std::uint16_t, std::uint16_t> unpack(std::uint32_t value) {
    return {std::uint16_t(value & 0xFFFF), std::uint16_t(value >> 16)};
}

}  // namespace VolumeLevels

// The volume actions. The program keeps its own working level per channel and
// writes it to the output on every change; "Fixed" writes it again every 250 ms
// so that changes made elsewhere are undone.
class VolumeControl : public VolumeAction {
  public:
    // `hold` is the main window's TimerVolConst.
    VolumeControl(Platform& platform, IntervalTimer& hold);
    ~VolumeControl() override;
    VolumeControl(const VolumeControl&) = delete;
    VolumeControl& operator=(const VolumeControl&) = delete;

    void run(const Command& command) override;

    // The working levels start from the output's volume as it is when the program
    // goes to the tray.
    void takeReference();

    // Hold tick: the working levels are written again.
    void TimerVolConstTimer();

    std::uint16_t leftLevel() const { return left_; }
    std::uint16_t rightLevel() const { return right_; }
    bool muted() const { return muted_; }

  private:
    void apply(std::uint16_t left, std::uint16_t right);
    void toggleMute();

    Platform& platform_;
    IntervalTimer& hold_;
    QMetaObject::Connection holdTick_;
    std::uint16_t left_ = 0;
    std::uint16_t right_ = 0;
    std::uint16_t savedLeft_ = 0;
    std::uint16_t savedRight_ = 0;
    bool muted_ = false;
};
