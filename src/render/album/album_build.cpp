#include "render/album/album_build.h"

#include <unistd.h>

#include <QFileInfo>
#include <optional>

#include "base/folder_snapshot.h"
#include "render/album/album_log.h"
#include "render/album/frame_producer.h"
#include "render/album/paint_thread.h"
#include "render/album/song_frames.h"
#include "render/album/template_usage.h"
#include "render/mcl/image_sequence_folder.h"
#include "render/mcl/mcl.h"
#include "render/overlays/frame_overlays.h"

namespace orvane {

namespace {

const QString kNoPhotos = QStringLiteral("没有添加相片文件！");

std::optional<MclFormat> formatPreset(OutputType outputType) {
    if (outputType == OutputType::Vcd) return MclFormat::VCD;
    if (outputType == OutputType::Svcd) return MclFormat::SVCD;
    if (outputType == OutputType::Dvd) return MclFormat::DVD;
    return std::nullopt;
}

Result<void> checkOutputFolder(const QString& output) {
    const std::filesystem::path path = toPath(output);
    const std::filesystem::path parent =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    const QString name = toQString(parent);
    if (!std::filesystem::is_directory(parent, ec))
        return fail(problemError(Problem::OutputFolderMissing,
                                 QStringLiteral("The output folder %1 does not exist.").arg(name),
                                 name));
    if (::access(parent.c_str(), W_OK | X_OK) != 0)
        return fail(problemError(
            Problem::OutputFolderReadOnly,
            QStringLiteral("The output folder %1 cannot be written.").arg(name), name));
    return {};
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

AlbumLogLine plainLine(AlbumLogKind kind, const QString& english, std::int64_t count = 0) {
    AlbumLogLine line;
    line.kind = kind;
    line.english = english;
    line.count = count;
    return line;
}

void removeWorkingFrames(const WorkingFolder& folder) {
    std::error_code ec;
    for (const auto& file : {folder.composedFrame(), folder.lastFrameBitmap(),
                             folder.lastFrameJpeg(), folder.transitionPicture()})
        std::filesystem::remove(file, ec);
}

}  // namespace

QString albumExtension(OutputType outputType) {
    if (outputType == OutputType::Avi) return QStringLiteral(".avi");
    if (outputType == OutputType::Mp4) return QStringLiteral(".mp4");
    if (outputType == OutputType::PictureSequence) return {};
    return QStringLiteral(".mpg");
}

Result<AlbumReport> makeAlbum(const ProjectModel& model, const WorkingFolder& folder,
                              const AlbumRequest& request, Progress& progress) {
    if (model.photos.empty()) return fail(kNoPhotos);
    const AlbumSettings& settings = model.settings;
    const QSize size(settings.outputWidth, settings.outputHeight);
    // Every song is measured before the first frame is made, so that a song
    // that disappeared or is not sound is reported by name and nothing is
    // written.
    auto songFrames = songFrameCounts(model);
    if (!songFrames) return std::unexpected(songFrames.error());
    const std::optional<ProjectModel> remeasured = withSongFrames(model, *songFrames);
    const ProjectModel& songsMeasured = remeasured ? *remeasured : model;

    // The output: a file in a writable folder, or a new picture-sequence
    // folder, noted for the next start should this run be killed while it
    // writes. The pictures go to a temporary folder put in place at the end.
    const bool pictures = settings.outputType == OutputType::PictureSequence;
    struct OutputNote {
        const WorkingFolder& folder;
        ~OutputNote() { folder.forgetOutputInProgress(); }
    };
    std::optional<OutputNote> outputNote;
    std::optional<ImageSequenceFolder> sequence;
    QString outputPath = request.output;
    if (pictures) {
        sequence.emplace(request.output, settings.imageSequenceFormat, request.replaceExisting);
        folder.noteOutputInProgress(toPath(sequence->folder()));
        outputNote.emplace(folder);
        if (auto created = sequence->create(); !created) return std::unexpected(created.error());
        outputPath = sequence->temporaryFirstPicture();
    } else if (auto writable = checkOutputFolder(request.output); !writable) {
        return std::unexpected(writable.error());
    } else {
        folder.noteOutputInProgress(toPath(outputPath));
        outputNote.emplace(folder);
    }
    const bool fileThere = !pictures && QFileInfo::exists(outputPath);
    // The loading picture and the frame files; a stopped or failed build
    // puts them back as they were.
    FolderSnapshot snapshot(folder, {{folder.transitionFolder()}, {folder.loadFolder()}});
    auto failRun = [&](const UserError& error) {
        snapshot.restore();
        if (sequence) sequence->remove();
        return fail(error);
    };

    AlbumReport report;
    AlbumLog log([&progress](const QString& line) { progress.log(line); });
    const AlbumLogWording word = request.wordLog ? request.wordLog : englishLogText;
    auto say = [&log, &word](const AlbumLogLine& line) { log.add(word(line)); };
    const TemplateUsageTable usage = buildTemplateUsageTable(model, folder);
    const TemplateUsageTable playList = playListFrom(usage);
    report.timeline = planAlbumTimeline(templateFrameCounts(playList), *songFrames, settings);
    const int totalFrames = report.timeline.totalFrames;
    progress.start(2 * totalFrames, QStringLiteral("制作相册"));

    FrameOverlayOptions overlayOptions;
    overlayOptions.songOrder = report.timeline.songOrder;
    FrameOverlays overlays(songsMeasured, size, overlayOptions);
    const bool drawOverlays = !overlays.empty();

    FrameProducerSettings producerSettings;
    producerSettings.outputSize = size;
    producerSettings.afterLastInstance = report.timeline.afterLastInstance;
    FrameProducer producer(
        folder, playList, producerSettings,
        [&](QImage& frame, int albumFrame) {
            if (drawOverlays) overlays.paint(frame, albumFrame);
        },
        say);
    if (auto started = producer.start(); !started) return failRun(started.error());

    // The lists: every frame is painted in memory; the songs in the order heard.
    MclHandle encoder = MclCreate();
    MclListHandle videoList = MclListCreate();
    MclListHandle audioList = MclListCreate();
    MclListAddMemoryFrames(*videoList, totalFrames);
    for (int song : report.timeline.songOrder)
        MclListAdd(*audioList, model.music.at(static_cast<std::size_t>(song)).location,
                   kMclAudioEntry, 0, 0);
    progress.advance(totalFrames);
    const std::int64_t frames = MclListGetFrameCount(*videoList);
    const std::int64_t samples = MclListGetSampleCount(*audioList);
    say(plainLine(AlbumLogKind::TotalFrames, QStringLiteral("Total frames:  %1").arg(frames),
                  frames));
    say(plainLine(AlbumLogKind::TotalSamples, QStringLiteral("Total samples: %1").arg(samples),
                  samples));

    bool stopped = false;
    std::optional<UserError> frameError;
    MclAssignVideoSource(*encoder, MclListSource(*videoList));
    MclAssignAudioSource(*encoder, MclListSource(*audioList));
    MclAssignVideoFunc(*encoder, [&](MclEncoder&, QImage& frame, int index) {
        if (progress.isCancelled()) {
            stopped = true;
            return false;
        }
        if (auto painted = producer.paintFrame(frame, index); !painted) {
            frameError = painted.error();
            return false;
        }
        progress.advance();
        return true;
    });
    MclAssignProgress(
        *encoder, [&](MclEncoder& h, MclStatus status, std::int64_t a, std::int64_t b, int c) {
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
            say(line);
        });
    MclAssignError(*encoder, [&say](MclEncoder& h, MclError error) {
        AlbumLogLine line = plainLine(AlbumLogKind::EncoderError, MclGetErrorStr(h));
        line.problem = encoderError(error, line.english);
        say(line);
    });

    const MclTvSystem system =
        settings.tvSystem == TvSystem::Ntsc ? MclTvSystem::NTSC : MclTvSystem::PAL;
    if (const auto preset = formatPreset(settings.outputType))
        MclSetFormatPreset(*encoder, *preset, system);
    else
        MclVideoSetTvSystem(*encoder, system);
    MclVideoSetKeepDuration(*encoder, true);
    if (report.timeline.truncateAudioToVideo) MclAudioSetTruncateToVideo(*encoder, true);
    // The user's size is kept for every output kind.
    MclVideoSetFormat(*encoder, size.width(), size.height(), 32);
    if (settings.quality == Quality::High) MclVideoSetBitRate(*encoder, MclQuality::High);
    MclAudioSetCodec(*encoder, MclAudioCodec::FormatDefault);
    MclVideoSetFileName(*encoder, outputPath);
    MclAudioSetFileName(*encoder, outputPath);

    bool converted = false;
    if (frames > 0 || samples > 0) {
        say(plainLine(AlbumLogKind::ConversionStarted, QStringLiteral("Starting conversion...")));
        runOnPaintThread([&] { converted = MclConvert(*encoder); });
        say(plainLine(AlbumLogKind::ConversionEnded, QStringLiteral("Conversion ended.")));
    } else {
        say(plainLine(AlbumLogKind::NothingToConvert, QStringLiteral("Nothing to convert.")));
    }
    const MclError error = MclGetError(*encoder);
    const QString errorText = MclGetErrorStr(*encoder);
    MclAbort(*encoder);
    audioList.reset();
    videoList.reset();
    encoder.reset();
    for (const UserError& leftOut : overlays.leftOut()) {
        AlbumLogLine line = plainLine(AlbumLogKind::LeftOut, leftOut.message);
        line.problem = leftOut;
        say(line);
    }
    report.log = log.lines();

    if (frameError) return failRun(*frameError);
    if (stopped || error == MclError::Aborted)
        return failRun(UserError{QStringLiteral("The album was stopped; no file was written."),
                                 ErrorKind::Stopped,
                                 Problem::Unknown,
                                 {},
                                 {}});
    if (!converted) return failRun(encoderError(error, errorText));
    if (sequence) {
        if (auto placed = sequence->commit(); !placed) return failRun(placed.error());
        outputPath = sequence->firstPicture();
        report.replacedExisting = sequence->replacedExisting();
    } else {
        report.replacedExisting = fileThere;
    }
    removeWorkingFrames(folder);
    snapshot.keep();
    report.outputPath = outputPath;
    report.frames = static_cast<int>(frames);
    report.skippedTemplates = producer.skippedMovies();
    report.leftOut = producer.skippedProblems();
    for (const UserError& leftOut : overlays.leftOut()) report.leftOut.push_back(leftOut);
    return report;
}

}  // namespace orvane
