// The length of an MP3 file: ID3 tags, Xing/Info/VBRI headers, frame counting.

#include <cstddef>
#include <cstdint>

extern "C" {
#include <libavutil/log.h>
}

#include "av/song_length.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    av_log_set_level(AV_LOG_QUIET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto song = orvane::fuzz::writeScratchFile(data, size, ".mp3");
    (void)orvane::av::measureSongLength(orvane::fuzz::toQ(song));
    return 0;
}
