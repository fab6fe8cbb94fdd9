#include "core/text_file.h"

#include <QFile>
#include <QSaveFile>

#include "core/text_codec.h"

namespace TextFile {

ReadResult read(const QString& path, const Messages& messages) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, QStringLiteral("File not found: %1").arg(path)};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt,
                messages.text(Messages::Id::FileNotRead).arg(path, file.errorString())};
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
