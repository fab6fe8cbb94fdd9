#include "core/command_file.h"

#include <array>

#include "core/text_codec.h"
#include "core/text_file.h"

namespace {

using Field = QString Command::*;

// A stored field: the key as written, the column after it and the characters kept.
struct FieldKey {
    const char* key;
    Field field;
    int kept;
};

// In the order the writer puts them after the "Name: " line.
const std::array<FieldKey, 13> kRecordKeys = {{
    {"Code: ", &Command::code, CommandFile::Kept::kCode},
    {"Type Action: ", &Command::typeAction, CommandFile::Kept::kTypeAction},
    {"Command combination: ", &Command::commandCombination, CommandFile::Kept::kCombination},
    {"File: ", &Command::file, CommandFile::Kept::kPath},
    {"WindowHandle: ", &Command::windowHandle, CommandFile::Kept::kPath},
    {"Run Action: ", &Command::runAction, CommandFile::Kept::kRunAction},
    {"Key add: ", &Command::keyAdd, CommandFile::Kept::kKey},
    {"Key add1: ", &Command::keyAdd1, CommandFile::Kept::kKey},
    {"Key: ", &Command::key, CommandFile::Kept::kKey},
    {"MousePos X: ", &Command::mousePosX, CommandFile::Kept::kNumber},
    {"MousePos Y: ", &Command::mousePosY, CommandFile::Kept::kNumber},
    {"Pause: ", &Command::pause, CommandFile::Kept::kNumber},
    {"FileSound: ", &Command::fileSound, CommandFile::Kept::kPath},
}};

constexpr int kNameKept = CommandFile::Kept::kName;
const QString kNameKey = QStringLiteral("Name: ");
constexpr QLatin1StringView kNameKeyView("Name: ");

// The key text looked for is the written key without its trailing blank; the value
// starts in the column right after that blank. The keys are ASCII, so the Latin-1
// views compare with the lines as they are, and nothing is built per line.
bool startsWithKey(const QString& line, QLatin1StringView writtenKey) {
    return line.startsWith(writtenKey.chopped(1));
}

QString valueOf(const QString& line, QLatin1StringView writtenKey, int kept) {
    return TextCodec::cut(line, int(writtenKey.size()), kept);
}

// Removes blanks and control characters at both ends.
QString trimmed(const QString& text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && text[begin].unicode() <= 32) {
        ++begin;
    }
    while (end > begin && text[end - 1].unicode() <= 32) {
        --end;
    }
    return text.mid(begin, end - begin);
}

class Loader {
  public:
    explicit Loader(CommandTable& table) : table_(table) {}

    void line(const QString& text) {
        if (text.isEmpty()) {
            return;  // holds no key: the line after each record, or many more
        }
        if (startsWithKey(text, kNameKeyView)) {
            name(valueOf(text, kNameKeyView, kNameKept));
            return;
        }
        for (std::size_t i = 0; i < kRecordKeys.size(); ++i) {
            const QLatin1StringView key(kRecordKeys[i].key);
            if (startsWithKey(text, key)) {
                field(i, valueOf(text, key, kRecordKeys[i].kept));
                return;
            }
        }
    }

    int recordsLeftOut() const { return leftOut_; }

  private:
    void name(const QString& value) {
        if (!table_.hasHeader()) {
            table_.setHeader(value);
            return;
        }
        const int slot = table_.addCommand(value);
        if (slot < 0) {
            ++leftOut_;
            return;
        }
        table_.slot(slot).name = value;
    }

    void field(std::size_t index, const QString& value) {
        const FieldKey& key = kRecordKeys[index];
        if (key.field == &Command::pause) {
            // The pause field has no counter of its own: it follows the combination.
            store(combinationCounter(), key.field, value);
            return;
        }
        const int slot = ++counters_[index];
        store(slot, key.field, key.field == &Command::commandCombination ? trimmed(value) : value);
    }

    int combinationCounter() const { return counters_[2]; }

    void store(int slot, Field field, const QString& value) {
        if (slot >= 1 && slot <= CommandTable::kMaxCommands) {
            table_.slot(slot).*field = value;
        }
    }

    CommandTable& table_;
    std::array<int, kRecordKeys.size()> counters_{};
    int leftOut_ = 0;
};

}  // namespace

namespace CommandFile {

LoadReport load(const QStringList& lines, CommandTable& table) {
    table.clear();
    Loader loader(table);
    for (const QString& line : lines) {
        loader.line(line);
    }
    return {loader.recordsLeftOut()};
}

QStringList write(const CommandTable& table) {
    QStringList lines;
    if (table.nodeCount() == 0) {
        return lines;
    }
    lines << kNameKey + table.caption(0) << QString();
    for (int node = 1; node <= table.commandCount(); ++node) {
        const Command& command = table.slot(node);
        lines << kNameKey + table.caption(node);
        for (const FieldKey& key : kRecordKeys) {
            lines << QLatin1String(key.key) + command.*key.field;
        }
        lines << QString();
    }
    return lines;
}

FileResult loadFromFile(const QString& path, CommandTable& table, const Messages& messages) {
    const TextFile::ReadResult read = TextFile::read(path, messages);
    if (!read.lines) {
        return {false, read.error, {}, TextCodec::Encoding::Windows1251, read.tooLarge};
    }
    return {true, QString(), load(*read.lines, table), read.encoding};
}

FileResult saveToFile(const QString& path, const CommandTable& table, TextCodec::Encoding original,
                      const Messages& messages) {
    const QString error = TextFile::write(path, write(table), original, messages);
    return {error.isEmpty(), error, {}, original};
}

QString leftOutMessage(const Messages& messages, const QString& path, int recordsLeftOut) {
    return messages.text(Messages::Id::CommandsLeftOut)
        .arg(path, QString::number(CommandTable::kMaxCommands), QString::number(recordsLeftOut));
}

}  // namespace CommandFile
