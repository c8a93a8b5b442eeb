// Photo measuring: the JPEG header and the EXIF orientation, as the import
// reads them, then the header the renderer reads.

#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "photos/photo_import.h"
#include "photos/photo_render.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    const QString photo = fuzz::toQ(fuzz::writeScratchFile(data, size, ".jpg"));
    (void)measurePhoto(photo);
    (void)readPhotoHeader(photo);
    return 0;
}
