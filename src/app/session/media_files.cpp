#include "app/session/media_files.h"

#include <QFileInfo>

#include "app/folder_snapshot.h"
#include "audio/karaoke_files.h"
#include "audio/media_import.h"
#include "photos/photo_import.h"

namespace orvane {

MediaFilesByKind sortMediaFiles(const QStringList& files) {
    MediaFilesByKind out;
    for (const QString& file : files) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == u"jpg" || suffix == u"jpeg")
            out.photos << file;
        else if (suffix == u"mp3")
            out.songs << file;
        else if (suffix == u"lrc")
            out.lyrics << file;
        else if (suffix == u"ksc")
            out.karaoke << file;
        else
            out.unknown << file;
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
    for (const QString& file : sorted.unknown)
        report.skipped << QStringLiteral(
                              "%1 is not a photo (JPG), a song (MP3) or a lyric file "
                              "(LRC, KSC); it was left out.")
                              .arg(file);
    if (!sorted.photos.isEmpty()) {
        auto photos = importReadablePhotos(model, folder, sorted.photos, progress);
        if (!photos) return std::unexpected(photos.error());
        report.skipped << photos->unreadable;
        for (const QString& notice : photos->unplaced) report.skipped << notice;
    }
    if (!sorted.songs.isEmpty()) {
        auto songs = importSongs(model, folder, panes, sorted.songs, progress);
        if (!songs) return std::unexpected(songs.error());
        report.skipped << songs->skipped;
    }
    if (!sorted.lyrics.isEmpty()) {
        auto lyrics = importLyrics(model, folder, panes, sorted.lyrics, progress);
        if (!lyrics) return std::unexpected(lyrics.error());
        report.skipped << lyrics->skipped;
    }
    QStringList karaoke;
    for (const QString& file : sorted.karaoke) {
        if (QFileInfo(file).isFile())
            karaoke << file;
        else
            report.skipped << QStringLiteral("The karaoke file %1 does not exist.").arg(file);
    }
    if (!karaoke.isEmpty()) addKaraokeFiles(model, karaoke);
    snapshot.keep();
    return report;
}

}  // namespace orvane
