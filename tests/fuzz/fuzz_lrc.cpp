// The LRC parser over decoded file text (UTF-8, UTF-16 or GBK, any line ends).

#include <cstddef>
#include <cstdint>

#include "audio/lrc_parser.h"
#include "base/text_decoding.h"
#include "base/text_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LrcTables tables = parseLrc(splitTextLines(decodeText(bytes)));
    (void)lookupLrcLine(tables.timeTable, QStringLiteral("00:01"));
    return 0;
}
