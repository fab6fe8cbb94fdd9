#include "reception/byte_filter.h"

namespace ByteFilter {

std::optional<QString> byteText(unsigned char byte, const SettingsRecord& settings) {
    if (byte < 32) {
        return std::nullopt;
    }
    static const char kDigits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(2);
    text.append(QLatin1Char(kDigits[byte >> 4]));
    text.append(QLatin1Char(kDigits[byte & 0x0F]));

    // Deletion comes first and looks only at the byte's own text.
    for (const QString& deleted : settings.recognizeDelete) {
        if (text == deleted) {
            return std::nullopt;
        }
    }
    // Each pair sees the text the earlier pairs left, so a later pair may rewrite a
    // replacement again; the delete values are not consulted a second time.
    for (std::size_t n = 0; n < settings.recognizeChangeFrom.size(); ++n) {
        if (text == settings.recognizeChangeFrom[n]) {
            text = settings.recognizeChangeTo[n];
        }
    }
    return text;
}

}  // namespace ByteFilter
