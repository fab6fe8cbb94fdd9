#include "platform/linux/pulse_sound.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

#include <pulse/pulseaudio.h>

#include "platform/linux/sound_file.h"

namespace {

// Event sounds are short; a longer one is cut after this much decoded sound.
constexpr qsizetype kMaxDecodedBytes = 64 * 1024 * 1024;

}  // namespace

// Everything below runs either on the caller's thread with the main loop locked,
// or in the main loop's thread (callbacks), which holds the same lock.
struct PulseSoundPlayer::Impl {
    // One sound on its way to the server.
    struct Playback {
        Impl* owner = nullptr;
        pa_stream* stream = nullptr;
        pa_operation* drain = nullptr;
        DecodedSound sound;
        qsizetype written = 0;
    };

    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    bool contextLost = false;
    Playback* current = nullptr;
    std::optional<std::pair<DecodedSound, QString>> waiting;  // until the server answers

    ~Impl() {
        if (!loop) {
            return;
        }
        pa_threaded_mainloop_lock(loop);
        finish(current);
        dropContext();
        pa_threaded_mainloop_unlock(loop);
        pa_threaded_mainloop_stop(loop);
        pa_threaded_mainloop_free(loop);
    }

    void dropContext() {
        if (!context) {
            return;
        }
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_disconnect(context);
        pa_context_unref(context);
        context = nullptr;
        contextLost = false;
    }

    // Connects when there is no connection (or it was lost); false when even the
    // attempt cannot be made.
    bool ensureContext() {
        if (context && contextLost) {
            dropContext();
        }
        if (context) {
            return true;
        }
        pa_proplist* props = pa_proplist_new();
        pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Quenda");
        pa_proplist_sets(props, PA_PROP_APPLICATION_ID, "quenda");
        context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop), "Quenda", props);
        pa_proplist_free(props);
        if (!context) {
            return false;
        }
        pa_context_set_state_callback(context, &Impl::onContextState, this);
        // Never start a sound server of our own.
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            dropContext();
            return false;
        }
        return true;
    }

    static void onContextState(pa_context* c, void* userdata) {
        auto* self = static_cast<Impl*>(userdata);
        switch (pa_context_get_state(c)) {
            case PA_CONTEXT_READY:
                if (self->waiting) {
                    auto [sound, name] = std::move(*self->waiting);
                    self->waiting.reset();
                    self->start(std::move(sound), name);
                }
                break;
            case PA_CONTEXT_FAILED:
            case PA_CONTEXT_TERMINATED:
                // Released on the next play(), outside this callback.
                self->contextLost = true;
                self->waiting.reset();
                break;
            default:
                break;
        }
    }

    void start(DecodedSound sound, const QString& name) {
        pa_sample_spec layout{};
        layout.format = PA_SAMPLE_FLOAT32NE;
        layout.rate = static_cast<uint32_t>(sound.sampleRate);
        layout.channels = static_cast<uint8_t>(sound.channels);
        pa_channel_map map;
        if (!pa_sample_spec_valid(&layout) ||
            !pa_channel_map_init_extend(&map, layout.channels, PA_CHANNEL_MAP_WAVEEX)) {
            return;
        }
        pa_proplist* props = pa_proplist_new();
        pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "event");
        pa_proplist_sets(props, PA_PROP_MEDIA_NAME, QFileInfo(name).fileName().toUtf8());
        pa_proplist_sets(props, PA_PROP_MEDIA_FILENAME, name.toUtf8());
        pa_stream* s = pa_stream_new_with_proplist(context, "Event sound", &layout, &map, props);
        pa_proplist_free(props);
        if (!s) {
            return;
        }
        auto* p = new Playback{this, s, nullptr, std::move(sound), 0};
        pa_stream_set_state_callback(s, &Impl::onStreamState, p);
        pa_stream_set_write_callback(s, &Impl::onWritable, p);
        current = p;
        if (pa_stream_connect_playback(s, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) <
            0) {
            finish(p);
        }
    }

    // Ends a playback at once: its stream leaves the server. A stream the server
    // is still creating cannot be taken down yet; it goes as soon as it exists.
    void finish(Playback* p) {
        if (!p) {
            return;
        }
        if (p->drain) {
            pa_operation_cancel(p->drain);
            pa_operation_unref(p->drain);
        }
        pa_stream* s = p->stream;
        pa_stream_set_write_callback(s, nullptr, nullptr);
        if (pa_stream_get_state(s) == PA_STREAM_CREATING) {
            pa_stream_set_state_callback(s, &Impl::onAbandonedState, nullptr);
        } else {
            pa_stream_set_state_callback(s, nullptr, nullptr);
            pa_stream_disconnect(s);
            pa_stream_unref(s);
        }
        if (current == p) {
            current = nullptr;
        }
        delete p;
    }

    static void onAbandonedState(pa_stream* s, void*) {
        switch (pa_stream_get_state(s)) {
            case PA_STREAM_READY:
                pa_stream_disconnect(s);  // ends in TERMINATED, below
                break;
            case PA_STREAM_FAILED:
            case PA_STREAM_TERMINATED:
                pa_stream_set_state_callback(s, nullptr, nullptr);
                pa_stream_unref(s);
                break;
            default:
                break;
        }
    }

    static void onStreamState(pa_stream* s, void* userdata) {
        auto* p = static_cast<Playback*>(userdata);
        const pa_stream_state_t state = pa_stream_get_state(s);
        if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
            p->owner->finish(p);
        }
    }

    static void onWritable(pa_stream* s, size_t requested, void* userdata) {
        auto* p = static_cast<Playback*>(userdata);
        const QByteArray& data = p->sound.samples;
        const qsizetype n = std::min<qsizetype>(qsizetype(requested), data.size() - p->written);
        if (n > 0) {
            pa_stream_write(s, data.constData() + p->written, size_t(n), nullptr, 0,
                            PA_SEEK_RELATIVE);
            p->written += n;
        }
        if (p->written == data.size() && !p->drain) {
            // All handed over: let the server play it out, then leave.
            pa_stream_set_write_callback(s, nullptr, nullptr);
            p->drain = pa_stream_drain(s, &Impl::onDrained, p);
        }
    }

    static void onDrained(pa_stream*, int, void* userdata) {
        auto* p = static_cast<Playback*>(userdata);
        pa_operation_unref(p->drain);
        p->drain = nullptr;
        p->owner->finish(p);
    }
};

PulseSoundPlayer::PulseSoundPlayer() : impl_(std::make_unique<Impl>()) {}

PulseSoundPlayer::~PulseSoundPlayer() = default;

bool PulseSoundPlayer::play(const QString& path) {
    std::optional<DecodedSound> sound = decodeSoundFile(path, kMaxDecodedBytes);
    if (!impl_->loop) {
        if (!sound) {
            return false;  // nothing plays, nothing to replace
        }
        impl_->loop = pa_threaded_mainloop_new();
        if (!impl_->loop || pa_threaded_mainloop_start(impl_->loop) < 0) {
            if (impl_->loop) {
                pa_threaded_mainloop_free(impl_->loop);
                impl_->loop = nullptr;
            }
            return true;
        }
    }
    const bool readable = sound.has_value();
    pa_threaded_mainloop_lock(impl_->loop);
    impl_->finish(impl_->current);
    impl_->waiting.reset();
    if (sound && impl_->ensureContext()) {
        if (pa_context_get_state(impl_->context) == PA_CONTEXT_READY) {
            impl_->start(std::move(*sound), path);
        } else {
            impl_->waiting.emplace(std::move(*sound), path);
        }
    }
    pa_threaded_mainloop_unlock(impl_->loop);
    return readable;
}

void PulseSoundPlayer::stop() {
    if (!impl_->loop) {
        return;
    }
    pa_threaded_mainloop_lock(impl_->loop);
    impl_->finish(impl_->current);
    impl_->waiting.reset();
    pa_threaded_mainloop_unlock(impl_->loop);
}
