#pragma once

#include <sys/types.h>
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Processes of the system-test rig. Every helper program runs under coreutils'
// `timeout`, so even a test binary that crashes leaves nothing running for long.
namespace rig {

using std::chrono::milliseconds;
using std::chrono::seconds;

// The environment handed to a child process.
class Environment {
  public:
    // A copy of this process's environment.
    static Environment inherited();

    void set(const QString& name, const QString& value) { vars_[name] = value; }
    void unset(const QString& name) { vars_.remove(name); }
    QString value(const QString& name) const { return vars_.value(name); }
    bool contains(const QString& name) const { return vars_.contains(name); }
    std::vector<QByteArray> entries() const;  // "NAME=value"

  private:
    QMap<QString, QString> vars_;
};

// Polls `done` every `interval` until it holds or `limit` has passed; returns
// whether it held.
bool waitUntil(const std::function<bool()>& done, milliseconds limit,
               milliseconds interval = milliseconds(20));

// One helper program, started under `timeout` with its output going to two log
// files. The destructor stops it.
class ChildProcess {
  public:
    struct Options {
        QStringList argv;  // program and arguments
        Environment env = Environment::inherited();
        QString logBase;  // output goes to <logBase>.out and <logBase>.err
        seconds hardLimit = seconds(120);
        // Descriptors of this process that the child gets under another number.
        std::vector<std::pair<int, int>> passFds;  // {ours, theirs}
    };

    ChildProcess() = default;
    explicit ChildProcess(const Options& options);  // throws std::runtime_error
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // The exit code (128 + signal for a signal) once the process ended within `limit`.
    std::optional<int> waitForExit(milliseconds limit);
    // SIGTERM to the process group, then SIGKILL after `grace`.
    void stop(milliseconds grace = milliseconds(3000));

    QByteArray standardOutput() const;
    QByteArray standardError() const;
    QString name() const { return name_; }

  private:
    bool reap(bool block);

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
    QString logBase_;
    QString name_;
};

// A short command run to its end (under `timeout`), its output captured.
struct CommandResult {
    int exitCode = -1;  // 124 when it ran out of time
    QByteArray out;
    QByteArray err;
    bool ok() const { return exitCode == 0; }
};
CommandResult runCommand(const QStringList& argv, const Environment& env,
                         seconds limit = seconds(20));

// A variable of this process's own environment, for code under test that runs inside
// the test: set for a while, given back its earlier value (or unset) when this goes.
class ScopedVariable {
  public:
    explicit ScopedVariable(const char* name)
        : name_(name), saved_(qgetenv(name)), wasSet_(qEnvironmentVariableIsSet(name)) {}
    ~ScopedVariable() { wasSet_ ? qputenv(name_, saved_) : qunsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    void set(const QByteArray& value) { qputenv(name_, value); }
    const QByteArray& saved() const { return saved_; }

  private:
    const char* name_;
    QByteArray saved_;
    bool wasSet_;
};

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);  // throws on failure

}  // namespace rig
