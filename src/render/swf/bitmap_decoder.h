#pragma once
// Bitmap tags (DefineBitsJPEG2/3, DefineBitsLossless 1/2) and external
// pictures, decoded into premultiplied ARGB images (RGB32 when opaque). Sizes are checked before
// any pixel memory is taken.

#include <QImage>
#include <QString>
#include <span>

#include "base/error.h"
#include "render/swf/swf_movie.h"

namespace orvane::swf {

// Body after the character id. Errors say what is wrong (without file name).
Result<QImage> decodeJpeg2(std::span<const std::uint8_t> body, int version);
Result<QImage> decodeJpeg3(std::span<const std::uint8_t> body, int version);
Result<QImage> decodeLossless(std::span<const std::uint8_t> body, bool withAlpha);

// The pixels a bitmap tag's body (after the character id) declares, read from
// its header without decoding; 0 when the header cannot be read (decoding
// then fails on its own). `jpeg3` bodies start with the alpha offset.
std::int64_t declaredJpegPixels(std::span<const std::uint8_t> body, bool jpeg3);
std::int64_t declaredLosslessPixels(std::span<const std::uint8_t> body);

enum class ContentKind { Unknown, Jpeg, Png, Gif, Bmp, Swf };
// What a file holds, from its first bytes.
ContentKind sniffContent(std::span<const std::uint8_t> data);
// Decodes a JPEG, PNG, GIF or BMP picture recognised by its content.
Result<QImage> decodePicture(std::span<const std::uint8_t> data);

// Inflates zlib data; fails when the result would exceed `maxBytes`.
Result<Bytes> inflateBounded(std::span<const std::uint8_t> data, std::size_t maxBytes);

}  // namespace orvane::swf
