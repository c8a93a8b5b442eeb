#pragma once
// The concrete encoding of one conversion: container, codecs, rates and
// bit rates, worked out from the settings and the output name.

#include "app/error.h"
#include "render/mcl/encoder_settings.h"

extern "C" {
#include <libavcodec/codec_id.h>
#include <libavutil/rational.h>
}

#include <QString>

namespace orvane {

enum class OutputKind { ProgramStream, Avi, PictureSequence };

struct OutputPlan {
    OutputKind kind = OutputKind::ProgramStream;
    QString path;                 // the output file, or the first picture of a sequence
    const char* muxer = nullptr;  // "vcd", "svcd", "dvd", "avi"
    int width = 0;
    int height = 0;

    // Video (movies).
    AVCodecID videoCodec = AV_CODEC_ID_NONE;
    AVRational frameRate{25, 1};
    bool repeatForDuration = false;  // NTSC with keep-duration
    int videoKbps = 0;
    int maxKbps = 0;     // 0: no VBV limit
    int bufferBits = 0;  // VBV buffer size
    int gopSize = 15;
    int bFrames = 2;

    // Audio (movies).
    AVCodecID audioCodec = AV_CODEC_ID_NONE;
    const char* audioEncoderName = nullptr;
    int sampleRate = 44100;
    int audioKbps = 224;
    bool truncateAudio = false;

    // Pictures.
    AVCodecID pictureCodec = AV_CODEC_ID_NONE;
    int jpegQscale = 2;
};

// The plan for `settings`, or a message saying which value cannot be used.
Result<OutputPlan> planOutput(const EncoderSettings& settings);

// The album frame rate: 25 per second in every format.
inline constexpr int kAlbumFramesPerSecond = 25;

// How many output frames album frame `albumFrame` takes (1, or with NTSC and
// keep-duration 1 or 2 so that frame n ends at n / 25 seconds).
int outputFramesFor(const OutputPlan& plan, long long albumFrame);

}  // namespace orvane
