#pragma once

#include <optional>

#include "core/app_state.h"
#include "core/error_reporter.h"
#include "core/port_settings.h"
#include "core/settings_file.h"

// The main window's start-up sequence without the window: settings, command file,
// serial port settings and the recognition interval, in that order. Every failure
// is reported once and the sequence goes on with what it has.
struct StartupResult {
    bool settingsRead = false;
    SettingsFile::ReadGeometry geometry;
    std::optional<PortSettings> port;  // empty: the settings error was shown
    int recognitionIntervalMs = 100;   // the recognition timer's built-in interval
};

namespace Startup {

StartupResult run(AppState& state, ErrorReporter& errors);

// The command file a "Load file: " value names: a relative name lies in the program
// folder, so a long folder path never has to fit the value's 100 characters.
QString commandFileOf(const QString& loadFile, const QString& programFolder);

}  // namespace Startup
