#pragma once
// Reading SWF files into an immutable Movie: the header (plain "FWS" or
// zlib-compressed "CWS"), the dictionary and the timelines. Unknown tags are
// skipped; damaged or absurd files (see the limits in swf_movie.h) are
// refused with a message that names the file.

#include <QString>
#include <filesystem>
#include <memory>

#include "base/error.h"
#include "render/swf/swf_movie.h"

namespace orvane::swf {

// `name` is used in messages (usually the file's path).
Result<std::shared_ptr<const Movie>> parseMovie(const Bytes& data, const QString& name);
Result<std::shared_ptr<const Movie>> loadMovieFile(const std::filesystem::path& path);

}  // namespace orvane::swf
