#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A sound file decoded to interleaved 32-bit float samples in the machine's byte
// order, ready to hand to the sound server.
struct DecodedSound {
    int channels = 0;
    int sampleRate = 0;
    QByteArray samples;  // whole frames only
};

// Decodes any file the sound file library reads (WAV, FLAC, Ogg Vorbis, AIFF...).
// Nothing when the file cannot be opened, is no sound, holds no frame or has a
// layout the sound server cannot play. A very long sound is cut after its first
// `maxBytes` of decoded samples.
std::optional<DecodedSound> decodeSoundFile(const QString& path, qsizetype maxBytes);
