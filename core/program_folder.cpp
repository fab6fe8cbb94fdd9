#include "core/program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/settings_file.h"

namespace {

QString withSlash(const QString& dir) {
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

}  // namespace

namespace ProgramFolder {

QString resolve(const QString& executableDir, const QString& perUserDir) {
    if (!executableDir.isEmpty() &&
        QFileInfo::exists(QDir(executableDir).filePath(QLatin1String(SettingsFile::kFileName)))) {
        return withSlash(executableDir);
    }
    return withSlash(perUserDir);
}

QString perUserDir() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) {
        config = QDir::homePath() + QLatin1String("/.config");
    }
    return QDir(config).filePath(QStringLiteral("quenda"));
}

}  // namespace ProgramFolder
