// Sounds through a real PulseAudio server with a null sink, and the WAVE reader.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <thread>

#include "platform/linux/linux_platform.h"
#include "platform/linux/wav_file.h"
#include "session.h"

using namespace backend_test;
using namespace std::chrono_literals;

namespace {

void put16(QByteArray& b, int v) {
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}
void put32(QByteArray& b, quint32 v) {
    for (int i = 0; i < 4; ++i) {
        b.append(char((v >> (8 * i)) & 0xff));
    }
}

// A RIFF WAVE file: `fmt` is the format chunk's body, `extra` goes between the
// format and the data chunk, `dataSizeField` overrides the data chunk's size field.
QByteArray wave(const QByteArray& fmt, const QByteArray& data, const QByteArray& extra = {},
                qint64 dataSizeField = -1) {
    QByteArray body = "WAVE";
    body += "fmt ";
    put32(body, quint32(fmt.size()));
    body += fmt;
    body += extra;
    body += "data";
    put32(body, quint32(dataSizeField >= 0 ? dataSizeField : data.size()));
    body += data;
    QByteArray file = "RIFF";
    put32(file, quint32(body.size()));
    return file + body;
}

QByteArray formatChunk(int tag, int channels, int rate, int bits) {
    QByteArray f;
    put16(f, tag);
    put16(f, channels);
    put32(f, quint32(rate));
    put32(f, quint32(rate * channels * bits / 8));
    put16(f, channels * bits / 8);
    put16(f, bits);
    return f;
}

// A 16-bit mono sine tone.
QByteArray tone(double seconds, double frequency, int rate = 22050) {
    QByteArray samples;
    const int n = int(seconds * rate);
    for (int i = 0; i < n; ++i) {
        put16(samples, int(12000 * std::sin(2 * M_PI * frequency * i / rate)));
    }
    return wave(formatChunk(1, 1, rate, 16), samples);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(WaveReader, ReadsTheFormatsTheSoundServerTakes) {
    const QByteArray frames("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c", 12);

    auto s16 = parseWav(wave(formatChunk(1, 2, 44100, 16), frames));
    ASSERT_TRUE(s16);
    EXPECT_EQ(s16->format, WavSound::Format::S16LE);
    EXPECT_EQ(s16->channels, 2);
    EXPECT_EQ(s16->sampleRate, 44100);
    EXPECT_EQ(s16->samples, frames);

    EXPECT_EQ(parseWav(wave(formatChunk(1, 1, 8000, 8), frames))->format, WavSound::Format::U8);
    EXPECT_EQ(parseWav(wave(formatChunk(1, 2, 48000, 24), frames))->format,
              WavSound::Format::S24LE);
    EXPECT_EQ(parseWav(wave(formatChunk(7, 1, 8000, 8), frames))->format, WavSound::Format::ULaw);

    // WAVE_FORMAT_EXTENSIBLE names the real format in its sub-format; here float.
    QByteArray ext = formatChunk(0xFFFE, 1, 48000, 32);
    put16(ext, 22);
    put16(ext, 32);
    put32(ext, 4);
    put16(ext, 3);  // the first two bytes of the sub-format GUID
    ext += QByteArray(14, '\0');
    auto f32 = parseWav(wave(ext, frames));
    ASSERT_TRUE(f32);
    EXPECT_EQ(f32->format, WavSound::Format::Float32LE);

    // Chunks in between are passed over, odd sizes with their pad byte.
    QByteArray list = "LIST";
    put32(list, 3);
    list += QByteArray("abc\0", 4);
    EXPECT_EQ(parseWav(wave(formatChunk(1, 2, 44100, 16), frames, list))->samples, frames);
}

TEST(WaveReader, PlaysWhatACutFileHoldsAndRejectsWhatIsNoSound) {
    const QByteArray fmt = formatChunk(1, 2, 44100, 16);  // 4 bytes a frame
    // The size field promises more than the file holds: whole frames of the rest.
    auto cut = parseWav(wave(fmt, QByteArray(10, 'x'), {}, 1000));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->samples.size(), 8);

    EXPECT_FALSE(parseWav(QByteArray("plain text, not a sound")));
    EXPECT_FALSE(parseWav(QByteArray()));
    EXPECT_FALSE(parseWav(wave(fmt, QByteArray())));                         // no samples
    EXPECT_FALSE(parseWav(wave(fmt, QByteArray(3, 'x'))));                   // not one frame
    EXPECT_FALSE(parseWav(wave(formatChunk(3, 1, 44100, 64), "12345678")));  // double
    EXPECT_FALSE(parseWav(wave(formatChunk(1, 0, 44100, 16), "1234")));      // no channels
    EXPECT_FALSE(parseWav(wave(formatChunk(1, 2, 0, 16), "1234")));          // no rate
    QByteArray dataFirst = "RIFF";
    put32(dataFirst, 16);
    dataFirst += "WAVEdata";
    put32(dataFirst, 4);
    dataFirst += "1234";
    EXPECT_FALSE(parseWav(dataFirst));  // samples before their format
}

namespace {

class Sound : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir();
        server_ = new SoundServer(dir_->path());
    }
    static void TearDownTestSuite() {
        delete server_;
        delete dir_;
    }
    static QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir_->filePath(name);
        writeFile(path, bytes);
        return path;
    }
    static QTemporaryDir* dir_;
    static SoundServer* server_;
    LinuxPlatform platform_;
};
QTemporaryDir* Sound::dir_ = nullptr;
SoundServer* Sound::server_ = nullptr;

}  // namespace

TEST_F(Sound, ReachesTheSinkAndEndsWhenPlayedOut) {
    const QString beep = file(QStringLiteral("beep.wav"), tone(1.0, 440));
    int loudest = server_->loudestSampleWhile(
        [&] {
            QElapsedTimer t;
            t.start();
            platform_.playSound(beep);
            EXPECT_LT(t.elapsed(), 200);  // it does not wait for the sound
            EXPECT_TRUE(
                waitUntil([&] { return server_->playingFiles() == QStringList{beep}; }, 3s));
        },
        4000ms);  // the null sink hands its monitor data over in large blocks
    EXPECT_GT(loudest, 3000);
    // Played out, the stream leaves the server.
    EXPECT_TRUE(waitUntil([&] { return server_->playingFiles().isEmpty(); }, 3s));
}

TEST_F(Sound, ANewSoundReplacesTheOnePlaying) {
    const QString longOne = file(QStringLiteral("long.wav"), tone(4.0, 440));
    const QString next = file(QStringLiteral("next.wav"), tone(4.0, 660));
    platform_.playSound(longOne);
    ASSERT_TRUE(waitUntil([&] { return server_->playingFiles() == QStringList{longOne}; }, 3s));
    platform_.playSound(next);
    ASSERT_TRUE(waitUntil([&] { return server_->playingFiles() == QStringList{next}; }, 3s));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(server_->playingFiles(), QStringList{next});

    // Right after one another, while the server is still setting up the streams:
    // still one sound at the end.
    platform_.playSound(longOne);
    platform_.playSound(next);
    platform_.playSound(longOne);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(server_->playingFiles(), QStringList{longOne});
}

TEST_F(Sound, NamesThatCannotBePlayedGiveTheDefaultSoundAndAnEmptyNameEndsTheSound) {
    const QString longOne = file(QStringLiteral("long.wav"), tone(4.0, 440));
    const QString text = file(QStringLiteral("text.wav"), "not a sound at all");
    const QString missing = dir_->filePath(QStringLiteral("missing.wav"));
    QStringList defaults;
    for (const QString& bad : {missing, text}) {
        platform_.playSound(longOne);
        ASSERT_TRUE(waitUntil([&] { return server_->playingFiles() == QStringList{longOne}; }, 3s));
        int loudest = server_->loudestSampleWhile(
            [&] {
                platform_.playSound(bad);
                EXPECT_TRUE(waitUntil(
                    [&] {
                        const QStringList playing = server_->playingFiles();
                        if (playing.size() == 1 && playing[0] != longOne && playing[0] != bad) {
                            defaults << playing[0];
                            return true;
                        }
                        return false;
                    },
                    3s))
                    << bad.toStdString();
            },
            1500ms);
        EXPECT_GT(loudest, 1000) << bad.toStdString();
        // The default sound is short and ends by itself.
        EXPECT_TRUE(waitUntil([&] { return server_->playingFiles().isEmpty(); }, 3s));
    }
    ASSERT_EQ(defaults.size(), 2);
    EXPECT_EQ(defaults[0], defaults[1]);

    // An empty name stands for no sound: it ends the one playing, nothing else.
    platform_.playSound(longOne);
    ASSERT_TRUE(waitUntil([&] { return server_->playingFiles() == QStringList{longOne}; }, 3s));
    platform_.playSound(QString());
    EXPECT_TRUE(waitUntil([&] { return server_->playingFiles().isEmpty(); }, 3s));
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(server_->playingFiles().isEmpty());
}

TEST(SoundWithoutServer, IsSilentAndComesBackWithTheServer) {
    QTemporaryDir dir;
    const QString beep = dir.filePath(QStringLiteral("beep.wav"));
    writeFile(beep, tone(2.0, 440));
    qputenv("PULSE_SERVER", "unix:" + dir.filePath(QStringLiteral("none.sock")).toLocal8Bit());
    LinuxPlatform platform;
    platform.playSound(beep);  // no server: nothing happens, nothing is said
    std::this_thread::sleep_for(200ms);

    SoundServer server(dir.path());  // now there is one
    platform.playSound(beep);
    EXPECT_TRUE(waitUntil([&] { return server.playingFiles() == QStringList{beep}; }, 3s));
}
