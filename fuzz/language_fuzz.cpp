// Any bytes as a language file: reading never crashes, and every text it yields
// is kept to its key's length and trimmed of blanks and control characters.
#include <QByteArray>

#include "core/text_codec.h"
#include "fuzz_input.h"
#include "settings/language_file.h"
#include "settings/language_table.h"

namespace {

int characters(const QString& text) {
    return int(text.toUcs4().size());
}

bool trimmedOfControls(const QString& text) {
    return text.isEmpty() || (text.front().unicode() > 32 && text.back().unicode() > 32);
}

int longestKept() {
    int longest = 0;
    for (const LanguageTable::Entry& entry : LanguageTable::entries()) {
        longest = qMax(longest, entry.maxLength);
    }
    return longest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int kLongest = longestKept();
    const LanguageTexts texts =
        LanguageFile::read(TextCodec::decodeLines(FuzzInput::bytes(data, size)));
    for (const auto& [target, text] : texts.captions) {
        FuzzInput::require(characters(text) <= kLongest, "caption kept to its length");
        FuzzInput::require(trimmedOfControls(text), "caption trimmed");
    }
    for (const QStringList& items : texts.lists) {
        for (const QString& item : items) {
            FuzzInput::require(trimmedOfControls(item), "list item trimmed");
        }
    }
    return 0;
}
