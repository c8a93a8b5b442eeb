#pragma once
// Template packages: plain files (".rar" by name only) holding 23 nested zlib
// layers. A layer is a signed 32-bit little-endian length N followed by a
// zlib stream whose inflated content begins with the N bytes of the next
// layer; the 23rd inflation gives the payload (an INI text or a SWF movie).

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "base/error.h"
#include "base/file_io.h"

namespace orvane {

inline constexpr int kPackageLayers = 23;
// Refuse layers announcing more than this, or more than kMaxInflateRatio
// times their compressed size (deflate cannot do better than about 1032:1).
inline constexpr std::int64_t kMaxLayerBytes = std::int64_t{1} << 30;
inline constexpr std::int64_t kMaxInflateRatio = 1032;
// Layers 1..22 hold the next layer, already compressed: they may announce at
// most their compressed size plus an eighth plus this much.
inline constexpr std::int64_t kInnerLayerSlack = 4096;
// The payload (an INI text or a SWF movie) of a package may announce at most
// this much; its movie's own compression and bitmaps have their own bounds.
inline constexpr std::int64_t kMaxPayloadBytes = std::int64_t{128} << 20;

// Replaces `stream` (one layer) by its inflated content. An empty stream is
// left as it is. On failure `stream` is unchanged and the error tells why.
Result<void> inflateLayer(Bytes& stream);

// Name of intermediate file n (1..22) of one unpack.
using IntermediateNaming = std::function<std::filesystem::path(int n)>;

// Unpacks `source` through its 23 layers: intermediate files 1..22 are written
// by `intermediate`, the payload to `payload`. The payload is written only
// when every layer inflated; errors name the package. A package that is not
// empty must inflate to a payload that is not empty either, and a payload
// that is itself another layer (a 24-layer package) is damage.
Result<void> unpackPackage(const std::filesystem::path& source,
                           const IntermediateNaming& intermediate,
                           const std::filesystem::path& payload);

// A file is a package when its extension is exactly ".rar" or ".RAR".
bool isPackageFileName(const std::filesystem::path& path);

}  // namespace orvane
