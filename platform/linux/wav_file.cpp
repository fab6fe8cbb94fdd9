#include "platform/linux/wav_file.h"

#include <cstdint>

namespace {

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
           std::uint32_t(u[3]) << 24;
}

std::uint16_t le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint16_t(u[0] | u[1] << 8);
}

constexpr std::uint16_t kPcm = 1, kFloat = 3, kALaw = 6, kULaw = 7, kExtensible = 0xFFFE;
constexpr int kMaxChannels = 32;  // what the sound server takes

}  // namespace

std::optional<WavSound> parseWav(const QByteArray& file) {
    const char* p = file.constData();
    const qsizetype size = file.size();
    if (size < 12 || file.left(4) != "RIFF" || file.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    bool haveFormat = false;
    WavSound sound;
    qsizetype pos = 12;
    while (pos + 8 <= size) {
        const QByteArray id = file.mid(pos, 4);
        const qsizetype chunkSize = le32(p + pos + 4);
        const qsizetype body = pos + 8;
        if (id == "fmt ") {
            if (chunkSize < 16 || body + 16 > size) {
                return std::nullopt;
            }
            std::uint16_t tag = le16(p + body);
            const int channels = le16(p + body + 2);
            const std::uint32_t rate = le32(p + body + 4);
            const int blockAlign = le16(p + body + 12);
            const int bits = le16(p + body + 14);
            if (tag == kExtensible) {
                // The real format is the first two bytes of the sub-format GUID.
                if (chunkSize < 40 || body + 40 > size) {
                    return std::nullopt;
                }
                tag = le16(p + body + 24);
            }
            using F = WavSound::Format;
            if (tag == kPcm && bits == 8) {
                sound.format = F::U8;
            } else if (tag == kPcm && bits == 16) {
                sound.format = F::S16LE;
            } else if (tag == kPcm && bits == 24) {
                sound.format = F::S24LE;
            } else if (tag == kPcm && bits == 32) {
                sound.format = F::S32LE;
            } else if (tag == kFloat && bits == 32) {
                sound.format = F::Float32LE;
            } else if (tag == kALaw && bits == 8) {
                sound.format = F::ALaw;
            } else if (tag == kULaw && bits == 8) {
                sound.format = F::ULaw;
            } else {
                return std::nullopt;
            }
            if (channels < 1 || channels > kMaxChannels || rate < 1 || rate > 384000 ||
                blockAlign != channels * bits / 8) {
                return std::nullopt;
            }
            sound.channels = channels;
            sound.sampleRate = int(rate);
            sound.bytesPerFrame = blockAlign;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                return std::nullopt;
            }
            // A file cut short, or written while streaming with an unknown length,
            // plays what it holds.
            qsizetype length = std::min(chunkSize, size - body);
            length -= length % sound.bytesPerFrame;
            if (length <= 0) {
                return std::nullopt;
            }
            sound.samples = file.mid(body, length);
            return sound;
        }
        pos = body + chunkSize + (chunkSize & 1);  // chunks are padded to even sizes
    }
    return std::nullopt;
}
