#pragma once

#include <QString>

#include "core/command_file.h"
#include "core/command_table.h"
#include "core/messages.h"
#include "core/settings_record.h"

// The state the windows share: created once by main and handed on by reference.
struct AppState {
    QString programFolder;  // ends with a slash
    CommandTable table;
    SettingsRecord settings;
    QString commandFilePath;  // the file Save writes to
    // How the current command file's text came in, so Save keeps its encoding, and
    // how many of its command records the table could not hold: a Save over it
    // would drop them.
    TextCodec::Encoding commandFileEncoding = TextCodec::Encoding::Windows1251;
    int commandRecordsLeftOut = 0;
    TextCodec::Encoding settingsEncoding = TextCodec::Encoding::Windows1251;
    Messages messages;  // the program's own messages in the interface language

    QString inTray;  // "yes" while only the tray icon shows, "no" while the window shows
    QString learningMode;
    QString learnedCode;
    QString tableSwitched = QStringLiteral("N");
    QString timerCommandFile;
    QString timerCommandName;
    int timerMinutesLeft = 0;

    // True after an edit, rename, new command or learned code that no load or save
    // has settled yet: closing then asks whether to save.
    bool changed = false;

    QString settingsPath() const;
    // A command file was loaded into the table: it becomes the current one.
    void adoptCommandFile(const QString& path, const CommandFile::FileResult& loaded);
};
