#include "render/album/album_encoder.h"

#include <optional>

#include "render/album/paint_thread.h"
#include "render/mcl/mcl.h"

namespace orvane {

namespace {

std::optional<MclFormat> formatPreset(OutputType outputType) {
    if (outputType == OutputType::Vcd) return MclFormat::VCD;
    if (outputType == OutputType::Svcd) return MclFormat::SVCD;
    if (outputType == OutputType::Dvd) return MclFormat::DVD;
    return std::nullopt;
}

// The encoder's failure: the library's words, and what kind of failure.
UserError encoderError(MclError error, const QString& words) {
    const QString message = words.isEmpty() ? QStringLiteral("Nothing to convert.") : words;
    switch (error) {
        case MclError::Settings:
            return problemError(Problem::EncoderSettings, message, {}, words);
        case MclError::Source:
            return problemError(Problem::EncoderSource, message, {}, words);
        case MclError::Output:
            return problemError(Problem::EncoderOutput, message, {}, words);
        default:
            return problemError(Problem::EncoderFailed, message, {}, words);
    }
}

UserError stoppedError() {
    return UserError{QStringLiteral("The album was stopped; no file was written."),
                     ErrorKind::Stopped,
                     Problem::Unknown,
                     {},
                     {}};
}

AlbumLogLine plainLine(AlbumLogKind kind, const QString& english, std::int64_t count = 0) {
    AlbumLogLine line;
    line.kind = kind;
    line.english = english;
    line.count = count;
    return line;
}

// The encoder's progress report as a log line, with the elapsed time at the
// end and the time left while frames are encoded.
AlbumLogLine progressLine(const MclEncoder& h, MclStatus status, std::int64_t a, std::int64_t b,
                          int c, std::int64_t frames, std::int64_t samples) {
    AlbumLogLine line = plainLine(AlbumLogKind::EncoderProgress,
                                  MclProgressLine(h, status, a, b, c, frames, samples));
    line.status = status;
    line.a = a;
    line.b = b;
    line.c = c;
    if (status == MclStatus::ProcessingTime)
        line.time = MclMakeTimeStr(MclGetElapsedTime(h));
    else if (status == MclStatus::Frame)
        line.time = MclMakeTimeStr(MclGetRemainingTime(h, frames, samples));
    return line;
}

}  // namespace

EncoderSettings albumEncoderSettings(const AlbumSettings& settings, QSize size,
                                     bool truncateAudioToVideo, const QString& outputPath) {
    EncoderSettings encoder;
    encoder.preset = formatPreset(settings.outputType);
    encoder.tvSystem = settings.tvSystem == TvSystem::Ntsc ? MclTvSystem::NTSC : MclTvSystem::PAL;
    encoder.keepDuration = true;
    encoder.truncateAudioToVideo = truncateAudioToVideo;
    encoder.width = size.width();
    encoder.height = size.height();
    encoder.quality = settings.quality == Quality::High ? MclQuality::High : MclQuality::Normal;
    encoder.audioCodec = MclAudioCodec::FormatDefault;
    encoder.videoFileName = outputPath;
    encoder.audioFileName = outputPath;
    return encoder;
}

Result<std::int64_t> encodeAlbum(const AlbumEncoding& encoding, Progress& progress) {
    const auto& log = encoding.log;
    MclListHandle videoList = MclListCreate();
    MclListHandle audioList = MclListCreate();
    MclListAddMemoryFrames(*videoList, encoding.frames);
    for (const QString& song : encoding.songs) MclListAdd(*audioList, song, kMclAudioEntry);
    progress.advance(encoding.frames);
    const std::int64_t frames = MclListGetFrameCount(*videoList);
    const std::int64_t samples = MclListGetSampleCount(*audioList);
    log(plainLine(AlbumLogKind::TotalFrames, QStringLiteral("Total frames:  %1").arg(frames),
                  frames));
    log(plainLine(AlbumLogKind::TotalSamples, QStringLiteral("Total samples: %1").arg(samples),
                  samples));

    bool stopped = false;
    std::optional<UserError> frameError;
    MclHandle encoder = MclCreate();
    MclSetSettings(*encoder, encoding.settings);
    MclAssignCallbacks(
        *encoder,
        {.videoSource = MclListSource(*videoList),
         .video =
             [&](MclEncoder&, QImage& frame, int index) {
                 if (progress.isCancelled()) {
                     stopped = true;
                     return false;
                 }
                 if (auto painted = encoding.paintFrame(frame, index); !painted) {
                     frameError = painted.error();
                     return false;
                 }
                 progress.advance();
                 return true;
             },
         .audioSource = MclListSource(*audioList),
         .audio = {},
         .progress = [&](MclEncoder& h, MclStatus status, std::int64_t a, std::int64_t b,
                         int c) { log(progressLine(h, status, a, b, c, frames, samples)); },
         .error =
             [&](MclEncoder& h, MclError error) {
                 AlbumLogLine line = plainLine(AlbumLogKind::EncoderError, MclGetErrorStr(h));
                 line.problem = encoderError(error, line.english);
                 log(line);
             }});

    bool converted = false;
    if (frames > 0 || samples > 0) {
        log(plainLine(AlbumLogKind::ConversionStarted, QStringLiteral("Starting conversion...")));
        runOnPaintThread([&] { converted = MclConvert(*encoder); });
        log(plainLine(AlbumLogKind::ConversionEnded, QStringLiteral("Conversion ended.")));
    } else {
        log(plainLine(AlbumLogKind::NothingToConvert, QStringLiteral("Nothing to convert.")));
    }
    if (frameError) return fail(*frameError);
    if (stopped || MclGetError(*encoder) == MclError::Aborted) return fail(stoppedError());
    if (!converted) return fail(encoderError(MclGetError(*encoder), MclGetErrorStr(*encoder)));
    return frames;
}

}  // namespace orvane
