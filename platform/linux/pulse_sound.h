#pragma once

#include <QString>
#include <memory>

// Plays sound files (any format the sound file library decodes) on the sound
// server's default output, one at a time.
//
// play() reads the file and returns; the sound plays on in the sound server's
// client thread. A new sound, or a name that cannot be played, ends the sound
// still playing. Failures (no server, no such file, not a sound) are silent.
// The connection to the server is made on first use and made again after it was
// lost.
class PulseSoundPlayer {
  public:
    PulseSoundPlayer();
    ~PulseSoundPlayer();
    PulseSoundPlayer(const PulseSoundPlayer&) = delete;
    PulseSoundPlayer& operator=(const PulseSoundPlayer&) = delete;

    // False when the file could not be read as a sound (the one playing has ended
    // all the same).
    bool play(const QString& path);
    void stop();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
