#pragma once

#include <QByteArray>
#include <optional>

// The samples of a RIFF WAVE file, ready to hand to the sound server.
struct WavSound {
    enum class Format { U8, S16LE, S24LE, S32LE, Float32LE, ALaw, ULaw };
    Format format = Format::S16LE;
    int channels = 0;
    int sampleRate = 0;
    int bytesPerFrame = 0;
    QByteArray samples;  // whole frames only
};

// Reads a WAVE file's format and sample data; nothing when the bytes are not a
// WAVE file in one of the formats above or hold no sound.
std::optional<WavSound> parseWav(const QByteArray& file);
