#include "support/rig/process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace rig {

namespace {

// argv and envp as the C arrays posix_spawn wants; the byte arrays own the text.
struct CStrings {
    std::vector<QByteArray> storage;
    std::vector<char*> pointers;

    explicit CStrings(std::vector<QByteArray> strings) : storage(std::move(strings)) {
        for (QByteArray& s : storage) {
            pointers.push_back(s.data());
        }
        pointers.push_back(nullptr);
    }
};

QStringList underTimeout(const QStringList& argv, seconds limit) {
    // A long benchmark raises every helper's limit through the environment.
    bool given = false;
    const int atLeast = qEnvironmentVariableIntValue("QUENDA_RIG_MIN_LIFETIME", &given);
    if (given && atLeast > limit.count()) {
        limit = seconds(atLeast);
    }
    // --kill-after: a program that ignores SIGTERM still goes.
    QStringList wrapped{QStringLiteral("timeout"), QStringLiteral("--kill-after=3"),
                        QString::number(limit.count())};
    wrapped += argv;
    return wrapped;
}

std::vector<QByteArray> toBytes(const QStringList& list) {
    std::vector<QByteArray> out;
    for (const QString& s : list) {
        out.push_back(s.toLocal8Bit());
    }
    return out;
}

pid_t spawn(const QStringList& argv, const Environment& env, posix_spawn_file_actions_t* actions) {
    CStrings args(toBytes(argv));
    CStrings envp(env.entries());
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, args.pointers[0], actions, nullptr, args.pointers.data(),
                                envp.pointers.data());
    if (rc != 0) {
        throw std::runtime_error("cannot start " + argv.join(' ').toStdString() + ": " +
                                 std::strerror(rc));
    }
    return pid;
}

int decodeStatus(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return -1;
}

}  // namespace

Environment Environment::inherited() {
    Environment env;
    for (char** e = environ; e && *e; ++e) {
        const QString entry = QString::fromLocal8Bit(*e);
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        if (eq > 0) {
            env.vars_[entry.left(eq)] = entry.mid(eq + 1);
        }
    }
    return env;
}

std::vector<QByteArray> Environment::entries() const {
    std::vector<QByteArray> out;
    for (auto it = vars_.cbegin(); it != vars_.cend(); ++it) {
        out.push_back((it.key() + QLatin1Char('=') + it.value()).toLocal8Bit());
    }
    return out;
}

bool waitUntil(const std::function<bool()>& done, milliseconds limit, milliseconds interval) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
}

ChildProcess::ChildProcess(const Options& options)
    : logBase_(options.logBase), name_(options.argv.value(0)) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray out = (options.logBase + QStringLiteral(".out")).toLocal8Bit();
    const QByteArray err = (options.logBase + QStringLiteral(".err")).toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    for (const auto& [ours, theirs] : options.passFds) {
        posix_spawn_file_actions_adddup2(&actions, ours, theirs);
    }
    try {
        pid_ = spawn(underTimeout(options.argv, options.hardLimit), options.env, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        throw;
    }
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    stop();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept {
    *this = std::move(other);
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        stop();
        pid_ = std::exchange(other.pid_, -1);
        exitCode_ = std::exchange(other.exitCode_, std::nullopt);
        logBase_ = other.logBase_;
        name_ = other.name_;
    }
    return *this;
}

bool ChildProcess::reap(bool block) {
    if (pid_ <= 0 || exitCode_) {
        return true;
    }
    int status = 0;
    const pid_t r = waitpid(pid_, &status, block ? 0 : WNOHANG);
    if (r == pid_) {
        exitCode_ = decodeStatus(status);
        return true;
    }
    if (r < 0 && errno == ECHILD) {
        exitCode_ = -1;
        return true;
    }
    return false;
}

bool ChildProcess::running() {
    return pid_ > 0 && !reap(false);
}

std::optional<int> ChildProcess::waitForExit(milliseconds limit) {
    if (pid_ <= 0) {
        return std::nullopt;
    }
    waitUntil([this] { return reap(false); }, limit, milliseconds(5));
    return exitCode_;
}

void ChildProcess::stop(milliseconds grace) {
    if (pid_ <= 0 || reap(false)) {
        return;
    }
    // `timeout` forwards SIGTERM to the program and to its process group.
    kill(pid_, SIGTERM);
    if (!waitForExit(grace)) {
        kill(-pid_, SIGKILL);  // timeout leads its own process group
        kill(pid_, SIGKILL);
        reap(true);
    }
}

QByteArray ChildProcess::standardOutput() const {
    return readFile(logBase_ + QStringLiteral(".out"));
}

QByteArray ChildProcess::standardError() const {
    return readFile(logBase_ + QStringLiteral(".err"));
}

CommandResult runCommand(const QStringList& argv, const Environment& env, seconds limit) {
    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    pid_t pid = -1;
    try {
        pid = spawn(underTimeout(argv, limit), env, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) {
            close(fd);
        }
        throw;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);

    // `timeout` bounds the run, so reading to the end of both pipes terminates.
    CommandResult result;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    QByteArray* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, n);
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& p : fds) {
        if (p.fd >= 0) {
            close(p.fd);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = decodeStatus(status);
    return result;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

}  // namespace rig
