#pragma once
// Writing JPEG files: baseline, quality 90, 24-bit colour (YCbCr 4:2:0), the
// form every staged picture takes. Files are replaced atomically, so a failed
// write leaves no partial picture. Any thread may call these functions.

#include <QImage>
#include <QString>
#include <filesystem>

#include "base/error.h"
#include "base/file_io.h"

namespace orvane {

inline constexpr int kJpegQuality = 90;

// Encodes `image` (any format; alpha is dropped) into JPEG bytes.
Result<Bytes> encodeJpeg(const QImage& image);

// Encodes `image` as encodeJpeg does and writes it to `path`.
Result<void> saveJpeg(const QImage& image, const std::filesystem::path& path);

// Loads the bitmap file `bitmap` and saves it as a JPEG under `target` with
// its extension replaced by `extension` (appended when it has none).
Result<void> convertToJpeg(const std::filesystem::path& bitmap, const std::filesystem::path& target,
                           const QString& extension);

}  // namespace orvane
