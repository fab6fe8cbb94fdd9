#include "support/rig/services.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace rig {

SoundServer::SoundServer(TestHome& home, int channels) : home_(home), env_(home.environment()) {
    const QString socket = home.runtimeDir() + QStringLiteral("/pulse.sock");
    ChildProcess::Options options;
    options.argv = {
        QStringLiteral("pulseaudio"),
        QStringLiteral("-n"),
        QStringLiteral("--daemonize=no"),
        QStringLiteral("--exit-idle-time=-1"),
        QStringLiteral("--use-pid-file=no"),
        QStringLiteral("--disable-shm=yes"),
        QStringLiteral("--log-target=stderr"),
        QStringLiteral("-L"),
        QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket),
        QStringLiteral("-L"),
        QStringLiteral("module-null-sink sink_name=%1 channels=%2")
            .arg(QLatin1String(kSink))
            .arg(channels)};
    options.env = env_;
    options.logBase = home.nextLogBase(QStringLiteral("pulseaudio"));
    server_ = ChildProcess(options);
    env_.set(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket);
    const bool ready = waitUntil(
        [&] {
            return runCommand({QStringLiteral("pactl"), QStringLiteral("info")}, env_).ok();
        },
        milliseconds(15000), milliseconds(100));
    if (!ready) {
        throw std::runtime_error("pulseaudio did not start");
    }
    runCommand({QStringLiteral("pactl"), QStringLiteral("set-default-sink"), QLatin1String(kSink)},
               env_);
}

SoundServer::~SoundServer() = default;

void SoundServer::applyTo(Environment& env) const {
    env.set(QStringLiteral("PULSE_SERVER"), env_.value(QStringLiteral("PULSE_SERVER")));
}

CommandResult SoundServer::pactl(const QStringList& arguments) const {
    return runCommand(QStringList{QStringLiteral("pactl")} + arguments, env_);
}

std::vector<int> SoundServer::sinkVolume(const QString& sink) const {
    const CommandResult r = pactl({QStringLiteral("get-sink-volume"), sink});
    std::vector<int> values;
    static const QRegularExpression channel(QStringLiteral("[\\w-]+: (\\d+) /"));
    auto it = channel.globalMatch(QString::fromUtf8(r.out));
    while (it.hasNext()) {
        values.push_back(it.next().captured(1).toInt());
    }
    return values;
}

bool SoundServer::setSinkVolume(const QStringList& values) const {
    return pactl(QStringList{QStringLiteral("set-sink-volume"), QLatin1String(kSink)} + values)
        .ok();
}

QStringList SoundServer::playingFiles() const {
    const QByteArray out = pactl({QStringLiteral("list"), QStringLiteral("sink-inputs")}).out;
    QStringList files;
    static const QRegularExpression re(QStringLiteral("media\\.filename = \"([^\"]*)\""));
    auto it = re.globalMatch(QString::fromUtf8(out));
    while (it.hasNext()) {
        files << it.next().captured(1);
    }
    const int streams = int(out.count("Sink Input #"));
    while (files.size() < streams) {
        files << QString();
    }
    return files;
}

int SoundServer::loudestSampleWhile(const std::function<void()>& action, milliseconds length) {
    // parec's raw samples go to its standard output; `timeout` ends it after `length`.
    ChildProcess::Options options;
    options.argv = {QStringLiteral("parec"),
                    QStringLiteral("-d"),
                    QStringLiteral("%1.monitor").arg(QLatin1String(kSink)),
                    QStringLiteral("--raw"),
                    QStringLiteral("--format=s16le"),
                    QStringLiteral("--channels=1"),
                    QStringLiteral("--rate=8000"),
                    QStringLiteral("--latency-msec=20")};
    options.env = env_;
    options.logBase = home_.nextLogBase(QStringLiteral("parec"));
    options.hardLimit = std::chrono::ceil<seconds>(length);
    ChildProcess recorder(options);
    std::this_thread::sleep_for(milliseconds(300));  // the recording stream is up
    action();
    recorder.waitForExit(length + milliseconds(5000));
    const QByteArray bytes = recorder.standardOutput();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = qint16(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8);
        loudest = std::max(loudest, std::abs(int(sample)));
    }
    return loudest;
}

SystemBus::SystemBus(TestHome& home) : env_(home.environment()) {
    const QString socket = home.runtimeDir() + QStringLiteral("/system_bus_socket");
    address_ = QStringLiteral("unix:path=") + socket;
    logPath_ = home.logDir() + QStringLiteral("/logind-calls.log");
    ChildProcess::Options bus;
    bus.argv = {QStringLiteral("dbus-daemon"), QStringLiteral("--session"),
                QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                QStringLiteral("--address=") + address_};
    bus.env = env_;
    bus.logBase = home.nextLogBase(QStringLiteral("dbus-daemon"));
    daemon_ = ChildProcess(bus);
    if (!waitUntil([&] { return QFileInfo::exists(socket); }, milliseconds(10000))) {
        throw std::runtime_error("the private system bus did not start");
    }
    env_.set(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address_);

    ChildProcess::Options mock;
    mock.argv = {QStringLiteral("/usr/bin/python3"),
                 QStringLiteral("-m"),
                 QStringLiteral("dbusmock"),
                 QStringLiteral("--system"),
                 QStringLiteral("-t"),
                 QStringLiteral("logind"),
                 QStringLiteral("-l"),
                 logPath_};
    mock.env = env_;
    mock.logBase = home.nextLogBase(QStringLiteral("logind-mock"));
    logind_ = ChildProcess(mock);
    const bool ready = waitUntil(
        [&] {
            return runCommand({QStringLiteral("dbus-send"), QStringLiteral("--system"),
                               QStringLiteral("--print-reply"),
                               QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/"),
                               QStringLiteral("org.freedesktop.DBus.GetNameOwner"),
                               QStringLiteral("string:org.freedesktop.login1")},
                              env_)
                .ok();
        },
        milliseconds(15000), milliseconds(100));
    if (!ready) {
        throw std::runtime_error("the logind mock did not start");
    }
}

SystemBus::~SystemBus() = default;

void SystemBus::applyTo(Environment& env) const {
    env.set(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address_);
}

QStringList SystemBus::logindCalls() const {
    QStringList calls;
    const QString log = QString::fromUtf8(readFile(logPath_));
    for (const QString& line : log.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // "<seconds since the epoch> Method args"
        const int blank = line.indexOf(QLatin1Char(' '));
        calls << line.mid(blank + 1).trimmed();
    }
    return calls;
}

bool SystemBus::refuse(const QString& method, const QString& name, const QString& message) const {
    const QString code =
        QStringLiteral("raise dbus.exceptions.DBusException('%1', name='%2')").arg(message, name);
    return runCommand(
               {QStringLiteral("dbus-send"), QStringLiteral("--system"),
                QStringLiteral("--print-reply"), QStringLiteral("--dest=org.freedesktop.login1"),
                QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.DBus.Mock.AddMethod"),
                QStringLiteral("string:org.freedesktop.login1.Manager"),
                QStringLiteral("string:") + method, QStringLiteral("string:b"),
                QStringLiteral("string:"), QStringLiteral("string:") + code},
               env_)
        .ok();
}

}  // namespace rig
