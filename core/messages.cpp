#include "core/messages.h"

const std::vector<Messages::Definition>& Messages::definitions() {
    static const std::vector<Definition> all = {
        {Id::TableFull, "TableFull",
         "The command table is full: a remote holds at most %1 commands. Delete one to make "
         "room."},
        {Id::CombinationFull, "CombinationFull",
         "The combination list is full: it holds at most %1 characters."},
        {Id::PathTooLong, "PathTooLong",
         "The path %1 is longer than the %2 characters a command file keeps."},
        {Id::UnsavedChanges, "UnsavedChanges",
         "The command table has changes that were not saved. Save them?"},
        {Id::LanguageFileMissing, "LanguageFileMissing",
         "File not found: %1 (the interface keeps its present texts)"},
        {Id::ValueRefused, "ValueRefused", "%1: '%2' is not a valid value (%3)."},
        {Id::PortNotOpened, "PortNotOpened",
         "The receiver's port %1 could not be opened: %2. Nothing is received until the "
         "settings are closed with a port that opens."},
        {Id::AutostartNotWritten, "AutostartNotWritten", "Failed to set data for '%1'"},
        {Id::AutostartNotDeleted, "AutostartNotDeleted", "Cannot delete '%1'"},
        {Id::AboutDescription, "AboutDescription", "Drives the computer with a remote control"},
        {Id::AboutLicence, "AboutLicence", "Licence: see the README"},
        {Id::ReceiverLost, "ReceiverLost",
         "The receiver on %1 stopped answering; looking for it again every %2 seconds."},
        {Id::ReceiverBack, "ReceiverBack", "The receiver on %1 is back."},
        {Id::ReplaceExisting, "ReplaceExisting", "%1 already exists. Replace it?"},
        {Id::RecordsWouldBeDropped, "RecordsWouldBeDropped",
         "%1 holds %2 more commands than the table keeps (%3). Saving over it removes them "
         "from the file. Save anyway, save under another name, or cancel?"},
        // Shown below the failure's own message, as the close question again.
        {Id::NotSavedAskAgain, "NotSavedAskAgain", "The command table was not saved. Save it?"},
        // Shown below the device and the system's reason; %1 is the menu path.
        {Id::PortDidNotOpen, "PortDidNotOpen",
         "The receiver's port did not open. Choose the receiver's port in %1."},
        {Id::CommandsLeftOut, "CommandsLeftOut",
         "%1 holds more than %2 commands: the first %2 were loaded, %3 left out."},
        {Id::ShutdownRefused, "ShutdownRefused", "The computer could not be shut down"},
        {Id::RestartRefused, "RestartRefused", "The computer could not be restarted"},
        {Id::FolderNotCreated, "FolderNotCreated", "Cannot create the folder %1"},
        {Id::FileNotRead, "FileNotRead", "Cannot read %1: %2"},
        {Id::FileNotWritten, "FileNotWritten", "Cannot write %1: %2"},
        {Id::CommandNotDeleted, "CommandNotDeleted", "Cannot read %1: the command was not deleted"},
        // Reasons that take the place of %3 in ValueRefused and %2 in PortNotOpened.
        {Id::MustBeOneOrMore, "MustBeOneOrMore", "it must be 1 or more"},
        {Id::PortSettingsNotWhole, "PortSettingsNotWhole", "its settings are not whole numbers"},
        {Id::DeviceDoesNotOpen, "DeviceDoesNotOpen", "the device does not open"},
        {Id::LoadFileTooLong, "LoadFileTooLong",
         "The path %1 is longer than the %2 characters the settings keep for the file to "
         "load."},
        // Shown above the system's reason.
        {Id::CannotStart, "CannotStart", "Cannot start: %1"},
        // Said at start when the desktop cannot do them; %1 is the reason.
        {Id::WindowActionsOff, "WindowActionsOff",
         "Window, key and mouse commands do nothing here: %1."},
        {Id::InputActionsOff, "InputActionsOff", "Key and mouse commands do nothing here: %1."},
        // Files the program reads whole are kept to 1 MB.
        {Id::FileTooLarge, "FileTooLarge",
         "%1 was not read: it is %2 bytes (%3 MB) long, and files longer than 1 MB (%4 bytes) "
         "are refused."},
        {Id::FileGrewTooLarge, "FileGrewTooLarge",
         "%1 was not read: it is longer than 1 MB (%2 bytes), and longer files are refused."},
    };
    return all;
}

const Messages& Messages::builtIn() {
    static const Messages none;
    return none;
}

QString Messages::text(Id id) const {
    if (const auto found = texts_.constFind(int(id)); found != texts_.constEnd()) {
        return *found;
    }
    for (const Definition& definition : definitions()) {
        if (definition.id == id) {
            return QString::fromUtf8(definition.builtIn);
        }
    }
    return QString();
}

bool Messages::set(const QString& name, const QString& text) {
    for (const Definition& definition : definitions()) {
        if (name == QLatin1String(definition.name)) {
            texts_.insert(int(definition.id), text);
            return true;
        }
    }
    return false;
}
