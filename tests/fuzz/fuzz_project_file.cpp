// The project file reader over any bytes: JSON or not, either format
// version, values of every type in every field. A file that opens is saved
// again; the saved document must open, and saving that gives the same bytes
// (a project survives being saved and opened any number of times).

#include <cstddef>
#include <cstdint>

#include "base/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    const ProjectPaths paths{QStringLiteral("/fuzz/albums/trip.orvane"), "/fuzz/smxcwjj"};
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto model = projectFromJson(bytes, paths);
    if (!model) return 0;
    const QByteArray saved = projectToJson(*model, paths);
    const auto again = projectFromJson(saved, paths);
    if (!again) __builtin_trap();
    if (projectToJson(*again, paths) != saved) __builtin_trap();
    return 0;
}
