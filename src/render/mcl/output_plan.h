#pragma once
// The concrete encoding of one conversion: container, codecs, rates and
// bit rates, worked out from the settings and the output name.

#include "base/error.h"
#include "render/mcl/encoder_settings.h"

extern "C" {
#include <libavcodec/codec_id.h>
#include <libavutil/rational.h>
}

#include <QString>

namespace orvane {

enum class OutputKind { ProgramStream, Avi, Mp4, PictureSequence };

struct OutputPlan {
    OutputKind kind = OutputKind::ProgramStream;
    QString path;                 // the output file, or the first picture of a sequence
    const char* muxer = nullptr;  // "vcd", "svcd", "dvd", "avi", "mp4"
    bool fastStart = false;       // MP4: the index (moov) before the media data
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
    int bFrames = 2;  // -1: the encoder's preset decides

    // H.264 (MP4): libx264 with a preset and a constant rate factor, a
    // profile and level that phones and browsers play, BT.709 colours.
    const char* videoEncoderName = nullptr;  // by name when set, else by videoCodec
    const char* x264Preset = nullptr;
    int crf = 0;
    const char* profile = nullptr;  // "high"
    const char* level = nullptr;    // "3.1", "4.0"
    int referenceFrames = -1;       // -1: the preset's; else kept within the level
    bool bt709 = false;

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
