// Any bytes as a command file: loading never crashes, and a loaded table written
// and loaded again writes the same lines.
#include <QByteArray>
#include <cstdlib>

#include "core/command_file.h"
#include "core/text_codec.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzInput::bytes(data, size);
    CommandTable first;
    CommandFile::load(TextCodec::decodeLines(bytes), first);
    const QStringList written = CommandFile::write(first);

    CommandTable second;
    CommandFile::load(TextCodec::decodeLines(TextCodec::encodeLines(written)), second);
    FuzzInput::require(CommandFile::write(second) == written, "command file round trip");
    return 0;
}
