#include "reception/reception_buffer.h"

void ReceptionBuffer::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    Q_EMIT changed();
}
