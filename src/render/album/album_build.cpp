#include "render/album/album_build.h"

#include <functional>

#include "base/folder_snapshot.h"
#include "render/album/album_encoder.h"
#include "render/album/album_log.h"
#include "render/album/album_output.h"
#include "render/album/frame_producer.h"
#include "render/album/song_frames.h"
#include "render/album/template_usage.h"
#include "render/overlays/frame_overlays.h"

namespace orvane {

namespace {

const QString kNoPhotos = QStringLiteral("没有添加相片文件！");

void removeWorkingFrames(const WorkingFolder& folder) {
    std::error_code ec;
    for (const auto& file : {folder.composedFrame(), folder.lastFrameBitmap(),
                             folder.lastFrameJpeg(), folder.transitionPicture()})
        std::filesystem::remove(file, ec);
}

QStringList songsHeard(const ProjectModel& model, const std::vector<int>& songOrder) {
    QStringList songs;
    for (int song : songOrder) songs << model.music.at(static_cast<std::size_t>(song)).location;
    return songs;
}

void logLeftOut(const std::vector<UserError>& leftOut,
                const std::function<void(const AlbumLogLine&)>& say) {
    for (const UserError& problem : leftOut) {
        AlbumLogLine line;
        line.kind = AlbumLogKind::LeftOut;
        line.english = problem.message;
        line.problem = problem;
        say(line);
    }
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

    const bool pictures = settings.outputType == OutputType::PictureSequence;
    AlbumOutput output(folder, request.output,
                       pictures ? std::optional(settings.imageSequenceFormat) : std::nullopt,
                       request.replaceExisting);
    if (auto opened = output.open(); !opened) return std::unexpected(opened.error());
    // The loading picture and the frame files; a stopped or failed build
    // puts them back as they were.
    FolderSnapshot snapshot(folder, {{folder.transitionFolder()}, {folder.loadFolder()}});
    auto failRun = [&](const UserError& error) {
        snapshot.restore();
        output.discard();
        return fail(error);
    };

    AlbumReport report;
    AlbumLog log([&progress](const QString& line) { progress.log(line); });
    const AlbumLogWording word = request.wordLog ? request.wordLog : englishLogText;
    auto say = [&log, &word](const AlbumLogLine& line) { log.add(word(line)); };
    const TemplateUsageTable playList = playListFrom(buildTemplateUsageTable(model, folder));
    report.timeline = planAlbumTimeline(templateFrameCounts(playList), *songFrames, settings);
    progress.start(2 * report.timeline.totalFrames, QStringLiteral("制作相册"));

    FrameOverlays overlays(songsMeasured, size, {.songOrder = report.timeline.songOrder});
    FrameProducer producer(
        folder, playList,
        {.outputSize = size, .afterLastInstance = report.timeline.afterLastInstance},
        [&overlays, draw = !overlays.empty()](QImage& frame, int albumFrame) {
            if (draw) overlays.paint(frame, albumFrame);
        },
        say);
    if (auto started = producer.start(); !started) return failRun(started.error());

    const auto frames = encodeAlbum(
        {.settings = albumEncoderSettings(settings, size, report.timeline.truncateAudioToVideo,
                                          output.encoderPath()),
         .frames = report.timeline.totalFrames,
         .songs = songsHeard(model, report.timeline.songOrder),
         .paintFrame = std::bind_front(&FrameProducer::paintFrame, &producer),
         .log = say},
        progress);
    logLeftOut(overlays.leftOut(), say);
    report.log = log.lines();
    if (!frames) return failRun(frames.error());
    auto placed = output.commit();
    if (!placed) return failRun(placed.error());

    removeWorkingFrames(folder);
    snapshot.keep();
    report.outputPath = *placed;
    report.replacedExisting = output.replacedExisting();
    report.frames = static_cast<int>(*frames);
    report.skippedTemplates = producer.skippedMovies();
    report.leftOut = producer.skippedProblems();
    for (const UserError& leftOut : overlays.leftOut()) report.leftOut.push_back(leftOut);
    return report;
}

}  // namespace orvane
