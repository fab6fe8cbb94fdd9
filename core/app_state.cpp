#include "core/app_state.h"

#include "core/settings_file.h"

QString AppState::settingsPath() const {
    return programFolder + QLatin1String(SettingsFile::kFileName);
}

void AppState::adoptCommandFile(const QString& path, const CommandFile::FileResult& loaded) {
    commandFilePath = path;
    commandFileEncoding = loaded.encoding;
    commandRecordsLeftOut = loaded.report.recordsLeftOut;
}
