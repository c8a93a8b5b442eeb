#pragma once
// What the "删除" and "全删" commands of a pane work on and what they ask.
// In list view "删除" takes the list's selected rows (photos: every selected
// row; songs and lyric files: the one selected row), in icon view the
// pressed thumbnail. An empty pane does nothing; a pane with nothing chosen
// answers with its message. Pure functions, any thread.

#include <QString>
#include <optional>
#include <vector>

#include "browser/pane_traits.h"
#include "browser/preview_fit.h"

namespace orvane {

struct DeletionTarget {
    std::vector<int> rows;  // ascending; empty: nothing is removed
    QString message;        // shown instead when not empty
};

// `selected` are the list's selected rows (any order), `pressed` the pressed
// thumbnail; rows outside 0..rowCount-1 are ignored.
DeletionTarget deletionTarget(PaneKind pane, ViewMode mode, std::optional<int> pressed,
                              std::vector<int> selected, int rowCount);

// "没有选中相片文件！", "没有选中音乐文件！", "没有选中歌词文件！".
QString nothingSelectedMessage(PaneKind pane);

// The confirmation question of "删除" (`all` false) or "全删" (`all` true).
QString deletionQuestion(PaneKind pane, bool all);

}  // namespace orvane
