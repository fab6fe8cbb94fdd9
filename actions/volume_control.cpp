#include "actions/volume_control.h"

#include <algorithm>

namespace VolumeLevels {

std::uint16_t up(std::uint16_t level) {
    return std::uint16_t(std::min(int(level) + kStep, kCeiling));
}

std::uint16_t down(std::uint16_t level) {
    return std::uint16_t(std::max(int(level) - kStep, kDownFloor));
}

std::uint16_t channelDown(std::uint16_t level) {
    const int lowered = int(level) - kStep;
    return std::uint16_t(lowered <= kChannelThreshold ? kChannelFloor : lowered);
}

}  // namespace VolumeLevels

using namespace VolumeLevels;

VolumeControl::VolumeControl(Platform& platform, IntervalTimer& hold)
    : platform_(platform), hold_(hold) {
    holdTick_ = QObject::connect(&hold_, &IntervalTimer::timeout, [this] { TimerVolConstTimer(); });
}

VolumeControl::~VolumeControl() {
    QObject::disconnect(holdTick_);
}

// Each channel keeps its own level; reading the leading hexadecimal digits of the
// whole value instead would give neither channel's level whenever the right one is
// low.
void VolumeControl::takeReference() {
    std::tie(left_, right_) = unpack(platform_.waveVolume());
}

void VolumeControl::apply(std::uint16_t left, std::uint16_t right) {
    platform_.setWaveVolume(pack(left, right));
}

void VolumeControl::TimerVolConstTimer() {
    apply(left_, right_);
}

// The working levels stay as they are: a step while muted makes the output audible
// again, and the next "Mute" brings back the levels saved by the first.
void VolumeControl::toggleMute() {
    if (!muted_) {
        muted_ = true;
        savedLeft_ = left_;
        savedRight_ = right_;
        apply(kMutedLevel, kMutedLevel);
    } else {
        muted_ = false;
        apply(savedLeft_, savedRight_);
    }
}

void VolumeControl::run(const Command& command) {
    const QString& action = command.runAction;
    if (action == QLatin1String("Mute")) {
        toggleMute();
        return;
    }
    if (action == QLatin1String("Fixed")) {
        hold_.setEnabled(!hold_.enabled());  // nothing is written at once
        return;
    }
    if (action == QLatin1String("Up")) {
        left_ = up(left_);
        right_ = up(right_);
    } else if (action == QLatin1String("Down")) {
        left_ = down(left_);
        right_ = down(right_);
    } else if (action == QLatin1String("Left channel up")) {
        left_ = up(left_);
    } else if (action == QLatin1String("Right channel up")) {
        right_ = up(right_);
    } else if (action == QLatin1String("Left channel down")) {
        left_ = channelDown(left_);
    } else if (action == QLatin1String("Right channel down")) {
        right_ = channelDown(right_);
    } else {
        return;  // not a volume action: nothing to write
    }
    apply(left_, right_);
}
