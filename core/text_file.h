#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/messages.h"
#include "core/text_codec.h"

// Reading and writing the program's line-based text files. A write goes to a
// temporary file that replaces the old one only when complete; only where no
// temporary file can be made beside it (a folder the user may not write to) is a
// writable file rewritten in place.
namespace TextFile {

// The largest file read: a command file holds at most 30 commands of about 1.5 kB,
// settings and language files are smaller still. A larger file is refused before it
// is read, so it neither blocks the interface nor lands in memory whole.
inline constexpr qint64 kMaxBytes = 1024 * 1024;

struct ReadResult {
    std::optional<QStringList> lines;  // empty optional when the file could not be read
    QString error;                     // a message naming the file
    TextCodec::Encoding encoding = TextCodec::Encoding::Windows1251;
    bool tooLarge = false;  // refused for its size; `error` names the file and its size
};

// `messages` words the failures; "File not found" stays as it is in every language.
ReadResult read(const QString& path, const Messages& messages = Messages::builtIn());

// Returns an empty text on success, else a message naming the file.
// `original` is how the file's text came in (see TextCodec::encodeLines).
QString write(const QString& path, const QStringList& lines,
              TextCodec::Encoding original = TextCodec::Encoding::Windows1251,
              const Messages& messages = Messages::builtIn());

}  // namespace TextFile
