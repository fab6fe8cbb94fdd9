#include "session.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace backend_test {

bool waitUntil(const std::function<bool()>& done, milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(20));
    }
}

Child::Child(const Options& o) {
    // Everything the child needs is prepared before fork: after it, only calls
    // that are safe in a child of a threaded process.
    std::vector<QByteArray> args{"/usr/bin/timeout", "-k", "5", QByteArray::number(o.limitSeconds)};
    for (const QString& a : o.argv) {
        args.push_back(a.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    std::vector<QByteArray> envStore;
    for (char** e = environ; *e; ++e) {
        const QByteArray entry(*e);
        if (!o.env.contains(QString::fromLocal8Bit(entry.left(entry.indexOf('='))))) {
            envStore.push_back(entry);
        }
    }
    for (auto it = o.env.begin(); it != o.env.end(); ++it) {
        envStore.push_back((it.key() + QLatin1Char('=') + it.value()).toLocal8Bit());
    }
    std::vector<char*> envp;
    for (QByteArray& e : envStore) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    const int log =
        open(o.logPath.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (log < 0 || devNull < 0) {
        throw std::runtime_error("cannot open " + o.logPath.toStdString());
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(devNull, 0);
        dup2(log, 1);
        dup2(log, 2);
        if (o.passFd >= 0) {
            if (o.passFd == 3) {
                fcntl(3, F_SETFD, 0);
            } else {
                dup2(o.passFd, 3);
            }
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(log);
    close(devNull);
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
}

Child::~Child() {
    stop();
}

bool Child::running() {
    if (pid_ <= 0 || reaped_) {
        return false;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        reaped_ = true;
        return false;
    }
    return true;
}

void Child::stop() {
    if (!running()) {
        return;
    }
    // timeout leads its own process group, which holds the helper: both go.
    if (kill(-pid_, SIGTERM) != 0) {
        kill(pid_, SIGTERM);
    }
    if (!waitUntil([this] { return !running(); }, milliseconds(3000))) {
        kill(-pid_, SIGKILL);
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        reaped_ = true;
    }
}

CommandResult run(const QStringList& argv, int limitSeconds) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QStringLiteral("/usr/bin/timeout"),
            QStringList{QStringLiteral("-k"), QStringLiteral("2"), QString::number(limitSeconds)} +
                argv);
    CommandResult r;
    if (!p.waitForFinished((limitSeconds + 5) * 1000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    return r;
}

XDesktop::XDesktop(const QString& dir, bool windowManager) {
    // Xvfb picks a free display number and writes it to the pipe once it accepts
    // connections.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    server_ = std::make_unique<Child>(Child::Options{
        {QStringLiteral("Xvfb"), QStringLiteral("-displayfd"), QStringLiteral("3"),
         QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x800x24"),
         QStringLiteral("-nolisten"), QStringLiteral("tcp")},
        dir + QStringLiteral("/xvfb.log"),
        {},
        fds[1]});
    close(fds[1]);
    QByteArray number;
    pollfd pfd{fds[0], POLLIN, 0};
    while (!number.endsWith('\n') && poll(&pfd, 1, 10000) > 0) {
        char buf[16];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        number.append(buf, n);
    }
    close(fds[0]);
    if (number.trimmed().isEmpty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    qputenv("DISPLAY", display_.toLocal8Bit());

    if (windowManager) {
        windowManager_ = std::make_unique<Child>(
            Child::Options{{QStringLiteral("matchbox-window-manager"),
                            QStringLiteral("-use_titlebar"), QStringLiteral("yes")},
                           dir + QStringLiteral("/matchbox.log"),
                           {{QStringLiteral("DISPLAY"), display_}}});
        // Ready once it names itself on the root window.
        Display* d = XOpenDisplay(display_.toLocal8Bit().constData());
        if (!d) {
            throw std::runtime_error("cannot reach Xvfb");
        }
        const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
        const bool ready = waitUntil(
            [&] {
                Atom type = None;
                int format = 0;
                unsigned long count = 0, after = 0;
                unsigned char* data = nullptr;
                XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, AnyPropertyType,
                                   &type, &format, &count, &after, &data);
                if (data) {
                    XFree(data);
                }
                return count == 1;
            },
            milliseconds(10000));
        XCloseDisplay(d);
        if (!ready) {
            throw std::runtime_error("matchbox-window-manager did not start");
        }
    }
}

XDesktop::~XDesktop() {
    windowManager_.reset();
    server_.reset();
}

SoundServer::SoundServer(const QString& dir) : dir_(dir) {
    const QString socket = dir + QStringLiteral("/pulse.sock");
    server_ = std::make_unique<Child>(Child::Options{
        {QStringLiteral("pulseaudio"), QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
         QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
         QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-target=stderr"),
         QStringLiteral("-L"),
         QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket),
         QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=%1").arg(kSink)},
        dir + QStringLiteral("/pulseaudio.log"),
        {{QStringLiteral("HOME"), dir},
         {QStringLiteral("XDG_RUNTIME_DIR"), dir},
         {QStringLiteral("XDG_CONFIG_HOME"), dir},
         {QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:")}}});
    qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
    if (!waitUntil(
            [] {
                return run({QStringLiteral("pactl"), QStringLiteral("info")}).exitCode == 0;
            },
            milliseconds(10000))) {
        throw std::runtime_error("pulseaudio did not start");
    }
}

SoundServer::~SoundServer() {
    server_.reset();
}

QStringList SoundServer::playingFiles() {
    const QByteArray out =
        run({QStringLiteral("pactl"), QStringLiteral("list"), QStringLiteral("sink-inputs")}).out;
    QStringList files;
    static const QRegularExpression re(QStringLiteral("media\\.filename = \"([^\"]*)\""));
    auto it = re.globalMatch(QString::fromUtf8(out));
    while (it.hasNext()) {
        files << it.next().captured(1);
    }
    // A stream without a file name counts too.
    const int streams = int(out.count("Sink Input #"));
    while (files.size() < streams) {
        files << QString();
    }
    return files;
}

int SoundServer::loudestSampleWhile(const std::function<void()>& action, milliseconds length) {
    const QString raw = dir_ + QStringLiteral("/monitor.raw");
    QFile::remove(raw);
    const int seconds = int((length.count() + 999) / 1000);
    QProcess rec;
    rec.setStandardOutputFile(raw);
    rec.start(QStringLiteral("/usr/bin/timeout"),
              {QString::number(seconds), QStringLiteral("parec"), QStringLiteral("-d"),
               QStringLiteral("%1.monitor").arg(kSink), QStringLiteral("--raw"),
               QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
               QStringLiteral("--rate=8000"), QStringLiteral("--latency-msec=20")});
    rec.waitForStarted();
    std::this_thread::sleep_for(milliseconds(300));  // the recording stream is up
    action();
    rec.waitForFinished(seconds * 1000 + 5000);
    QFile f(raw);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = qint16(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8);
        loudest = std::max(loudest, std::abs(int(sample)));
    }
    return loudest;
}

Witness::Witness(const QString& logPath, const QStringList& titles, const QStringList& options)
    : logPath_(logPath) {
    QStringList argv{QStringLiteral(QUENDA_WITNESS), QStringLiteral("--log"), logPath};
    for (const QString& t : titles) {
        argv << QStringLiteral("--title") << t;
    }
    argv << options;
    child_ = std::make_unique<Child>(Child::Options{argv, logPath + QStringLiteral(".err"), {}});
    if (!waitFor(QStringLiteral("ready"))) {
        throw std::runtime_error("the witness did not map its windows");
    }
}

Witness::~Witness() {
    child_->stop();
}

QStringList Witness::lines() const {
    QFile f(logPath_);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool Witness::waitFor(const QString& line, milliseconds limit) const {
    return waitUntil([&] { return lines().contains(line); }, limit);
}

namespace {

ToolView parseXwininfo(const QByteArray& out) {
    ToolView v;
    const QString text = QString::fromUtf8(out);
    auto field = [&](const char* label) {
        const QRegularExpression re(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(label)));
        return re.match(text).captured(1).toInt();
    };
    const QRegularExpression idRe(QStringLiteral("Window id: (0x[0-9a-f]+)"));
    v.id = idRe.match(text).captured(1).toULong(nullptr, 16);
    v.x = field("Absolute upper-left X");
    v.y = field("Absolute upper-left Y");
    v.width = field("Width");
    v.height = field("Height");
    v.viewable = text.contains(QStringLiteral("Map State: IsViewable"));
    return v;
}

}  // namespace

ToolView xwininfoByName(const QString& name) {
    return parseXwininfo(run({QStringLiteral("xwininfo"), QStringLiteral("-name"), name}).out);
}

ToolView xwininfoById(unsigned long id) {
    return parseXwininfo(
        run({QStringLiteral("xwininfo"), QStringLiteral("-id"), QString::number(id)}).out);
}

QList<unsigned long> rootChildrenTopFirst() {
    const QString text = QString::fromUtf8(
        run({QStringLiteral("xwininfo"), QStringLiteral("-root"), QStringLiteral("-children")})
            .out);
    QList<unsigned long> ids;
    static const QRegularExpression re(QStringLiteral("^\\s+(0x[0-9a-f]+) "),
                                       QRegularExpression::MultilineOption);
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        ids << it.next().captured(1).toULong(nullptr, 16);
    }
    return ids;
}

unsigned long frameOf(unsigned long window) {
    static const QRegularExpression rootRe(QStringLiteral("Root window id: (0x[0-9a-f]+)"));
    static const QRegularExpression parentRe(QStringLiteral("Parent window id: (0x[0-9a-f]+)"));
    unsigned long w = window;
    for (int depth = 0; depth < 16; ++depth) {
        const QString text =
            QString::fromUtf8(run({QStringLiteral("xwininfo"), QStringLiteral("-tree"),
                                   QStringLiteral("-id"), QString::number(w)})
                                  .out);
        const unsigned long root = rootRe.match(text).captured(1).toULong(nullptr, 16);
        const unsigned long parent = parentRe.match(text).captured(1).toULong(nullptr, 16);
        if (parent == 0 || parent == root) {
            return w;
        }
        w = parent;
    }
    return 0;
}

QString wmState(unsigned long window) {
    const QString text =
        QString::fromUtf8(run({QStringLiteral("xprop"), QStringLiteral("-id"),
                               QString::number(window), QStringLiteral("WM_STATE")})
                              .out);
    static const QRegularExpression re(QStringLiteral("window state: (\\w+)"));
    return re.match(text).captured(1);
}

}  // namespace backend_test
