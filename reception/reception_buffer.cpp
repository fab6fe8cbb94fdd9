#include "reception/reception_buffer.h"

#include "reception/byte_filter.h"

void ReceptionBuffer::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    Q_EMIT changed();
}

void ReceptionBuffer::appendBytes(QByteArrayView bytes, const SettingsRecord& settings) {
    text_.reserve(text_.size() + 3 * bytes.size());
    bool appended = false;
    for (const char byte : bytes) {
        if (const std::optional<QStringView> byteText =
                ByteFilter::byteText(static_cast<unsigned char>(byte), settings)) {
            text_.append(QLatin1Char(' '));
            text_.append(*byteText);
            appended = true;
        }
    }
    if (appended) {
        Q_EMIT changed();
    }
}
