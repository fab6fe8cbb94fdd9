#include "core/startup.h"

#include <QDir>

#include "core/command_file.h"
#include "core/number_text.h"
#include "core/text_file.h"

namespace {

bool readSettings(AppState& state, StartupResult& result, ErrorReporter& errors) {
    const TextFile::ReadResult file = TextFile::read(state.settingsPath(), state.messages);
    if (!file.lines) {
        errors.report(file.error);
        return false;
    }
    const SettingsFile::ReadResult read =
        SettingsFile::read(*file.lines, SettingsRecord::defaults(state.settings.language));
    for (const QString& error : read.errors) {
        errors.report(error);
    }
    state.settings = read.record;
    state.settingsEncoding = file.encoding;
    result.geometry = read.geometry;
    state.commandFilePath = Startup::commandFileOf(state.settings.loadFile, state.programFolder);
    return true;
}

void loadCommandFile(AppState& state, ErrorReporter& errors) {
    if (state.commandFilePath.isEmpty()) {
        return;
    }
    const CommandFile::FileResult loaded =
        CommandFile::loadFromFile(state.commandFilePath, state.table, state.messages);
    if (!loaded.ok) {
        errors.report(loaded.error);
        // A file refused for its size is no command file of ours: Save asks for a
        // name instead of writing the table over it.
        if (loaded.tooLarge) {
            state.commandFilePath.clear();
        }
        return;
    }
    state.adoptCommandFile(state.commandFilePath, loaded);
    if (loaded.report.recordsLeftOut > 0) {
        errors.report(CommandFile::leftOutMessage(state.messages, state.commandFilePath,
                                                  loaded.report.recordsLeftOut));
    }
}

}  // namespace

namespace Startup {

QString commandFileOf(const QString& loadFile, const QString& programFolder) {
    if (loadFile.isEmpty() || !QDir::isRelativePath(loadFile)) {
        return loadFile;
    }
    return QDir::cleanPath(QDir(programFolder).filePath(loadFile));
}

StartupResult run(AppState& state, ErrorReporter& errors) {
    StartupResult result;
    result.settingsRead = readSettings(state, result, errors);
    if (!result.settingsRead) {
        return result;
    }
    loadCommandFile(state, errors);
    result.port = PortSettings::fromSettings(state.settings);
    if (!result.port) {
        errors.report(kSettingsErrorMessage);
    }
    if (const std::optional<int> interval = NumberText::toInt(state.settings.pauseCommand)) {
        result.recognitionIntervalMs = *interval;
    } else {
        errors.report(QStringLiteral("QUENDA.ini, key \"Pause command:\": %1")
                          .arg(NumberText::invalidIntegerMessage(state.settings.pauseCommand)));
    }
    return result;
}

}  // namespace Startup
