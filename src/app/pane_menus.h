#pragma once
// The popup menus of the three panes (a right click on a thumbnail or on a
// row of a report list). Each entry does what the pane's button of the same
// purpose does: it is handed to the same handler (the main window's side
// command or command signal, or the double-click preview of a photo). The
// menus are children of the main window, named PopupMenu_xiangpian,
// PopupMenu_yinyue and PopupMenu_geci; their actions are named N_<pane>_<n>
// and carry the entry's caption. GUI thread.

#include <QString>
#include <vector>

class QMenu;

namespace orvane {

class WindowSet;
struct LyricWindows;

// One entry: its caption, and the pane command it stands for ("" for a
// separator).
struct PaneMenuEntry {
    QString caption;
    QString command;
};

// The entries of pane 0 (photos), 1 (music) or 2 (lyrics), top to bottom.
std::vector<PaneMenuEntry> paneMenuEntries(int pane);

// Makes the three menus and opens the pane's menu where the browser asks.
void connectPaneMenus(WindowSet& windows, const LyricWindows& lyric);

}  // namespace orvane
