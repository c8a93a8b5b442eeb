#include "audio/media_reorder.h"

#include "audio/media_thumbnail.h"
#include "base/thumbnail_files.h"

namespace orvane {
namespace {

template <typename Row>
Result<void> reorderMedia(Table<Row>& table, QStringList& boundColumn, const WorkingFolder& folder,
                          MediaKind kind, const RowOrder& order) {
    checkOrder(order, table.size());
    if (auto ok = reorderThumbnailFiles(folder, static_cast<int>(kind), order); !ok) return ok;
    reorderRows(table, order);
    reorderCells(boundColumn, order);
    return {};
}

std::size_t position(int row, std::size_t count) {
    if (row < 0 || static_cast<std::size_t>(row) >= count)
        throw OrvaneError(
            QStringLiteral("there is no row %1 of %2 to move").arg(row + 1).arg(count));
    return static_cast<std::size_t>(row);
}

}  // namespace

Result<void> reorderSongs(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                          const RowOrder& order) {
    return reorderMedia(model.music, panes.musicBound, folder, MediaKind::Song, order);
}

Result<void> reorderLyrics(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                           const RowOrder& order) {
    return reorderMedia(model.lyrics, panes.lyricBound, folder, MediaKind::Lyric, order);
}

Result<void> exchangeSongs(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                           int a, int b) {
    const std::size_t n = model.music.size();
    return reorderSongs(model, folder, panes, exchangedOrder(n, position(a, n), position(b, n)));
}

Result<void> exchangeLyrics(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                            int a, int b) {
    const std::size_t n = model.lyrics.size();
    return reorderLyrics(model, folder, panes, exchangedOrder(n, position(a, n), position(b, n)));
}

Result<void> moveSong(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes, int from,
                      int to) {
    const std::size_t n = model.music.size();
    return reorderSongs(model, folder, panes, movedOrder(n, position(from, n), position(to, n)));
}

Result<void> moveLyric(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                       int from, int to) {
    const std::size_t n = model.lyrics.size();
    return reorderLyrics(model, folder, panes, movedOrder(n, position(from, n), position(to, n)));
}

}  // namespace orvane
