#include "platform/linux/command_start.h"

#include <fcntl.h>
#include <glib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QAbstractEventDispatcher>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace {

bool isExecutableFile(const QFileInfo& f) {
    return f.isFile() && f.isExecutable();
}

// The program a command's first word names, or empty.
QString resolveProgram(const QString& word) {
    if (word.contains(QLatin1Char('/'))) {
        const QFileInfo f(word);
        return isExecutableFile(f) ? f.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(word);
}

// Waits for a started process when it ends, so that it does not stay behind as a
// zombie. A pidfd turns readable when its process ends: the event loop watches it
// and nothing wakes up while the program runs. Without pidfds (kernels before 5.3)
// or without an event loop in this thread, a small thread waits instead.
void reapWhenEnded(pid_t pid) {
    const int pidfd = int(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd >= 0 && QAbstractEventDispatcher::instance()) {
        auto* watch = new QSocketNotifier(pidfd, QSocketNotifier::Read);
        QObject::connect(watch, &QSocketNotifier::activated, watch, [watch, pid, pidfd] {
            watch->setEnabled(false);
            waitpid(pid, nullptr, WNOHANG);
            close(pidfd);
            watch->deleteLater();
        });
        return;
    }
    if (pidfd >= 0) {
        close(pidfd);
    }
    std::thread([pid] {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

// Starts `program` (an absolute path) with `words` as its argument vector (the
// first word included), detached: a session of its own, no controlling terminal,
// standard streams on /dev/null, no other descriptor of ours, default signal
// handling; environment and current folder are ours. posix_spawn clones without
// copying our address space and returns once the program is executing, or with
// the error that kept it from executing. 0 or the errno value.
int spawnDetached(const QString& program, const QStringList& words) {
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> bytes;
    bytes.reserve(std::size_t(words.size()));
    for (const QString& w : words) {
        bytes.push_back(QFile::encodeName(w));
    }
    std::vector<char*> argv;
    for (QByteArray& b : bytes) {
        argv.push_back(b.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // The serial port and the X connection stay ours, even where a library forgot
    // close-on-exec.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    sigdelset(&signals, SIGKILL);
    sigdelset(&signals, SIGSTOP);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, path.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0) {
        reapWhenEnded(pid);
    }
    return error;
}

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

CommandWords splitCommandLine(const QString& commandLine) {
    CommandWords result;
    const QByteArray line = QFile::encodeName(commandLine);
    gchar** argv = nullptr;
    GError* error = nullptr;
    if (!g_shell_parse_argv(line.constData(), nullptr, &argv, &error)) {
        result.failure = error ? QString::fromUtf8(error->message)
                               : QStringLiteral("The command line cannot be split into words.");
        g_clear_error(&error);
        return result;
    }
    for (gchar** word = argv; *word; ++word) {
        result.words << QFile::decodeName(*word);
    }
    g_strfreev(argv);
    return result;
}

// The order: the whole line as an executable file; else its first word as the
// program and the others as its arguments; else the whole line, or its one word,
// as a document for the opener.
bool startCommandLine(const QString& commandLine, QString* failure) {
    const auto fail = [failure](const QString& reason) {
        if (failure) {
            *failure = reason;
        }
        return false;
    };
    const QString line = commandLine.trimmed();
    if (line.isEmpty()) {
        return fail(QStringLiteral("The command line is empty."));
    }
    // A file that cannot be executed although marked so (a document with the
    // executable bit, say) is opened as a document.
    const QFileInfo whole(line);
    if (isExecutableFile(whole) && spawnDetached(whole.absoluteFilePath(), {line}) == 0) {
        return true;
    }
    const CommandWords split = splitCommandLine(line);
    QString reason = split.failure;
    if (!split.words.isEmpty()) {
        const QString program = resolveProgram(split.words.first());
        if (program.isEmpty()) {
            reason = QStringLiteral("No program %1 was found.").arg(split.words.first());
        } else if (const int error = spawnDetached(program, split.words)) {
            reason = QStringLiteral("%1: %2").arg(program, errorText(error));
        } else {
            return true;
        }
    }
    QString document;
    if (whole.isFile()) {
        document = whole.absoluteFilePath();
    } else if (split.words.size() == 1 && QFileInfo(split.words.first()).isFile()) {
        document = QFileInfo(split.words.first()).absoluteFilePath();
    }
    if (document.isEmpty()) {
        return fail(reason);
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return fail(QStringLiteral("Documents are opened with xdg-open, which was not found."));
    }
    if (const int error = spawnDetached(opener, {QStringLiteral("xdg-open"), document})) {
        return fail(QStringLiteral("%1: %2").arg(opener, errorText(error)));
    }
    return true;
}
