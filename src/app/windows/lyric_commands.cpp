#include "app/windows/lyric_commands.h"

#include "app/session/session.h"
#include "app/windows/main_window.h"
#include "app/windows/window_set.h"
#include "audio/windows/karaoke_editor_window.h"
#include "audio/windows/karaoke_init_window.h"
#include "audio/windows/karaoke_match_window.h"
#include "audio/windows/karaoke_style_window.h"
#include "audio/windows/lyric_settings_window.h"
#include "audio/windows/media_preview_window.h"
#include "browser/windows/media_browser.h"
#include "browser/windows/media_pane.h"
#include "browser/windows/preview_box.h"
#include "gui/message_window.h"
#include "photos/windows/template_preview_window.h"

namespace orvane {

void connectLyricCommands(WindowSet& windows, Session& session, const LyricWindows& lyric) {
    lyric.karaokeEditor->setHelpers(*lyric.karaokeInit, *lyric.karaokeStyle, *lyric.karaokeMatch,
                                    [&windows]() -> FileChooser& { return windows.fileChooser(); });
    MediaBrowser* browser = &windows.browser();
    TForm8* messages = &windows.messageWindow();
    QObject::connect(
        &windows.mainWindow(), &TForm1::sideCommandRequested, browser,
        [browser, messages, lyric, &session](int pane, const QString& caption) {
            if (pane == TForm1::PhotoPane && caption == QStringLiteral("预览单个相片模板效果")) {
                // The chosen photo in its template, as a double click on it.
                lyric.templatePreview->previewPhoto(
                    browser->currentRow(TForm1::PhotoPane).value_or(-1));
            } else if (pane == TForm1::MusicPane && caption == QStringLiteral("音乐预览")) {
                lyric.musicPreview->openPreview();
            } else if (pane == TForm1::LyricPane && caption == QStringLiteral("歌词预览")) {
                lyric.lyricPreview->openPreview();
            } else if (pane == TForm1::LyricPane && caption == QStringLiteral("卡拉OK设置")) {
                lyric.karaokeEditor->openEditor();
            } else if (pane == TForm1::LyricPane && caption == QStringLiteral("歌词设置")) {
                // Nothing happens while there are no lyrics.
                if (session.model().lyrics.empty()) return;
                if (const std::optional<int> row = browser->currentRow(TForm1::LyricPane))
                    lyric.lyricSettings->editLyric(*row);
                else
                    messages->showMessage(QStringLiteral("没有选中歌词文件！"));
            }
        });
    QObject::connect(browser, &MediaBrowser::itemActivated, browser, [lyric](int pane, int row) {
        if (pane == TForm1::PhotoPane)
            lyric.templatePreview->previewPhoto(row);
        else if (pane == TForm1::MusicPane)
            lyric.musicPreview->openPreview();
        else if (pane == TForm1::LyricPane)
            lyric.lyricPreview->openPreview();
    });
}

}  // namespace orvane
