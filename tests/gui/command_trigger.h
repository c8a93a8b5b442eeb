#pragma once
// Gives a main-window command as a user would, by the caption on its button
// (in a pane's side panel for the panels' commands).

#include <gtest/gtest.h>

#include <QAction>
#include <QString>

#include "gui/main/window_set.h"
#include "gui/shell/commands.h"

namespace orvane::testing {

inline QAction* commandAction(const WindowSet& windows, const char* caption,
                              PaneKind pane = PaneKind::Photos) {
    for (const CommandInfo& info : commandTable()) {
        if (QString::fromUtf8(info.caption) != QString::fromUtf8(caption)) continue;
        return info.perPane ? windows.commands().action(pane, info.id)
                            : windows.commands().action(info.id);
    }
    ADD_FAILURE() << "no command " << caption;
    return nullptr;
}

inline void triggerCommand(const WindowSet& windows, const char* caption,
                           PaneKind pane = PaneKind::Photos) {
    if (QAction* action = commandAction(windows, caption, pane)) action->trigger();
}

}  // namespace orvane::testing
