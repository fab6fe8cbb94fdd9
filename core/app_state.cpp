#include "core/app_state.h"

#include "core/settings_file.h"

QString AppState::settingsPath() const {
    return programFolder + QLatin1String(SettingsFile::kFileName);
}
