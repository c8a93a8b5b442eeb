#pragma once
// Reordering songs and lyric files, as the drag-and-drop of the music and
// lyric panes asks for it. The rows move with all their fields, the panes'
// bound columns with their rows, and each thumbnail file follows its row;
// positions are renumbered 1..n. Bindings hold a key on both sides, not a
// position, so every song keeps its lyric. Karaoke rows pair with songs by
// position and are left as they are. Called on the thread that owns the
// model.
//
// A missing thumbnail is passed over. When the thumbnails cannot be moved
// without overwriting one, the result is an error and nothing has changed.

#include "audio/media_panes.h"
#include "base/error.h"
#include "base/project_model.h"
#include "base/row_order.h"
#include "base/working_folder.h"

namespace orvane {

// order[j] is the old position of the row now at j.
Result<void> reorderSongs(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                          const RowOrder& order);
Result<void> reorderLyrics(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                           const RowOrder& order);

// A thumbnail dropped onto another: rows a and b (0-based) change places.
Result<void> exchangeSongs(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                           int a, int b);
Result<void> exchangeLyrics(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                            int a, int b);

// The row at `from` goes to position `to`; the rows between move by one.
Result<void> moveSong(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes, int from,
                      int to);
Result<void> moveLyric(ProjectModel& model, const WorkingFolder& folder, MediaPanes& panes,
                       int from, int to);

}  // namespace orvane
