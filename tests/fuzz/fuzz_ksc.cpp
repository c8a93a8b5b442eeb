// The KSC parser over decoded file text, with the measuring font and the
// script conversion the album uses.

#include <cstddef>
#include <cstdint>

#include "audio/ksc_parser.h"
#include "audio/script_converter.h"
#include "base/text_decoding.h"
#include "base/text_lines.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    orvane::fuzz::ensureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    static ScriptConverter converter;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    KscOptions options;
    if (size > 0 && (data[0] & 1)) options.script = QStringLiteral("fanti");
    (void)parseKsc(splitTextLines(decodeText(bytes)), options, converter);
    return 0;
}
