#include "package_writer.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace orvane::packing {

Bytes wrapLayer(const Bytes& content, int level, std::int64_t announced) {
    uLongf bound = compressBound(static_cast<uLong>(content.size()));
    Bytes out(4 + bound);
    if (compress2(out.data() + 4, &bound, content.data(), static_cast<uLong>(content.size()),
                  level) != Z_OK)
        throw std::runtime_error("zlib compress failed");
    out.resize(4 + bound);
    const std::uint32_t n = static_cast<std::uint32_t>(
        announced < 0 ? static_cast<std::int64_t>(content.size()) : announced);
    out[0] = static_cast<std::uint8_t>(n);
    out[1] = static_cast<std::uint8_t>(n >> 8);
    out[2] = static_cast<std::uint8_t>(n >> 16);
    out[3] = static_cast<std::uint8_t>(n >> 24);
    return out;
}

Bytes makePackage(const Bytes& payload, int layers) {
    if (payload.empty()) return {};
    Bytes data = payload;
    // The innermost layer compresses the payload well; the outer ones wrap
    // data that is already compressed, where a fast level loses nothing.
    for (int i = 0; i < layers; ++i) data = wrapLayer(data, i == 0 ? 9 : 1);
    return data;
}

bool writePackage(const std::filesystem::path& path, const Bytes& payload, int layers) {
    const Bytes data = makePackage(payload, layers);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

}  // namespace orvane::packing
