#pragma once

#include <QString>
#include <functional>

#include "core/command_file.h"
#include "core/command_table.h"

// Deleting a command: the command's `name` is emptied to mark it, the table is
// written to the command file without every command whose `name` is empty, and the
// file is loaded back, which renumbers the commands that remain.
namespace CommandDelete {

// The table as the file will hold it: the header and the commands whose `name` is
// not empty, in slot order, each with its tree caption and fields.
CommandTable withoutDeleted(const CommandTable& table);

// The file operations a delete uses, and the messages that word their failures;
// the operations are replaceable to test a failing step.
struct FileOps {
    // Not explicit, so that `{}` gives the operations with the built-in messages.
    FileOps(const Messages& messages = Messages::builtIn()) : messages(&messages) {
        save = [&messages](const QString& path, const CommandTable& table,
                           TextCodec::Encoding encoding) {
            return CommandFile::saveToFile(path, table, encoding, messages);
        };
        load = [&messages](const QString& path, CommandTable& table) {
            return CommandFile::loadFromFile(path, table, messages);
        };
    }
    const Messages* messages;
    std::function<CommandFile::FileResult(const QString&, const CommandTable&, TextCodec::Encoding)>
        save;
    std::function<CommandFile::FileResult(const QString&, CommandTable&)> load;
};

struct Result {
    bool ok = false;
    QString error;       // names the file when not ok
    CommandTable table;  // the table loaded back, when ok
};

// Deletes the command in a slot (0, the header, deletes nothing but still writes and
// reloads) and returns the table read back from the file. When writing or reading
// back fails, the file is left as it was before (its old bytes restored, or removed
// when there was none) and the caller keeps its table untouched. The file keeps the
// encoding its text came in.
Result deleteAndReload(const CommandTable& table, int slot, const QString& path,
                       const FileOps& ops = {},
                       TextCodec::Encoding encoding = TextCodec::Encoding::Windows1251);

}  // namespace CommandDelete
