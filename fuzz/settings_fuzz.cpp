// Any bytes as a settings file: reading never crashes, and the record read, written
// and read again is the same record.
#include <QByteArray>

#include "core/settings_file.h"
#include "core/text_codec.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const SettingsRecord defaults = SettingsRecord::defaults(QStringLiteral("English"));
    const SettingsFile::ReadResult first =
        SettingsFile::read(TextCodec::decodeLines(FuzzInput::bytes(data, size)), defaults);

    const QByteArray saved =
        TextCodec::encodeLines(SettingsFile::write(first.record, WindowGeometry()));
    const SettingsFile::ReadResult second =
        SettingsFile::read(TextCodec::decodeLines(saved), defaults);
    FuzzInput::require(second.record == first.record, "settings round trip");
    FuzzInput::require(second.errors.isEmpty(), "saved geometry reads back");
    return 0;
}
