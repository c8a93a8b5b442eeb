#pragma once
// The popup menus of the three panes (a right click on a thumbnail or on a
// row of a report list). Each entry triggers the command of the same
// purpose: the pane's side-panel command, or a window command ("相片剪裁").
// The menus are children of the main window, named PopupMenu_xiangpian,
// PopupMenu_yinyue and PopupMenu_geci; their actions are named N_<pane>_<n>
// and carry the entry's caption. GUI thread.

#include <QString>
#include <optional>
#include <vector>

#include "browser/pane_traits.h"
#include "gui/shell/commands.h"

namespace orvane {

class WindowSet;

// One entry: its caption, and the command it triggers (none for a
// separator).
struct PaneMenuEntry {
    QString caption;
    std::optional<CommandId> command;
};

// The entries of a pane's menu, top to bottom.
std::vector<PaneMenuEntry> paneMenuEntries(PaneKind pane);

// Makes the three menus and opens the pane's menu where the browser asks.
void connectPaneMenus(WindowSet& windows);

}  // namespace orvane
