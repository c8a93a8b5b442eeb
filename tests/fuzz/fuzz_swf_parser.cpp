// The SWF parser: header, compression, dictionary, shapes and timelines.

#include <cstddef>
#include <cstdint>

#include "render/swf/swf_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orvane::swf::Bytes bytes(data, data + size);
    (void)orvane::swf::parseMovie(bytes, QStringLiteral("fuzz.swf"));
    return 0;
}
