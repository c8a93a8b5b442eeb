#pragma once
// Adding and removing songs and LRC lyric files. Songs are measured by the
// media layer's song length, the measure the album timeline and the encoder
// take too (length → "00:MM:SS" and 25 frames per second); new rows
// are bound by position to waiting partners; thumbnails are painted for
// every row and renamed on removal so that their numbers follow the rows;
// the panes' bound columns are rewritten. A song the media layer cannot read
// is skipped (reported, and named in a notice), and the other files go on.
// An import asks for a stop before every file and every pane row; stopped
// or failing, it leaves the tables, the panes and the thumbnails as they
// were. Phases "添加音乐" and "添加歌词". One thread at a time (the modal
// progress window's worker).

#include <QString>
#include <QStringList>
#include <optional>

#include "audio/media_panes.h"
#include "base/error.h"
#include "base/progress.h"
#include "base/project_model.h"
#include "base/refused_file.h"
#include "base/working_folder.h"

namespace orvane {

// The file name without its folder and without its extension (counted in
// characters, not bytes: "月亮.mp3" → "月亮"), and the extension from the
// last dot with the dot, letter case as in the name.
QString mediaDisplayName(const QString& path);
QString mediaFileType(const QString& path);

struct MediaImportReport {
    int added = 0;
    // The files that were not added: songs the media layer cannot read
    // (UnreadableSong, its message as the detail).
    QList<RefusedFile> skipped;
};

Result<MediaImportReport> importSongs(ProjectModel& model, const WorkingFolder& folder,
                                      MediaPanes& panes, const QStringList& paths,
                                      Progress& progress);
Result<MediaImportReport> importLyrics(ProjectModel& model, const WorkingFolder& folder,
                                       MediaPanes& panes, const QStringList& paths,
                                       Progress& progress);

// Removing the selected row: with none selected the message ("没有选中音乐文件！",
// "没有选中歌词文件！") is returned and nothing changes; an empty table does nothing.
Result<void> removeSong(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                        std::optional<int> selected);
void removeAllSongs(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes);
Result<void> removeLyric(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                         std::optional<int> selected);
void removeAllLyrics(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes);

}  // namespace orvane
