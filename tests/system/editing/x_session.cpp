#include "x_session.h"

#include <pty.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRect>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

namespace {

const char* kLimit = "170";  // seconds any child may live, should a test hang

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

void stop(QProcess* process) {
    if (!process || process->state() == QProcess::NotRunning) {
        return;
    }
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

}  // namespace

void settle(int ms) {
    QThread::msleep(ms);
}

XSession::XSession() {
    if (!home_.isValid()) {
        return;
    }
    QDir(home_.path()).mkpath(QStringLiteral("config/quenda"));
    QDir(home_.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(path(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    int slave = -1;
    char name[128] = {};
    if (openpty(&ptyMaster_, &slave, name, nullptr, nullptr) == 0) {
        ptyName_ = QString::fromLocal8Bit(name);
        ::close(slave);  // the program opens it by name
        // "COM 1" of a first start is this pseudo-terminal too.
        QDir().mkpath(path(QStringLiteral("dev")));
        QFile::link(ptyName_, path(QStringLiteral("dev/ttyS0")));
    }

    // Xvfb picks a free display and writes its number on the descriptor given.
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::SeparateChannels);
    server_->start(
        QStringLiteral("timeout"),
        {QLatin1String(kLimit), QStringLiteral("Xvfb"), QStringLiteral("-displayfd"),
         QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
         QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_->waitForStarted(5000)) {
        return;
    }
    QByteArray number;
    waitFor(
        [&] {
            server_->waitForReadyRead(100);
            number += server_->readAllStandardOutput();
            return number.contains('\n');
        },
        10000);
    if (number.trimmed().isEmpty()) {
        return;
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
}

XSession::~XSession() {
    stop(quenda_.get());
    for (auto& client : clients_) {
        stop(client.get());
    }
    stop(server_.get());
    if (ptyMaster_ >= 0) {
        ::close(ptyMaster_);
    }
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("HOME"), home_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    // Never the machine's system bus, through which the program could power it off.
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + path(QStringLiteral("run/no_system_bus")));
    env.insert(QStringLiteral("QUENDA_COM_PREFIX"), path(QStringLiteral("dev/ttyS")));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

bool XSession::writeSettings(const QString& loadFile) {
    QFile shipped(QStringLiteral(QUENDA_SOURCE_DIR "/resources/QUENDA.ini"));
    if (!shipped.open(QIODevice::ReadOnly)) {
        return false;
    }
    QByteArray text;
    for (QByteArray line : shipped.readAll().split('\n')) {
        if (line.startsWith("Load file:")) {
            line = "Load file: " + loadFile.toUtf8() + '\r';
        } else if (line.startsWith("Language:")) {
            // The editor is driven through its Russian captions and menu positions.
            line = "Language: Russian\r";
        } else if (line.startsWith("Com Device:")) {
            line = "Com Device: " + ptyName_.toUtf8() + '\r';
        }
        text += line + '\n';
    }
    text.chop(1);
    QFile settings(path(QStringLiteral("config/quenda/QUENDA.ini")));
    return settings.open(QIODevice::WriteOnly) && settings.write(text) == text.size();
}

QString XSession::startQuenda() {
    quenda_ = std::make_unique<QProcess>();
    quenda_->setProcessEnvironment(environment());
    quenda_->setStandardOutputFile(path(QStringLiteral("quenda.out")), QIODevice::Append);
    quenda_->setStandardErrorFile(path(QStringLiteral("quenda.err")), QIODevice::Append);
    quenda_->start(QStringLiteral("timeout"),
                   {QLatin1String(kLimit), QStringLiteral(QUENDA_BINARY)});
    if (!quenda_->waitForStarted(5000)) {
        return QString();
    }
    // Generous: a loaded machine may take long to start it; found, it goes on at once.
    mainWindow_ = waitWindow(QStringLiteral("^Quenda$"), 30000);
    if (!mainWindow_.isEmpty()) {
        settle(300);
        focus(mainWindow_);
    }
    return mainWindow_;
}

bool XSession::quitQuenda(int waitMs) {
    // The window's title may be the position readout: go by its id.
    if (mainWindow_.isEmpty() || !quenda_) {
        return false;
    }
    focus(mainWindow_);
    keys({QStringLiteral("ctrl+q")});
    return quenda_->waitForFinished(waitMs);
}

bool XSession::startClient(const QStringList& argv) {
    auto client = std::make_unique<QProcess>();
    client->setProcessEnvironment(environment());
    client->start(QStringLiteral("timeout"), QStringList{QLatin1String(kLimit)} + argv);
    const bool started = client->waitForStarted(5000);
    clients_.push_back(std::move(client));
    return started;
}

QString XSession::xdo(const QStringList& args) const {
    QProcess xdotool;
    xdotool.setProcessEnvironment(environment());
    xdotool.start(QStringLiteral("xdotool"), args);
    xdotool.waitForFinished(10000);
    return QString::fromUtf8(xdotool.readAllStandardOutput());
}

QString XSession::waitWindow(const QString& titleRegex, int waitMs) const {
    QString found;
    waitFor(
        [&] {
            found = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--name"), titleRegex})
                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                        .value(0);
            return !found.isEmpty();
        },
        waitMs);
    return found;
}

bool XSession::waitWindowGone(const QString& titleRegex, int waitMs) const {
    return waitFor(
        [&] {
            return xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), titleRegex})
                .trimmed()
                .isEmpty();
        },
        waitMs);
}

QPoint XSession::windowOrigin(const QString& window) const {
    const QString shell =
        xdo({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    const auto value = [&](const char* key) {
        const QRegularExpression re(QStringLiteral("^%1=(-?\\d+)$").arg(QLatin1String(key)),
                                    QRegularExpression::MultilineOption);
        return re.match(shell).captured(1).toInt();
    };
    return {value("X"), value("Y")};
}

// Without a window manager the keyboard goes where the X focus is put.
void XSession::focus(const QString& window) const {
    xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    settle(100);
}

void XSession::click(QPoint at, int button) const {
    xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
         QStringLiteral("click"), QString::number(button)});
    settle();
}

bool XSession::clickToOpen(QPoint at, int button) const {
    // Menus and drop-down lists are top-level windows of the program's class; one
    // that has just been closed may still be listed, so a new id is looked for.
    const auto programWindows = [this] {
        const QStringList ids = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                     QStringLiteral("--classname"), QStringLiteral("quenda")})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return QSet<QString>(ids.begin(), ids.end());
    };
    const QSet<QString> before = programWindows();
    xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
         QStringLiteral("click"), QString::number(button)});
    return waitFor([&] { return !programWindows().subtract(before).isEmpty(); }, 5000);
}

void XSession::keys(const QStringList& keys) const {
    xdo(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + keys);
    settle();
}

void XSession::type(const QString& text) const {
    xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
    settle(150);
}

bool XSession::answerDialog(const QString& title, const QString& text) const {
    const QString dialog = waitWindow(QStringLiteral("^") + title + QStringLiteral("$"));
    if (dialog.isEmpty()) {
        return false;
    }
    focus(dialog);
    keys({QStringLiteral("ctrl+a")});
    type(text);
    keys({QStringLiteral("Return")});
    return waitWindowGone(QStringLiteral("^") + title + QStringLiteral("$"));
}

bool XSession::screenshot(const QString& file) const {
    // import reads the popups too, which an xwd of the root shows black here.
    QProcess import;
    import.setProcessEnvironment(environment());
    import.start(QStringLiteral("/usr/bin/import"),
                 {QStringLiteral("-window"), QStringLiteral("root"), file});
    return import.waitForFinished(20000) && import.exitCode() == 0;
}

QString XSession::readScreen(const QRect& area) const {
    const QString shot = path(QStringLiteral("ocr.png"));
    const QString scaled = path(QStringLiteral("ocr-scaled.png"));
    if (!screenshot(shot)) {
        return QString();
    }
    QProcess convert;
    convert.start(QStringLiteral("/usr/bin/convert"),
                  {shot, QStringLiteral("-crop"),
                   QStringLiteral("%1x%2+%3+%4")
                       .arg(area.width())
                       .arg(area.height())
                       .arg(area.x())
                       .arg(area.y()),
                   QStringLiteral("-scale"), QStringLiteral("400%"), scaled});
    if (!convert.waitForFinished(20000) || convert.exitCode() != 0) {
        return QString();
    }
    QProcess ocr;
    ocr.start(QStringLiteral("tesseract"),
              {scaled, QStringLiteral("stdout"), QStringLiteral("--psm"), QStringLiteral("7")});
    ocr.waitForFinished(30000);
    return QString::fromUtf8(ocr.readAllStandardOutput()).trimmed();
}
