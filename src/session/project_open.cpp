#include "session/project_open.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <set>

#include "audio/media_thumbnail.h"
#include "base/folder_snapshot.h"
#include "base/project_file.h"
#include "photos/auto_fit.h"
#include "photos/new_photo_output.h"
#include "photos/staging.h"

namespace orvane {

namespace {

constexpr PhotoStep kNo = PhotoStep::Pending;

bool fileIsThere(const QString& path) { return QFileInfo(path).isFile(); }

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Drops the rows whose file is gone, with one message each.
template <typename Row>
void dropMissing(Table<Row>& table, QString Row::*member, const QString& what,
                 QStringList& messages, const std::function<void(const Row&)>& onDrop = {}) {
    table.removeIf([&](const Row& row) {
        if (fileIsThere(row.*member)) return false;
        messages << QStringLiteral("The %1 %2 was not found; it was left out.")
                        .arg(what, shown(row.*member));
        if (onDrop) onDrop(row);
        return true;
    });
}

const TemplateEntry* catalogueEntry(const ProjectModel& model, const QString& package) {
    for (const TemplateEntry& t : model.catalogue)
        if (QFileInfo(t.location).absoluteFilePath() == QFileInfo(package).absoluteFilePath())
            return &t;
    return nullptr;
}

// The measured part of a photo row, as an import batch row; it keeps the
// crop styles it was staged with.
PhotoEntry batchRow(const PhotoEntry& photo) {
    PhotoEntry row;
    row.stagedCrop = photo.stagedCrop;
    row.location = photo.location;
    row.fileName = photo.fileName;
    row.fileType = photo.fileType;
    row.width = photo.width;
    row.height = photo.height;
    row.orientation = photo.orientation;
    return row;
}

// Fits `rows` (positions in loaded.photos) into new templates drawn from the
// catalogue of `model`; rows left unplaced are removed with a message.
void refit(ProjectModel& loaded, const ProjectModel& model, const std::set<std::size_t>& rows,
           QStringList& messages) {
    if (rows.empty()) return;
    ProjectModel fit = model;
    fit.photos.clear();
    fit.photoWorking.clear();
    fit.templateInstanceCount = loaded.templateInstanceCount;
    fit.random = loaded.random;
    for (std::size_t r : rows) fit.photoWorking.append(batchRow(loaded.photos.at(r)));
    NullProgress quiet;
    const AutoFitReport report = runAutoFit(fit, quiet);
    for (const QString& unplaced : report.unplaced) messages << unplaced;
    // The matcher appends the placed rows in batch order.
    std::size_t next = 0;
    std::set<std::size_t> unplacedRows;
    for (std::size_t r : rows) {
        if (next < fit.photos.size() &&
            fit.photos.at(next).location == loaded.photos.at(r).location) {
            PhotoEntry placed = fit.photos.at(next++);
            messages << QStringLiteral(
                            "The template of the photo %1 is no longer in the store or lost a "
                            "photo; the photo was given a new template.")
                            .arg(shown(placed.location));
            loaded.photos.at(r) = std::move(placed);
        } else {
            unplacedRows.insert(r);
        }
    }
    std::size_t i = 0;
    loaded.photos.removeIf([&](const PhotoEntry&) { return unplacedRows.contains(i++); });
    loaded.templateInstanceCount = fit.templateInstanceCount;
    loaded.random = fit.random;
}

// Photos: those whose file is gone are left out; instances whose package is
// gone or which lost a photo are fitted anew.
void checkPhotos(ProjectModel& loaded, const ProjectModel& model, QStringList& messages) {
    std::set<QString> brokenInstances;
    loaded.photos.removeIf([&](const PhotoEntry& photo) {
        if (fileIsThere(photo.location)) return false;
        messages << QStringLiteral("The photo %1 was not found; it was left out.")
                        .arg(shown(photo.location));
        brokenInstances.insert(photo.templateFolder);
        return true;
    });
    for (PhotoEntry& photo : loaded.photos) {
        const TemplateEntry* t = catalogueEntry(model, photo.templatePath);
        if (!t) {
            brokenInstances.insert(photo.templateFolder);
            continue;
        }
        photo.templatePath = t->location;
        photo.templateFrameCount = t->frameCount;
    }
    std::set<std::size_t> rows;
    for (std::size_t r = 0; r < loaded.photos.size(); ++r)
        if (brokenInstances.contains(loaded.photos.at(r).templateFolder)) rows.insert(r);
    refit(loaded, model, rows, messages);
}

void checkMedia(ProjectModel& loaded, QStringList& messages) {
    std::set<QString> lostSongKeys, lostLyricKeys;
    dropMissing<MusicEntry>(loaded.music, &MusicEntry::location, QStringLiteral("song"), messages,
                            [&](const MusicEntry& song) { lostSongKeys.insert(song.boundLyric); });
    dropMissing<LyricEntry>(
        loaded.lyrics, &LyricEntry::location, QStringLiteral("lyric file"), messages,
        [&](const LyricEntry& lyric) { lostLyricKeys.insert(lyric.boundMusic); });
    // A partner that stayed loses its binding.
    for (LyricEntry& lyric : loaded.lyrics)
        if (lyric.boundMusic != kNone && lostSongKeys.contains(lyric.boundMusic))
            lyric.boundMusic = lyric.boundMusicName = kNone;
    for (MusicEntry& song : loaded.music)
        if (song.boundLyric != kNone && lostLyricKeys.contains(song.boundLyric))
            song.boundLyric = song.boundLyricName = kNone;
    dropMissing<KaraokeEntry>(loaded.karaoke, &KaraokeEntry::location,
                              QStringLiteral("karaoke file"), messages);
    dropMissing<PictureEffect>(loaded.pictureEffects, &PictureEffect::decoration,
                               QStringLiteral("decoration picture"), messages);
    int seqNo = 0;
    for (PictureEffect& picture : loaded.pictureEffects) picture.seqNo = ++seqNo;
}

Result<void> writeMediaThumbnails(const ProjectModel& model, const WorkingFolder& folder) {
    try {
        for (std::size_t i = 0; i < model.music.size(); ++i)
            writeMediaThumbnail(folder, MediaKind::Song, int(i) + 1, model.music.at(i).fileName);
        for (std::size_t i = 0; i < model.lyrics.size(); ++i)
            writeMediaThumbnail(folder, MediaKind::Lyric, int(i) + 1, model.lyrics.at(i).fileName);
    } catch (const OrvaneError& e) {
        return fail(e.message());
    }
    return {};
}

}  // namespace

Result<ProjectOpenReport> openProject(ProjectModel& model, const WorkingFolder& folder,
                                      const QString& path, Progress& progress) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto read = readProjectFile({absolute, folder.base()});
    if (!read) return std::unexpected(read.error());
    ProjectModel& loaded = *read;
    loaded.random = model.random;  // new templates are drawn as the run's seed says

    ProjectOpenReport report;
    checkMedia(loaded, report.messages);
    checkPhotos(loaded, model, report.messages);
    for (const QString& message : report.messages) progress.notice(message);

    ProjectModel work = model;
    work.photos = std::move(loaded.photos);
    work.photoWorking.clear();
    work.photoDragScratch.clear();
    work.musicDragScratch.clear();
    work.lyricDragScratch.clear();
    work.music = std::move(loaded.music);
    work.lyrics = std::move(loaded.lyrics);
    work.karaoke = std::move(loaded.karaoke);
    work.textEffects = std::move(loaded.textEffects);
    work.pictureEffects = std::move(loaded.pictureEffects);
    const PackageExtensions extensions = work.settings.ext;
    work.settings = loaded.settings;
    work.settings.ext = extensions;  // fixed for the run
    work.templateInstanceCount = loaded.templateInstanceCount;
    work.bindingKeySerial = std::max(work.bindingKeySerial, loaded.bindingKeySerial);
    work.random = loaded.random;
    // Every photo is staged again into fresh template folders.
    work.stagingReset = QStringLiteral("kai");
    for (PhotoEntry& photo : work.photos) photo.thumbnailState = photo.cropState = kNo;

    FolderSnapshot snapshot(folder, {{folder.instancesFolder().parent_path()},
                                     {folder.thumbnailFolder(1)},
                                     {folder.thumbnailFolder(2)},
                                     {folder.thumbnailFolder(3)},
                                     {folder.movieUnpackFolder(), KeepMode::AddedEntries}});
    progress.start(2 * work.photos.count() + 1, QStringLiteral("打开工程"));
    if (auto ok = unpackAssignedTemplates(work, folder, progress); !ok)
        return std::unexpected(ok.error());
    if (auto ok = thumbnailAndStageNewPhotos(work, folder, progress); !ok)
        return std::unexpected(ok.error());
    if (auto ok = writeMediaThumbnails(work, folder); !ok) return std::unexpected(ok.error());
    work.photos.renumber();
    snapshot.keep();
    model = std::move(work);
    return report;
}

Session::Operation openProjectOperation(const QString& path) {
    return [path](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
        auto opened = openProject(model, folder, path, progress);
        if (!opened) return Result<void>(std::unexpected(opened.error()));
        return Result<void>();
    };
}

Result<void> saveProject(const ProjectModel& model, const WorkingFolder& folder,
                         const QString& path) {
    return saveProjectFile(model, {QFileInfo(path).absoluteFilePath(), folder.base()});
}

}  // namespace orvane
