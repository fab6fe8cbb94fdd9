#pragma once

#include <QHash>
#include <QString>
#include <vector>

// The program's own messages, in the words of the interface language: each has a
// name (its language-file key is "Msg.<name>:") and a built-in English text that
// holds until a language file gives another. Arguments are %1, %2... as in QString::arg.
class Messages {
  public:
    enum class Id {
        TableFull,
        CombinationFull,
        PathTooLong,
        UnsavedChanges,
        LanguageFileMissing,
        ValueRefused,
        PortNotOpened,
        AutostartNotWritten,
        AutostartNotDeleted,
        AboutDescription,
        AboutLicence,
        ReceiverLost,
        ReceiverBack,
        ReplaceExisting,
        RecordsWouldBeDropped,
        NotSavedAskAgain,
        PortDidNotOpen,
        CommandsLeftOut,
        ShutdownRefused,
        RestartRefused,
        FolderNotCreated,
        FileNotRead,
        FileNotWritten,
        CommandNotDeleted,
        MustBeOneOrMore,
        PortSettingsNotWhole,
        DeviceDoesNotOpen,
        LoadFileTooLong,
        CannotStart,
        WindowActionsOff,
        InputActionsOff,
        FileTooLarge,
        FileGrewTooLarge,
    };
    struct Definition {
        Id id;
        const char* name;
        const char* builtIn;
    };
    // Characters kept of a message text in a language file.
    static constexpr int kMaxLength = 250;

    static const std::vector<Definition>& definitions();
    // The built-in texts, for work done before or without a language.
    static const Messages& builtIn();

    // The current text; the built-in one while no language file gave one.
    QString text(Id id) const;
    // Sets a text by its name; false for a name that is not a message.
    bool set(const QString& name, const QString& text);

  private:
    QHash<int, QString> texts_;
};
