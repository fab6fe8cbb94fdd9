// Sounds through a real PulseAudio server with a null sink, and their decoder.
#include <gtest/gtest.h>

#include <sndfile.h>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <thread>
#include <vector>

#include "platform/linux/linux_platform.h"
#include "platform/linux/sound_file.h"
#include "support/rig/services.h"

using rig::SoundServer;
using rig::waitUntil;
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

namespace {

// Writes `frames` frames of a sine tone through the sound file library in the
// given container and encoding; returns the path.
QString encoded(const QString& path, int format, int channels, int frames) {
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    EXPECT_TRUE(file) << path.toStdString() << ": " << sf_strerror(nullptr);
    std::vector<float> samples(std::size_t(frames) * channels);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.5f * float(std::sin(2 * M_PI * 440 * double(i / channels) / 22050));
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    return path;
}

float sampleAt(const DecodedSound& sound, int index) {
    return reinterpret_cast<const float*>(sound.samples.constData())[index];
}

constexpr qsizetype kLimit = 64 * 1024 * 1024;

}  // namespace

TEST(SoundDecoder, ReadsWhateverTheLibraryReadsAsFloatFrames) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        int format, channels;
    };
    const std::vector<Case> cases = {
        {"pcm.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2},
        {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1},
        {"tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1},
        {"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2},
        {"tone.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto sound = decodeSoundFile(
            encoded(dir.filePath(QLatin1String(c.name)), c.format, c.channels, 5000), kLimit);
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->channels, c.channels);
        EXPECT_EQ(sound->sampleRate, 22050);
        EXPECT_EQ(sound->samples.size(), qsizetype(5000 * c.channels * sizeof(float)));
        // A quarter period in: the tone's crest, whatever the codec did to it.
        EXPECT_NEAR(sampleAt(*sound, (22050 / 440 / 4) * c.channels), 0.5f, 0.1f);
    }
    // The old hand-made test tone is still a sound.
    writeFile(dir.filePath("old.wav"), tone(0.1, 440));
    EXPECT_TRUE(decodeSoundFile(dir.filePath("old.wav"), kLimit));
}

TEST(SoundDecoder, CutsLongSoundsAndRejectsWhatIsNoSound) {
    QTemporaryDir dir;
    const QString stereo =
        encoded(dir.filePath("long.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 10000);
    const auto cut = decodeSoundFile(stereo, 1001 * 8 + 3);  // whole frames only
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->samples.size(), 1001 * 8);

    // A file cut short in the middle of its samples plays what it holds.
    QFile whole(stereo);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    writeFile(dir.filePath("short.wav"), whole.read(44 + 4 * 300 + 2));
    const auto rest = decodeSoundFile(dir.filePath("short.wav"), kLimit);
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->samples.size(), 300 * 8);

    writeFile(dir.filePath("text.wav"), "plain text, not a sound");
    writeFile(dir.filePath("empty.wav"), QByteArray());
    writeFile(dir.filePath("header.wav"), whole.seek(0) ? whole.read(44) : QByteArray());
    for (const char* bad : {"text.wav", "empty.wav", "header.wav", "missing.wav"}) {
        EXPECT_FALSE(decodeSoundFile(dir.filePath(bad), kLimit)) << bad;
    }
    EXPECT_FALSE(decodeSoundFile(QString(), kLimit));
}

namespace {

// The backend inside this process plays to the private server.
class Sound : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        home_ = new rig::TestHome();
        server_ = new SoundServer(*home_);
        qputenv("PULSE_SERVER", server_->address());
    }
    static void TearDownTestSuite() {
        delete server_;
        delete home_;
    }
    static QString file(const QString& name, const QByteArray& bytes) {
        const QString path = home_->work(name);
        writeFile(path, bytes);
        return path;
    }
    static inline rig::TestHome* home_ = nullptr;
    static inline SoundServer* server_ = nullptr;
    LinuxPlatform platform_;
};

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
    // The next one is FLAC: any format the decoder reads reaches the server.
    const QString next = encoded(home_->work(QStringLiteral("next.flac")),
                                 SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 4 * 22050);
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
    const QString missing = home_->work(QStringLiteral("missing.wav"));
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
    rig::TestHome home;
    const QString beep = home.work(QStringLiteral("beep.wav"));
    writeFile(beep, tone(2.0, 440));
    qputenv("PULSE_SERVER", "unix:" + home.work(QStringLiteral("none.sock")).toLocal8Bit());
    LinuxPlatform platform;
    platform.playSound(beep);  // no server: nothing happens, nothing is said
    std::this_thread::sleep_for(200ms);

    SoundServer server(home);  // now there is one
    qputenv("PULSE_SERVER", server.address());
    platform.playSound(beep);
    EXPECT_TRUE(waitUntil([&] { return server.playingFiles() == QStringList{beep}; }, 3s));
}
