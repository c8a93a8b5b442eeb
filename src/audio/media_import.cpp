#include "audio/media_import.h"

#include "audio/binding.h"
#include "audio/media_thumbnail.h"
#include "av/song_length.h"
#include "base/album_time.h"
#include "base/folder_snapshot.h"
#include "base/media_file_kind.h"

namespace orvane {
namespace {

// Puts the song and lyric tables and the pane columns back as they were when
// an import is stopped or fails (a thumbnail that cannot be written), so
// that such an import changes nothing; the thumbnails are put back by a
// FolderSnapshot.
class ImportRollback {
   public:
    ImportRollback(ProjectModel& model, MediaPanes& panes)
        : m_model(model),
          m_panes(panes),
          m_music(model.music),
          m_lyrics(model.lyrics),
          m_saved(panes) {}
    ~ImportRollback() {
        if (m_done) return;
        m_model.music = std::move(m_music);
        m_model.lyrics = std::move(m_lyrics);
        m_panes = std::move(m_saved);
    }
    void done() { m_done = true; }

   private:
    ProjectModel& m_model;
    MediaPanes& m_panes;
    Table<MusicEntry> m_music;
    Table<LyricEntry> m_lyrics;
    MediaPanes m_saved;
    bool m_done = false;
};

}  // namespace

QString mediaDisplayName(const QString& path) { return mediaBaseName(path); }

QString mediaFileType(const QString& path) { return mediaExtension(path); }

Result<MediaImportReport> importSongs(ProjectModel& model, const WorkingFolder& folder,
                                      MediaPanes& panes, const QStringList& paths,
                                      Progress& progress) {
    MediaImportReport report;
    ImportRollback rollback(model, panes);
    FolderSnapshot snapshot(folder, {{folder.thumbnailFolder(static_cast<int>(MediaKind::Song))}});
    progress.start(
        static_cast<int>(paths.size()) + model.music.count() + static_cast<int>(paths.size()),
        QStringLiteral("添加音乐"));
    for (const QString& path : paths) {
        if (progress.isCancelled()) return stopped(QStringLiteral("the music import"));
        const auto length = av::measureSongLength(path);
        progress.advance();
        if (!length) {
            report.skipped << RefusedFile{path, RefusalReason::UnreadableSong,
                                          length.error().message};
            progress.notice(length.error().message);
            continue;
        }
        MusicEntry song;
        song.fileName = mediaDisplayName(path);
        song.fileType = mediaFileType(path);
        song.location = path;
        const SongDuration d = songDuration(length->milliseconds());
        song.duration = d.duration;
        song.frameCount = songFrameCount(length->milliseconds());
        model.music.append(std::move(song));
        ++report.added;
    }

    // The music pane is rebuilt row by row: waiting lyrics are bound by
    // position and every thumbnail is painted again.
    panes.musicBound.clear();
    for (int i = 0; i < model.music.count(); ++i) {
        if (progress.isCancelled()) return stopped(QStringLiteral("the music import"));
        const MusicEntry& song = model.music.at(static_cast<std::size_t>(i));
        if (i < model.lyrics.count() &&
            model.lyrics.at(static_cast<std::size_t>(i)).boundMusic == kNone &&
            song.boundLyric == kNone)
            bindByPosition(model, panes, i);
        writeMediaThumbnail(folder, MediaKind::Song, i + 1, song.fileName);
        setPaneCell(panes.musicBound, i,
                    song.boundLyric == kNone ? kUnboundLyricMarker : song.boundLyricName);
        progress.advance();
    }
    for (int q = 0; q < model.lyrics.count(); ++q) {
        const LyricEntry& lyric = model.lyrics.at(static_cast<std::size_t>(q));
        setPaneCell(panes.lyricBound, q,
                    lyric.boundMusicName != kNone ? lyric.boundMusicName : kUnboundLyricMarker);
    }
    snapshot.keep();
    rollback.done();
    return report;
}

Result<MediaImportReport> importLyrics(ProjectModel& model, const WorkingFolder& folder,
                                       MediaPanes& panes, const QStringList& paths,
                                       Progress& progress) {
    MediaImportReport report;
    ImportRollback rollback(model, panes);
    FolderSnapshot snapshot(folder, {{folder.thumbnailFolder(static_cast<int>(MediaKind::Lyric))}});
    progress.start(
        static_cast<int>(paths.size()) + model.lyrics.count() + static_cast<int>(paths.size()),
        QStringLiteral("添加歌词"));
    for (const QString& path : paths) {
        if (progress.isCancelled()) return stopped(QStringLiteral("the lyric import"));
        LyricEntry lyric;
        lyric.fileName = mediaDisplayName(path);
        lyric.fileType = mediaFileType(path);
        lyric.location = path;
        lyric.bold = true;
        lyric.hAlign = LyricHAlign::Centre;
        lyric.vAlign = LyricVAlign::Bottom;
        model.lyrics.append(std::move(lyric));
        ++report.added;
        progress.advance();
    }

    panes.lyricBound.clear();
    for (int q = 0; q < model.lyrics.count(); ++q) {
        if (progress.isCancelled()) return stopped(QStringLiteral("the lyric import"));
        const LyricEntry& lyric = model.lyrics.at(static_cast<std::size_t>(q));
        if (q < model.music.count() &&
            model.music.at(static_cast<std::size_t>(q)).boundLyric == kNone &&
            lyric.boundMusic == kNone)
            bindByPosition(model, panes, q);
        writeMediaThumbnail(folder, MediaKind::Lyric, q + 1, lyric.fileName);
        setPaneCell(panes.lyricBound, q,
                    lyric.boundMusic == kNone ? kUnboundMusicMarker : lyric.boundMusicName);
        progress.advance();
    }
    for (int i = 0; i < model.music.count(); ++i) {
        const MusicEntry& song = model.music.at(static_cast<std::size_t>(i));
        setPaneCell(panes.musicBound, i,
                    song.boundLyricName != kNone ? song.boundLyricName : kUnboundLyricMarker);
    }
    snapshot.keep();
    rollback.done();
    return report;
}

Result<void> removeSong(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                        std::optional<int> selected) {
    if (model.music.empty()) return {};
    if (!selected || *selected < 0 || *selected >= model.music.count())
        return fail(QStringLiteral("没有选中音乐文件！"));
    const int k = *selected;
    renumberThumbnailsAfterRemoval(folder, MediaKind::Song, k, model.music.count());
    const QString key = model.music.at(static_cast<std::size_t>(k)).boundLyric;
    model.music.removeAt(static_cast<std::size_t>(k));
    if (k < panes.musicBound.size()) panes.musicBound.removeAt(k);

    // Lyrics of the song are released, unless another song still keeps
    // them; every lyric pane row that is (or becomes) unbound shows the marker.
    const bool keptElsewhere =
        key != kNone && std::any_of(model.music.begin(), model.music.end(),
                                    [&](const MusicEntry& s) { return s.boundLyric == key; });
    for (int q = 0; q < model.lyrics.count(); ++q) {
        LyricEntry& lyric = model.lyrics.at(static_cast<std::size_t>(q));
        if (lyric.boundMusic != key) continue;
        if (!keptElsewhere) {
            lyric.boundMusic = kNone;
            lyric.boundMusicName = kNone;
            setPaneCell(panes.lyricBound, q, kUnboundMusicMarker);
        }
    }
    if (keptElsewhere) recountLyrics(model, panes);
    return {};
}

void removeAllSongs(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes) {
    folder.recreateFolder(folder.thumbnailFolder(static_cast<int>(MediaKind::Song)));
    model.music.clear();
    model.musicDragScratch.clear();
    panes.musicBound.clear();
    for (int q = 0; q < model.lyrics.count(); ++q) {
        LyricEntry& lyric = model.lyrics.at(static_cast<std::size_t>(q));
        lyric.boundMusic = kNone;
        lyric.boundMusicName = kNone;
        setPaneCell(panes.lyricBound, q, kUnboundLyricMarker);
    }
    // Without songs the album's length follows the photos again.
    model.settings.syncMode = SyncMode::Photos;
    model.settings.loopMusicToFill = false;
    model.settings.loopPicturesToFill = false;
}

Result<void> removeLyric(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                         std::optional<int> selected) {
    if (model.lyrics.empty()) return {};
    if (!selected || *selected < 0 || *selected >= model.lyrics.count())
        return fail(QStringLiteral("没有选中歌词文件！"));
    const int k = *selected;
    renumberThumbnailsAfterRemoval(folder, MediaKind::Lyric, k, model.lyrics.count());
    const QString key = model.lyrics.at(static_cast<std::size_t>(k)).boundMusic;
    for (int i = 0; i < model.music.count(); ++i) {
        MusicEntry& song = model.music.at(static_cast<std::size_t>(i));
        if (song.boundLyric != key) continue;
        song.boundLyric = kNone;
        song.boundLyricName = kNone;
        setPaneCell(panes.musicBound, i, kUnboundLyricMarker);
    }
    model.lyrics.removeAt(static_cast<std::size_t>(k));
    if (k < panes.lyricBound.size()) panes.lyricBound.removeAt(k);
    return {};
}

void removeAllLyrics(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes) {
    folder.recreateFolder(folder.thumbnailFolder(static_cast<int>(MediaKind::Lyric)));
    model.lyrics.clear();
    model.lyricDragScratch.clear();
    panes.lyricBound.clear();
    for (int i = 0; i < model.music.count(); ++i) {
        MusicEntry& song = model.music.at(static_cast<std::size_t>(i));
        song.boundLyric = kNone;
        song.boundLyricName = kNone;
        setPaneCell(panes.musicBound, i, kUnboundMusicMarker);
    }
}

}  // namespace orvane
