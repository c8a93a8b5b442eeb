#include "session/media_files.h"

#include <QFileInfo>

#include "audio/karaoke_files.h"
#include "audio/media_import.h"
#include "base/folder_snapshot.h"
#include "base/media_file_kind.h"
#include "photos/photo_import.h"

namespace orvane {

MediaFilesByKind sortMediaFiles(const QStringList& files) {
    MediaFilesByKind out;
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.exists()) {
            out.refused << RefusedFile{file, RefusalReason::Missing,
                                       QStringLiteral("%1 does not exist.").arg(file)};
            continue;
        }
        const auto kind = info.isFile() ? mediaKindOfFile(file) : std::nullopt;
        if (!kind) {
            out.refused << RefusedFile{file, RefusalReason::NotMedia,
                                       QStringLiteral("%1 is not a photo (JPEG), a song (MP3) or "
                                                      "a lyric file (LRC, KSC); it was left out.")
                                           .arg(file)};
            continue;
        }
        switch (*kind) {
            case MediaFileKind::Photo:
                out.photos << file;
                break;
            case MediaFileKind::Song:
                out.songs << file;
                break;
            case MediaFileKind::Lyric:
                out.lyrics << file;
                break;
            case MediaFileKind::Karaoke:
                out.karaoke << file;
                break;
        }
    }
    return out;
}

Result<MediaFilesReport> addMediaFiles(ProjectModel& model, const WorkingFolder& folder,
                                       MediaPanes& panes, const QStringList& files,
                                       Progress& progress) {
    const MediaFilesByKind sorted = sortMediaFiles(files);
    MediaFilesReport report;
    // Each import keeps its own files when it succeeds; a later one that
    // stops must take the earlier ones' files back too.
    FolderSnapshot snapshot(folder, {{folder.instancesFolder().parent_path()},
                                     {folder.thumbnailFolder(1)},
                                     {folder.thumbnailFolder(2)},
                                     {folder.thumbnailFolder(3)},
                                     {folder.movieUnpackFolder(), KeepMode::AddedEntries}});
    report.refused << sorted.refused;
    if (!sorted.photos.isEmpty()) {
        auto photos = importReadablePhotos(model, folder, sorted.photos, progress);
        if (!photos) return std::unexpected(photos.error());
        report.refused << photos->unreadable;
        for (const QString& notice : photos->unplaced) report.notices << notice;
    }
    if (!sorted.songs.isEmpty()) {
        auto songs = importSongs(model, folder, panes, sorted.songs, progress);
        if (!songs) return std::unexpected(songs.error());
        report.refused << songs->skipped;
    }
    if (!sorted.lyrics.isEmpty()) {
        auto lyrics = importLyrics(model, folder, panes, sorted.lyrics, progress);
        if (!lyrics) return std::unexpected(lyrics.error());
        report.refused << lyrics->skipped;
    }
    if (!sorted.karaoke.isEmpty()) addKaraokeFiles(model, sorted.karaoke);
    snapshot.keep();
    return report;
}

}  // namespace orvane
