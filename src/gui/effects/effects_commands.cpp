#include "gui/effects/effects_commands.h"

#include "session/session.h"
#include "gui/effects/crop_window.h"
#include "gui/main/main_window.h"
#include "gui/effects/picture_effects_window.h"
#include "gui/effects/text_effect_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/message_window.h"

namespace orvane {

void connectEffectsCommands(Session& session, WindowSet& windows) {
    MainWindow& main = windows.mainWindow();
    auto* texts = qobject_cast<TextEffectWindow*>(windows.window(QStringLiteral("TForm3")));
    auto* pictures = new PictureEffectsWindow(session, windows, &main);
    auto* crop = new CropWindow(session, windows, &main);
    QObject::connect(
        &main, &MainWindow::commandRequested, &main,
        [&session, &windows, texts, pictures, crop](const QString& caption) {
            if (caption == QStringLiteral("文字特效")) {
                if (texts) texts->openEditor();
            } else if (caption == QStringLiteral("画面特效")) {
                pictures->openEditor();
            } else if (caption == QStringLiteral("相片剪裁")) {
                if (session.model().photos.empty())
                    windows.messageWindow().showMessage(QStringLiteral("没有添加相片文件！"));
                else  // on the photo chosen in the photo pane, if any
                    crop->openWindow(windows.browser().currentRow(0).value_or(0));
            }
        });
}

}  // namespace orvane
