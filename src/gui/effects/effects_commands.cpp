#include "gui/effects/effects_commands.h"

#include "gui/effects/crop_window.h"
#include "gui/effects/picture_effects_window.h"
#include "gui/effects/text_effect_window.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/message_window.h"
#include "session/session.h"

namespace orvane {

void connectEffectsCommands(Session& session, WindowSet& windows) {
    MainWindow& main = windows.mainWindow();
    auto* texts = qobject_cast<TextEffectWindow*>(windows.window(QStringLiteral("TForm3")));
    auto* pictures = new PictureEffectsWindow(session, windows, &main);
    auto* crop = new CropWindow(session, windows, &main);
    Commands& commands = windows.commands();
    QObject::connect(commands.action(CommandId::TextEffects), &QAction::triggered, &main, [texts] {
        if (texts) texts->openEditor();
    });
    QObject::connect(commands.action(CommandId::PictureEffects), &QAction::triggered, &main,
                     [pictures] { pictures->openEditor(); });
    QObject::connect(
        commands.action(CommandId::CropPhoto), &QAction::triggered, &main,
        [&session, &windows, crop] {
            if (session.model().photos.empty())
                windows.messageWindow().showMessage(QStringLiteral("没有添加相片文件！"));
            else  // on the photo chosen in the photo pane, if any
                crop->openWindow(windows.browser().currentRow(PaneKind::Photos).value_or(0));
        });
}

}  // namespace orvane
