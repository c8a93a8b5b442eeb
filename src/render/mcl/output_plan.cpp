#include "render/mcl/output_plan.h"

#include <QFileInfo>
#include <algorithm>
#include <iterator>

namespace orvane {

namespace {

// Bits per pixel per album frame that keep pans and zooms free of blocks at
// high quality; MPEG-4 Part 2 needs less than MPEG-1/2 for the same picture.
constexpr double kMpeg12BitsPerPixel = 0.35;
constexpr double kMpeg4BitsPerPixel = 0.25;

int highQualityKbps(int width, int height, double bitsPerPixel, int capKbps) {
    const double kbps = double(width) * height * kAlbumFramesPerSecond * bitsPerPixel / 1000.0;
    return std::clamp(int(kbps), 800, capKbps);
}

struct ProgramStreamFormat {
    const char* muxer;
    AVCodecID video;
    int capKbps;     // the format's highest average video bit rate
    int maxKbps;     // the format's peak video rate
    int bufferBits;  // the format's VBV buffer
    int sampleRate;
};

ProgramStreamFormat programStreamFormat(MclFormat format) {
    switch (format) {
        case MclFormat::VCD:
            return {"vcd", AV_CODEC_ID_MPEG1VIDEO, 1150, 1150, 40 * 1024 * 8, 44100};
        case MclFormat::SVCD:
            return {"svcd", AV_CODEC_ID_MPEG2VIDEO, 2400, 2516, 224 * 1024 * 8, 44100};
        case MclFormat::DVD:
            break;
    }
    return {"dvd", AV_CODEC_ID_MPEG2VIDEO, 8000, 9000, 224 * 1024 * 8, 48000};
}

// H.264 levels by what they allow: frame size and macroblock rate, the
// decoded picture buffer (in macroblocks), the High profile's peak rate and
// buffer. Phones and browsers play High up to 4.0; 5.1 only serves sizes
// beyond 1080p.
struct H264Level {
    const char* name;
    int maxFrameMbs;
    long long maxMbsPerSecond;
    int maxDpbMbs;
    int highMaxKbps;
    int highBufferKbits;
};

constexpr H264Level kH264Levels[] = {
    {"3.1", 3600, 108000, 18000, 17500, 17500},
    {"4.0", 8192, 245760, 32768, 25000, 31250},
    {"5.1", 36864, 983040, 184320, 300000, 300000},
};

// The x264 preset and rate factor of each quality, and the reference frames
// the preset would use (capped below by the level). Chosen by measurement on
// the sample album: see bench/mp4.sh and docs/ARCHITECTURE.md.
struct X264Choice {
    const char* preset;
    int crf;
    int presetReferences;
};
constexpr X264Choice kX264High{"medium", 20, 3};
constexpr X264Choice kX264Normal{"veryfast", 23, 1};

void planMp4(OutputPlan& plan, const EncoderSettings& settings) {
    plan.kind = OutputKind::Mp4;
    plan.muxer = "mp4";
    plan.fastStart = true;
    plan.videoCodec = AV_CODEC_ID_H264;
    plan.videoEncoderName = "libx264";
    const bool ntsc = settings.tvSystem == MclTvSystem::NTSC;
    plan.frameRate = ntsc ? AVRational{30000, 1001} : AVRational{25, 1};
    plan.repeatForDuration = ntsc && settings.keepDuration;
    plan.gopSize = ntsc ? 150 : 125;  // a key frame every 5 seconds for seeking
    plan.bFrames = -1;
    const X264Choice choice = settings.quality == MclQuality::High ? kX264High : kX264Normal;
    plan.x264Preset = choice.preset;
    plan.crf = choice.crf;
    plan.profile = "high";
    plan.bt709 = true;
    const int frameMbs = ((plan.width + 15) / 16) * ((plan.height + 15) / 16);
    const long long mbsPerSecond =
        (long long)frameMbs * plan.frameRate.num / plan.frameRate.den + 1;
    const H264Level* level = &kH264Levels[std::size(kH264Levels) - 1];
    for (const H264Level& l : kH264Levels) {
        if (frameMbs <= l.maxFrameMbs && mbsPerSecond <= l.maxMbsPerSecond) {
            level = &l;
            break;
        }
    }
    plan.level = level->name;
    plan.referenceFrames =
        std::clamp(std::min(choice.presetReferences, level->maxDpbMbs / frameMbs), 1, 16);
    // CRF within the level's peak rate and buffer, so no player stalls.
    plan.videoKbps = settings.explicitKbps;  // 0: constant rate factor
    plan.maxKbps = level->highMaxKbps;
    plan.bufferBits = level->highBufferKbits * 1000;
    plan.audioCodec = AV_CODEC_ID_AAC;
    plan.audioEncoderName = "aac";
    plan.sampleRate = 44100;  // the songs' own rate: no resampling
    plan.audioKbps = settings.quality == MclQuality::High ? 192 : 128;
}

}  // namespace

int outputFramesFor(const OutputPlan& plan, long long albumFrame) {
    if (!plan.repeatForDuration) return 1;
    // Output frames that start before the end of album frame n, exactly:
    // ceil(n × rate / 25) with rate = num/den.
    const auto endOf = [&](long long n) {
        const long long num = n * plan.frameRate.num;
        const long long den = (long long)plan.frameRate.den * kAlbumFramesPerSecond;
        return (num + den - 1) / den;
    };
    return int(endOf(albumFrame + 1) - endOf(albumFrame));
}

Result<OutputPlan> planOutput(const EncoderSettings& settings) {
    OutputPlan plan;
    plan.path = settings.videoFileName.isEmpty() ? settings.audioFileName : settings.videoFileName;
    if (plan.path.isEmpty())
        return fail(QStringLiteral("No output file name was given to the encoder."));
    if (settings.width < 16 || settings.height < 16 || settings.width > 4094 ||
        settings.height > 4094 || settings.width % 2 || settings.height % 2)
        return fail(QStringLiteral(
                        "The picture size %1 × %2 cannot be encoded (even sizes from 16 to 4094).")
                        .arg(settings.width)
                        .arg(settings.height));
    plan.width = settings.width;
    plan.height = settings.height;
    plan.truncateAudio = settings.truncateAudioToVideo;
    const bool high = settings.quality == MclQuality::High;
    const auto pick = [&](int highKbps) {
        if (settings.explicitKbps > 0) return settings.explicitKbps;
        return high ? highKbps : highKbps / 2;
    };

    const QString suffix = QFileInfo(plan.path).suffix().toLower();
    if (settings.preset) {
        const ProgramStreamFormat format = programStreamFormat(*settings.preset);
        plan.kind = OutputKind::ProgramStream;
        plan.muxer = format.muxer;
        plan.videoCodec = format.video;
        plan.sampleRate = format.sampleRate;
        const bool ntsc = settings.tvSystem == MclTvSystem::NTSC;
        plan.frameRate = ntsc ? AVRational{30000, 1001} : AVRational{25, 1};
        plan.repeatForDuration = ntsc && settings.keepDuration;
        plan.gopSize = ntsc ? 18 : 15;
        plan.videoKbps =
            pick(highQualityKbps(plan.width, plan.height, kMpeg12BitsPerPixel, format.capKbps));
        plan.maxKbps = std::max(format.maxKbps, plan.videoKbps);
        plan.bufferBits = format.bufferBits;
        const bool ac3 =
            *settings.preset == MclFormat::DVD && settings.audioCodec == MclAudioCodec::Ac3;
        plan.audioCodec = ac3 ? AV_CODEC_ID_AC3 : AV_CODEC_ID_MP2;
        plan.audioEncoderName = ac3 ? "ac3" : "mp2";
        plan.audioKbps = ac3 ? 192 : 224;
        return plan;
    }
    if (suffix == QLatin1String("mp4")) {
        planMp4(plan, settings);
        return plan;
    }
    if (suffix == QLatin1String("avi")) {
        plan.kind = OutputKind::Avi;
        plan.muxer = "avi";
        plan.videoCodec = AV_CODEC_ID_MPEG4;
        plan.frameRate = AVRational{25, 1};
        plan.gopSize = 50;
        plan.videoKbps = pick(highQualityKbps(plan.width, plan.height, kMpeg4BitsPerPixel, 12000));
        plan.audioCodec = AV_CODEC_ID_MP3;
        plan.audioEncoderName = "libmp3lame";
        plan.sampleRate = 44100;
        plan.audioKbps = 192;
        return plan;
    }
    const struct {
        const char* suffix;
        AVCodecID codec;
    } pictureFormats[] = {{"jpg", AV_CODEC_ID_MJPEG},
                          {"jpeg", AV_CODEC_ID_MJPEG},
                          {"bmp", AV_CODEC_ID_BMP},
                          {"tga", AV_CODEC_ID_TARGA},
                          {"pcx", AV_CODEC_ID_PCX}};
    for (const auto& format : pictureFormats) {
        if (suffix == QLatin1String(format.suffix)) {
            plan.kind = OutputKind::PictureSequence;
            plan.pictureCodec = format.codec;
            plan.jpegQscale = high ? 2 : 4;
            return plan;
        }
    }
    return fail(
        QStringLiteral("The encoder cannot tell the format of %1: set a format preset, or name "
                       "an .avi or .mp4 file or a .jpg, .bmp, .tga or .pcx picture.")
            .arg(plan.path));
}

}  // namespace orvane
