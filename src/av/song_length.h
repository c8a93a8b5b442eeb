#pragma once
// The length of a song file, measured without decoding it. MP3 files carry a
// Xing/Info (with the LAME delay and padding) or VBRI header in their first
// frame when the encoder wrote one; otherwise the frames are counted by
// reading packets and summing their durations. Other formats take the length
// the demuxer reports. This is the one measure of a song: the import (its
// duration and frameCount), the album timeline and the encoder's sample
// count all take it. Any thread may call it.

#include <QString>
#include <cstdint>

#include "base/error.h"

namespace orvane::av {

enum class LengthSource { XingHeader, VbriHeader, FrameCount, Container };

struct SongLength {
    std::int64_t samples = 0;  // audible samples per channel
    int sampleRate = 0;
    LengthSource source = LengthSource::Container;
    std::int64_t milliseconds() const { return sampleRate > 0 ? samples * 1000 / sampleRate : 0; }
    // The length in samples at another rate, rounded to the nearest sample
    // (what the decoder gives when it resamples to that rate).
    std::int64_t samplesAt(int rate) const {
        return sampleRate > 0 ? (samples * rate + sampleRate / 2) / sampleRate : 0;
    }
};

// Fails with a message naming the file when it cannot be opened, holds no
// audio stream or no audio frame.
Result<SongLength> measureSongLength(const QString& path);

}  // namespace orvane::av
