#pragma once
// Whole-file reading and writing. writeWholeFile goes through a temporary
// file and a rename, so a failed write leaves no partial file; writeFreshFile
// removes the old file and writes a new one in place (for files nobody reads
// while they are written). Errors name the file. Any thread may call these.
// Both give the path a new file, so a hard link kept to the old one (a
// FolderSnapshot) keeps the old content.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/error.h"

class QImage;

namespace orvane {

using Bytes = std::vector<std::uint8_t>;

Result<Bytes> readWholeFile(const std::filesystem::path& path);
Result<void> writeWholeFile(const std::filesystem::path& path, const Bytes& bytes);
Result<void> writeFreshFile(const std::filesystem::path& path, const Bytes& bytes);
// Encodes `image` in `format` ("BMP", "PNG") and writes it with writeWholeFile.
Result<void> writeImageFile(const QImage& image, const std::filesystem::path& path,
                            const char* format);

}  // namespace orvane
