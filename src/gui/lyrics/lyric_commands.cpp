#include "gui/lyrics/lyric_commands.h"

#include <QAction>

#include "gui/lyrics/karaoke_editor_window.h"
#include "gui/lyrics/karaoke_init_window.h"
#include "gui/lyrics/karaoke_match_window.h"
#include "gui/lyrics/karaoke_style_window.h"
#include "gui/lyrics/lyric_settings_window.h"
#include "gui/lyrics/media_preview_window.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/media_pane.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/commands.h"
#include "gui/shell/message_window.h"
#include "session/session.h"

namespace orvane {

void connectLyricCommands(WindowSet& windows, Session& session, const LyricWindows& lyric) {
    lyric.karaokeEditor->setHelpers(*lyric.karaokeInit, *lyric.karaokeStyle, *lyric.karaokeMatch,
                                    [&windows]() -> FileChooser& { return windows.fileChooser(); });
    MediaBrowser* browser = &windows.browser();
    MessageWindow* messages = &windows.messageWindow();
    Commands& commands = windows.commands();
    const auto on = [&](PaneKind pane, CommandId id, auto handler) {
        QObject::connect(commands.action(pane, id), &QAction::triggered, browser, handler);
    };
    on(PaneKind::Music, CommandId::PreviewMusic, [lyric] { lyric.musicPreview->openPreview(); });
    on(PaneKind::Lyrics, CommandId::PreviewLyrics, [lyric] { lyric.lyricPreview->openPreview(); });
    on(PaneKind::Lyrics, CommandId::KaraokeSettings,
       [lyric] { lyric.karaokeEditor->openEditor(); });
    on(PaneKind::Lyrics, CommandId::LyricSettings, [browser, messages, lyric, &session] {
        // Nothing happens while there are no lyrics.
        if (session.model().lyrics.empty()) return;
        if (const std::optional<int> row = browser->currentRow(PaneKind::Lyrics))
            lyric.lyricSettings->editLyric(*row);
        else
            messages->showMessage(QStringLiteral("没有选中歌词文件！"));
    });
    QObject::connect(browser, &MediaBrowser::itemActivated, browser, [lyric](PaneKind pane, int) {
        if (pane == PaneKind::Music)
            lyric.musicPreview->openPreview();
        else if (pane == PaneKind::Lyrics)
            lyric.lyricPreview->openPreview();
    });
}

}  // namespace orvane
