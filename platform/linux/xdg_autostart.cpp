#include "platform/linux/xdg_autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "platform/linux/linux_platform.h"

namespace XdgAutostart {

QString entryPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config)) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/autostart/quenda.desktop");
}

// A path with no reserved character goes as it is; any other is put in double
// quotes with ", `, $ and \ escaped by a backslash. A % is doubled (field codes),
// and every backslash of the result is doubled again for the string value, where
// a line end is written as \\n.
QString execArgument(const QString& programPath) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = programPath;
    const bool quote =
        std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    if (quote) {
        QString quoted;
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\')) {
                quoted += QLatin1Char('\\');
            }
            quoted += c;
        }
        argument = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    argument.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    argument.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return argument;
}

QString desktopEntry(const QString& programPath) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Quenda\n"
               "Comment=Drive the computer with an infrared remote control\n"
               "Exec=%1\n"
               "Icon=quenda\n"
               "Terminal=false\n"
               "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(programPath));
}

bool write(const QString& programPath) {
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).path())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(desktopEntry(programPath).toUtf8());
    return file.commit();
}

bool remove() {
    const QString path = entryPath();
    return !QFileInfo::exists(path) || QFile::remove(path);
}

bool exists() {
    return QFileInfo::exists(entryPath());
}

}  // namespace XdgAutostart

bool LinuxPlatform::writeAutostart(const QString& programPath) {
    return XdgAutostart::write(programPath);
}

bool LinuxPlatform::deleteAutostart() {
    const bool existed = XdgAutostart::exists();
    return XdgAutostart::remove() && existed;
}

bool LinuxPlatform::autostartExists() {
    return XdgAutostart::exists();
}

QString LinuxPlatform::autostartLocation() {
    return XdgAutostart::entryPath();
}
