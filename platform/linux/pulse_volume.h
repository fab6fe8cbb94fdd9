#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

// The volume of the sound server's default output (sink) as a wave volume: the
// left channel's 16-bit level in the low half, the right one's in the high half,
// 65535 being the sink's 100 %. A mono sink reads as the same level on both
// channels and is given the louder of the two.
//
// Every call returns within the time limit, whatever the server does: a server that
// does not answer in time is left alone for a while. Without a server or a sink,
// reading gives 0 and writing does nothing; a write says why once on stderr.
class PulseVolume {
  public:
    explicit PulseVolume(std::chrono::milliseconds limit = std::chrono::milliseconds(300));
    ~PulseVolume();
    PulseVolume(const PulseVolume&) = delete;
    PulseVolume& operator=(const PulseVolume&) = delete;

    std::uint32_t read();
    void write(std::uint32_t volume);

    // The sink volume for a 16-bit level, and back (a sink above 100 % reads full).
    static std::uint32_t sinkVolume(std::uint16_t level);
    static std::uint16_t level(std::uint32_t sinkVolume);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
