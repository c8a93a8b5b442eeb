#pragma once
// DefineShape 1-4: styles and shape records, turned into filled contours per
// fill style and stroked paths per line style (see shape_parser.cpp).

#include "render/swf/byte_reader.h"
#include "render/swf/swf_movie.h"

namespace orvane::swf {

// Reads the body of a DefineShape tag after the character id. `shapeVersion`
// is 1..4. `bitmaps` resolves bitmap ids (for the rectangle fast path).
Shape readShape(ByteReader& in, int shapeVersion, const Movie& movie);

}  // namespace orvane::swf
