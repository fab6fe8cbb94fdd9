#include "platform/linux/pulse_volume.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>

#include <pulse/pulseaudio.h>

namespace {

using Clock = std::chrono::steady_clock;

const char* const kDefaultSink = "@DEFAULT_SINK@";
// After a server that did not answer, or none at all, the next attempt waits this
// long, so the hold tick cannot turn a stalled server into a frozen program.
constexpr std::chrono::seconds kRetryPause(2);

struct SinkAnswer {
    bool done = false;
    bool found = false;
    pa_cvolume volume{};
    pa_channel_map map{};
};

void onSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* userdata) {
    auto* answer = static_cast<SinkAnswer*>(userdata);
    if (eol != 0) {  // the end of the list, or an error (no such sink)
        answer->done = true;
        return;
    }
    if (info && !answer->found) {
        answer->found = true;
        answer->volume = info->volume;
        answer->map = info->channel_map;
    }
}

void onSuccess(pa_context*, int, void* userdata) {
    *static_cast<bool*>(userdata) = true;
}

}  // namespace

struct PulseVolume::Impl {
    std::chrono::milliseconds limit;
    pa_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    Clock::time_point nextAttempt{};
    std::set<std::string> said;
    bool quiet = false;  // reading says nothing: only a volume change the user asked for

    explicit Impl(std::chrono::milliseconds l) : limit(l), loop(pa_mainloop_new()) {}

    ~Impl() {
        dropContext();
        if (loop) {
            pa_mainloop_free(loop);
        }
    }

    void sayOnce(const std::string& what) {
        if (!quiet && said.insert(what).second) {
            std::fprintf(stderr, "quenda: %s; the volume actions change nothing\n", what.c_str());
        }
    }

    void dropContext() {
        if (!context) {
            return;
        }
        pa_context_disconnect(context);
        pa_context_unref(context);
        context = nullptr;
    }

    // Gives up on the server for a while.
    void fail(const std::string& what) {
        sayOnce(what);
        dropContext();
        nextAttempt = Clock::now() + kRetryPause;
    }

    // Runs the loop until `done` or the deadline; false at the deadline.
    bool runUntil(const std::function<bool()>& done, Clock::time_point deadline) {
        while (!done()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return false;
            }
            if (pa_mainloop_prepare(loop, int(left.count())) < 0 || pa_mainloop_poll(loop) < 0 ||
                pa_mainloop_dispatch(loop) < 0) {
                return false;
            }
        }
        return true;
    }

    bool connected(Clock::time_point deadline) {
        if (context && pa_context_get_state(context) == PA_CONTEXT_READY) {
            return true;
        }
        dropContext();
        if (!loop || Clock::now() < nextAttempt) {
            return false;
        }
        context = pa_context_new(pa_mainloop_get_api(loop), "Quenda volume");
        // Never start a sound server of our own.
        if (!context || pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            fail("no sound server");
            return false;
        }
        const auto settled = [this] {
            const pa_context_state_t s = pa_context_get_state(context);
            return s == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(s);
        };
        if (!runUntil(settled, deadline)) {
            fail("the sound server did not answer in time");
            return false;
        }
        if (pa_context_get_state(context) != PA_CONTEXT_READY) {
            fail("no sound server");
            return false;
        }
        return true;
    }

    // Waits for an operation; one the server leaves unanswered is cancelled.
    bool finish(pa_operation* op, const std::function<bool()>& done, Clock::time_point deadline) {
        if (!op) {
            fail("the sound server refused a volume request");
            return false;
        }
        const auto lost = [this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context)); };
        const bool settled = runUntil([&] { return done() || lost(); }, deadline);
        const bool answered = settled && done();
        if (!answered) {
            pa_operation_cancel(op);
        }
        pa_operation_unref(op);
        if (!settled) {
            fail("the sound server did not answer in time");
        } else if (!answered) {
            fail("the connection to the sound server was lost");
        }
        return answered;
    }

    bool defaultSink(SinkAnswer& answer, Clock::time_point deadline) {
        if (!connected(deadline)) {
            return false;
        }
        pa_operation* op =
            pa_context_get_sink_info_by_name(context, kDefaultSink, &onSinkInfo, &answer);
        if (!finish(
                op, [&] { return answer.done; }, deadline)) {
            return false;
        }
        if (!answer.found) {
            sayOnce("the sound server has no output");
        }
        return answer.found;
    }
};

PulseVolume::PulseVolume(std::chrono::milliseconds limit) : impl_(std::make_unique<Impl>(limit)) {}

PulseVolume::~PulseVolume() = default;

std::uint32_t PulseVolume::sinkVolume(std::uint16_t level) {
    return std::uint32_t((std::uint64_t(level) * PA_VOLUME_NORM + 32767) / 65535);
}

std::uint16_t PulseVolume::level(std::uint32_t sinkVolume) {
    const std::uint64_t scaled =
        (std::uint64_t(sinkVolume) * 65535 + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM;
    return std::uint16_t(std::min<std::uint64_t>(scaled, 65535));
}

// Read at every start into the tray, also by users who never change the volume:
// a missing server is said only when a change cannot be made.
std::uint32_t PulseVolume::read() {
    SinkAnswer sink;
    impl_->quiet = true;
    const bool found = impl_->defaultSink(sink, Clock::now() + impl_->limit);
    impl_->quiet = false;
    if (!found) {
        return 0;
    }
    const bool stereo = pa_channel_map_has_position(&sink.map, PA_CHANNEL_POSITION_FRONT_LEFT) ||
                        pa_channel_map_has_position(&sink.map, PA_CHANNEL_POSITION_FRONT_RIGHT);
    std::uint32_t left = pa_cvolume_max(&sink.volume);
    std::uint32_t right = left;
    if (stereo) {
        left = pa_cvolume_get_position(&sink.volume, &sink.map, PA_CHANNEL_POSITION_FRONT_LEFT);
        right = pa_cvolume_get_position(&sink.volume, &sink.map, PA_CHANNEL_POSITION_FRONT_RIGHT);
    }
    return std::uint32_t(level(left)) | (std::uint32_t(level(right)) << 16);
}

// Only the front channels follow; any others (centre, rear) keep their volume. A
// sink without front channels takes the louder level on every channel.
void PulseVolume::write(std::uint32_t volume) {
    const auto deadline = Clock::now() + impl_->limit;
    SinkAnswer sink;
    if (!impl_->defaultSink(sink, deadline)) {
        return;
    }
    const pa_volume_t left = sinkVolume(std::uint16_t(volume & 0xFFFF));
    const pa_volume_t right = sinkVolume(std::uint16_t(volume >> 16));
    pa_cvolume wanted = sink.volume;
    bool front = false;
    for (unsigned i = 0; i < wanted.channels; ++i) {
        const pa_channel_position_t position = sink.map.map[i];
        if (position == PA_CHANNEL_POSITION_FRONT_LEFT) {
            wanted.values[i] = left;
            front = true;
        } else if (position == PA_CHANNEL_POSITION_FRONT_RIGHT) {
            wanted.values[i] = right;
            front = true;
        }
    }
    if (!front) {
        pa_cvolume_set(&wanted, wanted.channels, std::max(left, right));
    }
    bool done = false;
    pa_operation* op = pa_context_set_sink_volume_by_name(impl_->context, kDefaultSink, &wanted,
                                                          &onSuccess, &done);
    impl_->finish(
        op, [&] { return done; }, deadline);
}
