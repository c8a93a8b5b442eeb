#pragma once
// Helpers shared by the fuzz targets: a scratch file per process for the
// readers that take a path, and one offscreen QGuiApplication for targets
// that measure or paint text.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace orvane::fuzz {

// A file of this process under the temporary folder, rewritten with the
// input on every call; its name keeps `extension` (".mp3", ".jpg", …).
std::filesystem::path writeScratchFile(const std::uint8_t* data, std::size_t size,
                                       const char* extension);

// A scratch folder of this process, emptied on every call.
std::filesystem::path freshScratchFolder();

// Makes the offscreen QGuiApplication once (fonts, painting).
void ensureGuiApplication();

inline QString toQ(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

}  // namespace orvane::fuzz
