#include "core/text_file.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include "core/text_codec.h"

namespace TextFile {

namespace {

// `size` is the length the file system tells; empty when it tells none (a pipe) or
// the file grew while it was read.
ReadResult refused(const QString& path, std::optional<qint64> size, const Messages& messages) {
    const QLocale english(QLocale::English);
    const QString limit = english.toString(kMaxBytes);
    const QString message =
        size ? messages.text(Messages::Id::FileTooLarge)
                   .arg(path, english.toString(*size),
                        english.toString(double(*size) / double(kMaxBytes), 'f', 1), limit)
             : messages.text(Messages::Id::FileGrewTooLarge).arg(path, limit);
    return {std::nullopt, message, TextCodec::Encoding::Windows1251, true};
}

}  // namespace

ReadResult read(const QString& path, const Messages& messages) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, QStringLiteral("File not found: %1").arg(path)};
    }
    if (file.size() > kMaxBytes) {
        return refused(path, file.size(), messages);
    }
    // Read up to one byte beyond the limit: a file without a size of its own, or one
    // that grew since, is refused as well, and never held whole.
    QByteArray bytes;
    while (bytes.size() <= kMaxBytes) {
        const QByteArray chunk = file.read(kMaxBytes + 1 - bytes.size());
        if (chunk.isEmpty()) {
            break;
        }
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt,
                messages.text(Messages::Id::FileNotRead).arg(path, file.errorString())};
    }
    if (bytes.size() > kMaxBytes) {
        return refused(path, std::nullopt, messages);
    }
    TextCodec::Decoded decoded = TextCodec::decode(bytes);
    return {std::move(decoded.lines), QString(), decoded.encoding};
}

QString write(const QString& path, const QStringList& lines, TextCodec::Encoding original,
              const Messages& messages) {
    QSaveFile file(path);
    // Only when the folder refuses the temporary file (EACCES) does this write the
    // existing file directly; every other failure still fails.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        return messages.text(Messages::Id::FileNotWritten).arg(path, file.errorString());
    }
    const QByteArray bytes = TextCodec::encodeLines(lines, original);
    // QSaveFile::commit() does not notice a failure of the final flush of its write
    // buffer (a full disk): it would put the cut-off file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        const QString message =
            messages.text(Messages::Id::FileNotWritten).arg(path, file.errorString());
        file.cancelWriting();
        return message;
    }
    return QString();
}

}  // namespace TextFile
