#pragma once

#include <sys/types.h>
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <memory>

// A private desktop for the backend's system tests: an X server (Xvfb) with or
// without a window manager, a PulseAudio server with a null sink, and the witness
// client. Every helper runs under coreutils' timeout, is polled until it answers,
// and is stopped by its process id.
namespace backend_test {

using std::chrono::milliseconds;

// Polls `done` until it holds or `limit` has passed; returns whether it held.
bool waitUntil(const std::function<bool()>& done, milliseconds limit);

// One helper program under `timeout`; output goes to `logPath`. The destructor
// stops it: SIGTERM to its process group, SIGKILL if it lingers.
class Child {
  public:
    struct Options {
        QStringList argv;
        QString logPath;
        QMap<QString, QString> env;  // added to this process's environment
        int passFd = -1;             // handed to the child as descriptor 3
        int limitSeconds = 90;
    };
    explicit Child(const Options& options);  // throws std::runtime_error
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    void stop();

  private:
    pid_t pid_ = -1;
    bool reaped_ = false;
};

// A short command run to its end under `timeout`; its standard output, or an empty
// array when it failed.
struct CommandResult {
    int exitCode = -1;
    QByteArray out;
};
CommandResult run(const QStringList& argv, int limitSeconds = 10);

// Xvfb 1280x800x24 on a display number it picks itself; sets DISPLAY for this
// process. With `windowManager`, matchbox-window-manager runs on it too.
class XDesktop {
  public:
    XDesktop(const QString& dir, bool windowManager);
    ~XDesktop();
    QString display() const { return display_; }

  private:
    std::unique_ptr<Child> server_;
    std::unique_ptr<Child> windowManager_;
    QString display_;
};

// PulseAudio with a null sink on a private socket; sets PULSE_SERVER for this
// process.
class SoundServer {
  public:
    explicit SoundServer(const QString& dir);
    ~SoundServer();
    static constexpr const char* kSink = "quenda_null";
    pid_t pid() const { return server_->pid(); }
    // The media.filename of each stream playing on the server now.
    QStringList playingFiles();
    // Records the sink's monitor for `length` and returns the largest absolute
    // sample value (16-bit mono).
    int loudestSampleWhile(const std::function<void()>& action, milliseconds length);

  private:
    QString dir_;
    std::unique_ptr<Child> server_;
};

// The witness client with its windows, and its log.
class Witness {
  public:
    Witness(const QString& logPath, const QStringList& titles, const QStringList& options = {});
    ~Witness();
    pid_t pid() const { return child_->pid(); }
    void stop() { child_->stop(); }
    QStringList lines() const;
    int count(const QString& line) const { return int(lines().count(line)); }
    bool waitFor(const QString& line, milliseconds limit = milliseconds(5000)) const;

  private:
    QString logPath_;
    std::unique_ptr<Child> child_;
};

// What the ordinary X tools say about a window.
struct ToolView {
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    bool viewable = false;
};
// xwininfo -name: the window with that name.
ToolView xwininfoByName(const QString& name);
ToolView xwininfoById(unsigned long id);
// xwininfo -root -children: the root's children, top of the stack first.
QList<unsigned long> rootChildrenTopFirst();
// The root child holding `window` (xwininfo -tree up the parents).
unsigned long frameOf(unsigned long window);
// xprop WM_STATE: "Normal", "Iconic", or empty.
QString wmState(unsigned long window);

}  // namespace backend_test
