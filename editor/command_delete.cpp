#include "editor/command_delete.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace CommandDelete {

CommandTable withoutDeleted(const CommandTable& table) {
    CommandTable kept;
    if (!table.hasHeader()) {
        return kept;
    }
    kept.setHeader(table.caption(0));
    for (int node = 1; node <= table.commandCount(); ++node) {
        if (table.slot(node).name.isEmpty()) {
            continue;
        }
        const int slot = kept.addCommand(table.caption(node));
        kept.slot(slot) = table.slot(node);
    }
    return kept;
}

namespace {

QString cannotRead(const QString& path, const Messages& messages) {
    return messages.text(Messages::Id::CommandNotDeleted).arg(path);
}

// Puts the file back as it was: its old bytes, or no file at all.
void restore(const QString& path, const std::optional<QByteArray>& before) {
    if (!before) {
        QFile::remove(path);
        return;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(*before);
        file.commit();
    }
}

}  // namespace

Result deleteAndReload(const CommandTable& table, int slot, const QString& path, const FileOps& ops,
                       TextCodec::Encoding encoding) {
    // The old content first: a failed read-back must be able to put it back, and a
    // file that cannot be read now would not read back either.
    std::optional<QByteArray> before;
    if (QFileInfo(path).isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return {false, cannotRead(path, *ops.messages), {}};
        }
        before = file.readAll();
    }

    CommandTable marked = table;
    marked.slot(slot).name.clear();
    const CommandFile::FileResult saved = ops.save(path, withoutDeleted(marked), encoding);
    if (!saved.ok) {
        return {false, saved.error, {}};
    }
    CommandTable reloaded;
    const CommandFile::FileResult loaded = ops.load(path, reloaded);
    if (!loaded.ok) {
        restore(path, before);
        return {false, loaded.error, {}};
    }
    return {true, QString(), reloaded};
}

}  // namespace CommandDelete
