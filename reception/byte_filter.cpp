#include "reception/byte_filter.h"

#include <array>

namespace ByteFilter {

namespace {

// The two upper-case hexadecimal digits of every byte, high digit first.
constexpr std::array<std::array<char16_t, 2>, 256> kHexTexts = [] {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::array<std::array<char16_t, 2>, 256> texts{};
    for (std::size_t b = 0; b < texts.size(); ++b) {
        texts[b] = {kDigits[b >> 4], kDigits[b & 0x0F]};
    }
    return texts;
}();

}  // namespace

std::optional<QStringView> byteText(unsigned char byte, const SettingsRecord& settings) {
    if (byte < 32) {
        return std::nullopt;
    }
    QStringView text(kHexTexts[byte].data(), 2);

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
