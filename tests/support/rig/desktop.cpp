#include "support/rig/desktop.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

namespace rig {

TestHome::TestHome() : dir_(QDir::tempPath() + QStringLiteral("/quenda-rig-XXXXXX")) {
    if (!dir_.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    for (const QString& sub :
         {configHome(), runtimeDir(), logDir(), workDir(), path() + QStringLiteral("/home"),
          path() + QStringLiteral("/cache"), path() + QStringLiteral("/data")}) {
        if (!QDir().mkpath(sub)) {
            throw std::runtime_error("cannot create " + sub.toStdString());
        }
    }
    // XDG_RUNTIME_DIR must belong to the user alone.
    QFile::setPermissions(runtimeDir(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The serial ports "COM n" of the program are <home>/dev/ttyS<n-1>; the first
    // is a pseudo-terminal, the others do not exist.
    if (!QDir().mkpath(path() + QStringLiteral("/dev")) ||
        !QFile::link(firstPort_.devicePath(), path() + QStringLiteral("/dev/ttyS0"))) {
        throw std::runtime_error("cannot link the first serial port");
    }
}

TestHome::~TestHome() {
    if (qEnvironmentVariableIsSet("QUENDA_RIG_KEEP")) {
        dir_.setAutoRemove(false);
        std::fprintf(stderr, "[rig] kept %s for inspection\n", qPrintable(path()));
    } else if (::testing::Test::HasFailure()) {
        printErrorLogs();
    }
}

// What the helpers and the program said on their error output, for the failure's
// record; the folder itself goes.
void TestHome::printErrorLogs() const {
    const QFileInfoList logs =
        QDir(logDir()).entryInfoList({QStringLiteral("*.err")}, QDir::Files, QDir::Name);
    for (const QFileInfo& log : logs) {
        QByteArray text = readFile(log.filePath());
        if (text.trimmed().isEmpty()) {
            continue;
        }
        if (text.size() > 4000) {
            text = "..." + text.right(4000);
        }
        std::fprintf(stderr, "[rig] %s:\n%s\n", qPrintable(log.fileName()), text.constData());
    }
}

QString TestHome::nextLogBase(const QString& name) {
    return logDir() +
           QStringLiteral("/%1-%2").arg(++logCounter_, 2, 10, QLatin1Char('0')).arg(name);
}

QString TestHome::writeCommandFile(const QString& fileName, const QByteArray& header,
                                   const std::vector<files::Command>& commands) {
    const QString path = work(fileName);
    writeFile(path, files::commandFile(header, commands));
    return path;
}

void TestHome::writeSettings(files::Settings settings, const QString& commandFile,
                             const QList<QByteArray>& lines) {
    if (settings.comDevice.isEmpty()) {
        settings.comDevice = firstPortDevice().toUtf8();
    }
    settings.loadFile = commandFile.toUtf8();
    QList<QByteArray> text = files::settingsFile(settings).split('\n');
    for (QByteArray& line : text) {
        for (const QByteArray& wanted : lines) {
            const QByteArray key = wanted.left(wanted.indexOf(": ") + 2);
            if (line.startsWith(key)) {
                line = wanted + '\r';
            }
        }
    }
    if (!QDir().mkpath(programFolder())) {
        throw std::runtime_error("cannot create the program folder");
    }
    writeFile(programFolder() + QStringLiteral("/QUENDA.ini"), text.join('\n'));
}

Environment TestHome::environment() const {
    Environment env = Environment::inherited();
    for (const char* name : {"DISPLAY",
                             "WAYLAND_DISPLAY",
                             "XAUTHORITY",
                             "SESSION_MANAGER",
                             "QT_QPA_PLATFORM",
                             "QT_QPA_PLATFORMTHEME",
                             "QT_STYLE_OVERRIDE",
                             "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS",
                             "QT_AUTO_SCREEN_SCALE_FACTOR",
                             "XDG_CURRENT_DESKTOP",
                             "XDG_SESSION_TYPE",
                             "DESKTOP_SESSION",
                             "XDG_DATA_DIRS",
                             "XDG_CONFIG_DIRS",
                             "LANGUAGE",
                             "LC_ALL",
                             "LC_MESSAGES",
                             "LC_CTYPE",
                             "PULSE_SERVER"}) {
        env.unset(QString::fromLatin1(name));
    }
    env.set(QStringLiteral("HOME"), path() + QStringLiteral("/home"));
    env.set(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    env.set(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    env.set(QStringLiteral("XDG_CACHE_HOME"), path() + QStringLiteral("/cache"));
    env.set(QStringLiteral("XDG_DATA_HOME"), path() + QStringLiteral("/data"));
    env.set(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    // Never the machine's system bus, through which a program could power it off: a
    // test that needs one starts its own (rig::SystemBus), all others get none.
    env.set(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
            QStringLiteral("unix:path=") + runtimeDir() + QStringLiteral("/no_system_bus"));
    env.set(QStringLiteral("QUENDA_COM_PREFIX"), path() + QStringLiteral("/dev/ttyS"));
    // An English, UTF-8 locale: the first start picks the interface language from it.
    env.set(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return env;
}

Desktop::Desktop(DesktopOptions options) {
    env_ = home_.environment();
    server_.emplace(home_.logDir(), env_, options.serverArguments);
    env_.set(QStringLiteral("DISPLAY"), server_->display());
    env_.set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    inspector_ = std::make_unique<XInspector>(server_->display());
    if (options.windowManager) {
        windowManager_.emplace(home_.logDir(), env_, *inspector_);
    }
    if (options.trayHost) {
        trayHost_.emplace(home_.logDir(), env_, *inspector_);
    }
}

Desktop::~Desktop() {
    trayHost_.reset();
    windowManager_.reset();
    inspector_.reset();  // before the server goes: Xlib exits on a lost connection
    server_.reset();
}

QString Desktop::screenshot(const QString& name) {
    const QString path = home_.logDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    rig::screenshot(env_, path);
    return path;
}

bool keepScreenshot(const QString& shot, const QString& name, const QRect& area) {
    const QString folder = QStringLiteral(QUENDA_SCREENSHOT_DIR);
    const QString kept = folder + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    QFile::remove(kept);
    if (area.isNull()) {
        return QFile::copy(shot, kept);
    }
    const QString geometry = QStringLiteral("%1x%2+%3+%4")
                                 .arg(area.width())
                                 .arg(area.height())
                                 .arg(area.x())
                                 .arg(area.y());
    return runCommand({QStringLiteral("/usr/bin/convert"), shot, QStringLiteral("-crop"), geometry,
                       QStringLiteral("+repage"), kept},
                      Environment::inherited())
        .ok();
}

const QString Quenda::kTitle = QStringLiteral("Quenda");

// QUENDA_TEST_BINARY runs the tests against another build, an installed copy say.
QString Quenda::binary() {
    const QString chosen = qEnvironmentVariable("QUENDA_TEST_BINARY");
    return chosen.isEmpty() ? QStringLiteral(QUENDA_BINARY) : chosen;
}

Quenda::Quenda(TestHome& home, const Environment& env, const QStringList& arguments) {
    // A QUENDA.ini beside the program makes it portable: it would then ignore the
    // test's configuration folder.
    const QString beside = QFileInfo(binary()).absolutePath() + QStringLiteral("/QUENDA.ini");
    if (QFileInfo::exists(beside)) {
        throw std::runtime_error("remove " + beside.toStdString() +
                                 ": it makes the program under test portable");
    }
    ChildProcess::Options options;
    options.argv = QStringList{binary()} + arguments;
    options.env = env;
    options.logBase = home.nextLogBase(QStringLiteral("quenda"));
    options.hardLimit = seconds(180);
    process_ = ChildProcess(options);
}

std::optional<XWindowInfo> Quenda::waitForMainWindow(XInspector& x, milliseconds limit) {
    std::optional<XWindowInfo> found;
    waitUntil(
        [&] {
            for (const XWindowInfo& w : x.topLevelsTitled(kTitle, true)) {
                if (w.instance == QLatin1String("quenda")) {
                    found = w;
                    return true;
                }
            }
            return !process_.running();
        },
        limit, milliseconds(50));
    if (found) {
        mainWindow_ = found;
    }
    return found;
}

bool Quenda::quit(const Environment& env, milliseconds limit) {
    // The window's title may be the position readout by now: it goes by its id.
    if (!mainWindow_) {
        return false;
    }
    pressKeys(env, mainWindow_->id, QStringLiteral("ctrl+q"));
    return process_.waitForExit(limit).has_value();
}

Witness::Witness(TestHome& home, const Environment& env, const QStringList& titles,
                 const QStringList& options) {
    const QString logBase = home.nextLogBase(QStringLiteral("witness"));
    logPath_ = logBase + QStringLiteral(".log");
    ChildProcess::Options child;
    child.argv = {QStringLiteral(QUENDA_WITNESS), QStringLiteral("--log"), logPath_};
    for (const QString& title : titles) {
        child.argv << QStringLiteral("--title") << title;
    }
    child.argv << options;
    child.env = env;
    child.logBase = logBase;
    process_ = ChildProcess(child);
    if (!waitFor(QStringLiteral("ready"), milliseconds(30000))) {
        throw std::runtime_error("the witness did not map its windows");
    }
}

QStringList Witness::lines() const {
    return QString::fromUtf8(readFile(logPath_)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool Witness::waitFor(const QString& line, milliseconds limit) const {
    return waitUntil([&] { return lines().contains(line); }, limit, milliseconds(10));
}

}  // namespace rig
