#include "platform/linux/sound_file.h"

#include <QFile>
#include <algorithm>
#include <memory>

#include <sndfile.h>

namespace {

constexpr int kMaxChannels = 32;  // what the sound server takes
constexpr int kMaxRate = 384000;  // likewise
constexpr sf_count_t kBlockFrames = 4096;

struct CloseSoundFile {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

std::optional<DecodedSound> decodeSoundFile(const QString& path, qsizetype maxBytes) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, CloseSoundFile> file(
        sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
    if (!file || info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1 ||
        info.samplerate > kMaxRate) {
        return std::nullopt;
    }
    DecodedSound sound;
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    const qsizetype frameBytes = qsizetype(sizeof(float)) * info.channels;
    const qsizetype maxFrames = maxBytes / frameBytes;
    // The header's frame count may be wrong (a cut file, a stream): read until the
    // decoder has no more.
    qsizetype frames = 0;
    while (frames < maxFrames) {
        const sf_count_t wanted = std::min<sf_count_t>(kBlockFrames, maxFrames - frames);
        sound.samples.resize((frames + wanted) * frameBytes);
        auto* at = reinterpret_cast<float*>(sound.samples.data() + frames * frameBytes);
        const sf_count_t got = sf_readf_float(file.get(), at, wanted);
        if (got <= 0) {
            break;
        }
        frames += got;
    }
    sound.samples.resize(frames * frameBytes);
    if (frames == 0) {
        return std::nullopt;
    }
    return sound;
}
