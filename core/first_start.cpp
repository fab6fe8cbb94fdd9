#include "core/first_start.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/settings_file.h"
#include "core/text_file.h"

namespace {

const QString kDefaultSettingsResource = QStringLiteral(":/quenda/QUENDA.ini");
const QString kSampleResource = QStringLiteral(":/quenda/sample.pci");

QString copySample(const QString& target, const Messages& messages) {
    if (QFileInfo::exists(target)) {
        return QString();
    }
    const TextFile::ReadResult sample = TextFile::read(kSampleResource);
    if (!sample.lines) {
        return sample.error;
    }
    return TextFile::write(target, *sample.lines, TextCodec::Encoding::Windows1251, messages);
}

}  // namespace

namespace FirstStart {

bool needed(const QString& programFolder) {
    return !QFileInfo::exists(programFolder + QLatin1String(SettingsFile::kFileName));
}

QString prepare(const QString& programFolder, const QString& localeName, const Messages& messages) {
    if (!QDir().mkpath(programFolder)) {
        return messages.text(Messages::Id::FolderNotCreated).arg(programFolder);
    }
    const QString samplePath = programFolder + QLatin1String(kSampleFileName);
    if (const QString error = copySample(samplePath, messages); !error.isEmpty()) {
        return error;
    }
    const TextFile::ReadResult shipped = TextFile::read(kDefaultSettingsResource);
    if (!shipped.lines) {
        return shipped.error;
    }
    const SettingsRecord defaults = SettingsRecord::defaults(languageForLocale(localeName));
    SettingsFile::ReadResult settings = SettingsFile::read(*shipped.lines, defaults);
    settings.record.language = defaults.language;
    // The bare name: it is found in the program folder however long that path is.
    settings.record.loadFile = QLatin1String(kSampleFileName);
    return TextFile::write(programFolder + QLatin1String(SettingsFile::kFileName),
                           SettingsFile::write(settings.record, WindowGeometry()),
                           TextCodec::Encoding::Windows1251, messages);
}

}  // namespace FirstStart
