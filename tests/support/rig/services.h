#pragma once

#include <sys/types.h>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "support/rig/desktop.h"
#include "support/rig/process.h"

// The system services a system test may give the program, each private to the test:
// a sound server and a system bus with a mock of the login manager. A test that
// starts neither still never reaches the machine's own: the home's environment
// points the system bus at a socket that does not exist.
namespace rig {

// PulseAudio on a private socket with a null sink as its default output.
class SoundServer {
  public:
    static constexpr const char* kSink = "quenda_null";
    // `channels` 1 makes a mono sink.
    explicit SoundServer(TestHome& home, int channels = 2);
    ~SoundServer();

    // Points a client (the program) at this server; a client inside the test process
    // gets `address()` as its PULSE_SERVER.
    void applyTo(Environment& env) const;
    QByteArray address() const { return env_.value(QStringLiteral("PULSE_SERVER")).toLocal8Bit(); }
    // The process group of the server (and the `timeout` above it), to stop it.
    pid_t pid() const { return server_.pid(); }

    // pactl with these arguments, against this server.
    CommandResult pactl(const QStringList& arguments) const;
    // The raw volume of each channel of the sink, as pactl reports it; empty when
    // it cannot be read.
    std::vector<int> sinkVolume(const QString& sink = QLatin1String(kSink)) const;
    // pactl set-sink-volume with one value per channel ("80%", "30000").
    bool setSinkVolume(const QStringList& values) const;
    // The media.filename of each stream playing on the server now ("" for a stream
    // without one).
    QStringList playingFiles() const;
    // Records the sink's monitor while `action` runs, for `length` in all, and returns
    // the largest absolute sample value (16-bit mono).
    int loudestSampleWhile(const std::function<void()>& action, milliseconds length);

  private:
    TestHome& home_;
    Environment env_;
    ChildProcess server_;
};

// A private D-Bus daemon standing in for the system bus, with the python dbusmock
// template of logind on it, logging every call it receives.
class SystemBus {
  public:
    explicit SystemBus(TestHome& home);
    ~SystemBus();

    // Points a client (the program) at this bus.
    void applyTo(Environment& env) const;
    QString address() const { return address_; }
    // The calls logind received, "PowerOff False", in order.
    QStringList logindCalls() const;
    // From now on logind answers `method` with the error `name` and `message`.
    bool refuse(const QString& method, const QString& name, const QString& message) const;

  private:
    QString address_;
    QString logPath_;
    Environment env_;
    ChildProcess daemon_;
    ChildProcess logind_;
};

}  // namespace rig
