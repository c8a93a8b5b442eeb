#include "gui/lyrics/lyric_commands.h"

#include "session/session.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/lyrics/karaoke_editor_window.h"
#include "gui/lyrics/karaoke_init_window.h"
#include "gui/lyrics/karaoke_match_window.h"
#include "gui/lyrics/karaoke_style_window.h"
#include "gui/lyrics/lyric_settings_window.h"
#include "gui/lyrics/media_preview_window.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/media_pane.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/message_window.h"

namespace orvane {

void connectLyricCommands(WindowSet& windows, Session& session, const LyricWindows& lyric) {
    lyric.karaokeEditor->setHelpers(*lyric.karaokeInit, *lyric.karaokeStyle, *lyric.karaokeMatch,
                                    [&windows]() -> FileChooser& { return windows.fileChooser(); });
    MediaBrowser* browser = &windows.browser();
    MessageWindow* messages = &windows.messageWindow();
    QObject::connect(
        &windows.mainWindow(), &MainWindow::sideCommandRequested, browser,
        [browser, messages, lyric, &session](int pane, const QString& caption) {
            if (pane == MainWindow::MusicPane && caption == QStringLiteral("音乐预览")) {
                lyric.musicPreview->openPreview();
            } else if (pane == MainWindow::LyricPane && caption == QStringLiteral("歌词预览")) {
                lyric.lyricPreview->openPreview();
            } else if (pane == MainWindow::LyricPane && caption == QStringLiteral("卡拉OK设置")) {
                lyric.karaokeEditor->openEditor();
            } else if (pane == MainWindow::LyricPane && caption == QStringLiteral("歌词设置")) {
                // Nothing happens while there are no lyrics.
                if (session.model().lyrics.empty()) return;
                if (const std::optional<int> row = browser->currentRow(MainWindow::LyricPane))
                    lyric.lyricSettings->editLyric(*row);
                else
                    messages->showMessage(QStringLiteral("没有选中歌词文件！"));
            }
        });
    QObject::connect(browser, &MediaBrowser::itemActivated, browser, [lyric](int pane, int row) {
        if (pane == MainWindow::MusicPane)
            lyric.musicPreview->openPreview();
        else if (pane == MainWindow::LyricPane)
            lyric.lyricPreview->openPreview();
    });
}

}  // namespace orvane
