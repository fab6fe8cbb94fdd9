// Received bytes through the byte filter into a buffer text, a code cut from it,
// and a combination list split into its elements. The input's first line holds the
// filter settings, the start symbol and the combination list; the rest is what the
// receiver sent.
#include <QByteArray>
#include <QStringList>

#include "core/text_codec.h"
#include "fuzz_input.h"
#include "reception/byte_filter.h"
#include "reception/recognition_text.h"

namespace {

// Pieces of the first line, separated by '|': 8 delete values, 8 replaced bytes,
// 8 replacements, the start symbol and the combination list, each cut to the
// length the settings file keeps of it.
SettingsRecord settingsFrom(const QStringList& pieces) {
    SettingsRecord settings;
    const auto piece = [&](int i, int kept = 2) {
        return i < pieces.size() ? pieces[i].left(kept) : QString();
    };
    for (int n = 0; n < 8; ++n) {
        settings.recognizeDelete[n] = piece(n);
        settings.recognizeChangeFrom[n] = piece(8 + n);
        settings.recognizeChangeTo[n] = piece(16 + n);
    }
    settings.recognizeStartSymbol = piece(24, 50);
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzInput::bytes(data, size);
    const qsizetype end = bytes.indexOf('\n');
    const QString header = TextCodec::decodeWindows1251(end < 0 ? bytes : bytes.left(end));
    const QStringList pieces = header.split(QLatin1Char('|'));
    const SettingsRecord settings = settingsFrom(pieces);

    QString buffer;
    for (const char received : end < 0 ? QByteArray() : bytes.mid(end + 1)) {
        if (const auto text =
                ByteFilter::byteText(static_cast<unsigned char>(received), settings)) {
            FuzzInput::require(text->size() <= 2, "a byte gives at most two characters");
            buffer += QLatin1Char(' ');
            buffer += *text;
        }
    }
    const QString code = RecognitionText::cutCode(buffer, settings.recognizeStartSymbol);
    FuzzInput::require(code.size() <= buffer.size(), "the code is cut from the buffer");

    const QStringList elements =
        RecognitionText::combinationElements(pieces.size() > 25 ? pieces[25] : header);
    FuzzInput::require(elements.size() <= RecognitionText::kMaxElements, "at most 30 elements");
    return 0;
}
