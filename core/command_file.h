#pragma once

#include <QString>
#include <QStringList>

#include "core/command_table.h"
#include "core/messages.h"
#include "core/text_codec.h"

// The command file (*.pci): a header record and one fifteen-line record per
// command, each line a key, a colon, one blank and the value.
namespace CommandFile {

// Characters the file keeps of each value; the editor's fields accept no more, so
// nothing typed comes back cut after a save and a load.
namespace Kept {
inline constexpr int kName = 50;
inline constexpr int kCode = 75;
inline constexpr int kTypeAction = 25;
inline constexpr int kCombination = 1000;
inline constexpr int kPath = 100;  // the program or document, the window caption, the sound
inline constexpr int kRunAction = 50;
inline constexpr int kKey = 25;    // each of the two modifiers and the key
inline constexpr int kNumber = 5;  // the pointer's X and Y, the pause
}  // namespace Kept

struct LoadReport {
    int recordsLeftOut = 0;  // command records beyond the table's 30 slots
};

// Replaces the table with the content of the lines. A key counts only at the start
// of a line; its value is cut from the key's fixed column with the kept length.
LoadReport load(const QStringList& lines, CommandTable& table);

// The lines that store the table; none when the tree holds no node.
QStringList write(const CommandTable& table);

struct FileResult {
    bool ok = false;
    QString error;  // names the file when not ok
    LoadReport report;
    TextCodec::Encoding encoding = TextCodec::Encoding::Windows1251;  // as read
    bool tooLarge = false;  // refused unread for its size (see TextFile::kMaxBytes)
};

// Reads and loads a file; on a read failure the table is left untouched.
FileResult loadFromFile(const QString& path, CommandTable& table,
                        const Messages& messages = Messages::builtIn());
// Writes the table atomically; creates the file when it does not exist. `original`
// is how the file's text came in, so a save keeps its encoding.
FileResult saveToFile(const QString& path, const CommandTable& table,
                      TextCodec::Encoding original = TextCodec::Encoding::Windows1251,
                      const Messages& messages = Messages::builtIn());

// Message telling how many command records did not fit, naming the file.
QString leftOutMessage(const Messages& messages, const QString& path, int recordsLeftOut);

}  // namespace CommandFile
