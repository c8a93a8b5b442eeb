#include "gui/main/pane_menus.h"

#include <QAction>
#include <QMenu>

#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/skin_painter.h"

namespace orvane {

namespace {

const char* const kMenuNames[] = {"PopupMenu_xiangpian", "PopupMenu_yinyue", "PopupMenu_geci"};
const char* const kActionPrefixes[] = {"N_xiangpian_", "N_yinyue_", "N_geci_"};

PaneMenuEntry entry(const char* caption, CommandId command) {
    return {QString::fromUtf8(caption), command};
}

PaneMenuEntry separator() { return {}; }

// The menus in the colours of the main window: light text on the panel
// colour, the entry under the mouse in the accent colour.
QString menuStyleSheet() {
    using namespace skin_colours;
    return QStringLiteral(
               "QMenu { background: %1; color: %2; border: 1px solid %3; padding: 3px 0px; }"
               "QMenu::item { padding: 4px 24px 4px 18px; background: transparent; }"
               "QMenu::item:selected { background: %4; color: %5; }"
               "QMenu::item:disabled { color: %6; }"
               "QMenu::separator { height: 1px; background: %3; margin: 3px 6px; }")
        .arg(kPanel.name(), kText.name(), kBandTop.lighter(140).name(), kAccent.name(),
             kWindow.name(), kTextDim.name());
}

}  // namespace

std::vector<PaneMenuEntry> paneMenuEntries(PaneKind pane) {
    using C = CommandId;
    std::vector<PaneMenuEntry> entries;
    if (pane == PaneKind::Photos) {
        entries = {entry("预览效果", C::PreviewPhotoTemplate), entry("相片剪裁", C::CropPhoto),
                   separator(), entry("删除相片", C::DeleteOne), entry("全部删除", C::DeleteAll)};
    } else {
        if (pane == PaneKind::Music) {
            entries = {entry("音乐预览", C::PreviewMusic)};
        } else {
            entries = {entry("歌词预览", C::PreviewLyrics), entry("歌词设置", C::LyricSettings)};
        }
        entries.push_back(separator());
        entries.push_back(pane == PaneKind::Music ? entry("删除音乐", C::DeleteOne)
                                                  : entry("删除歌词", C::DeleteOne));
        entries.push_back(entry("全部删除", C::DeleteAll));
        entries.push_back(separator());
        entries.push_back(entry("手动绑定", C::Bind));
        entries.push_back(entry("手动解绑", C::Unbind));
        entries.push_back(entry("自动绑定", C::AutoBind));
        entries.push_back(entry("全部解绑", C::UnbindAll));
    }
    entries.push_back(separator());
    entries.push_back(entry("图标格式", C::ShowIcons));
    entries.push_back(entry("列表格式", C::ShowList));
    return entries;
}

void connectPaneMenus(WindowSet& windows) {
    MainWindow* main = &windows.mainWindow();
    const Commands& commands = main->commands();
    std::vector<QMenu*> menus;
    for (PaneKind pane : kPaneKinds) {
        const auto index = static_cast<std::size_t>(pane);
        auto* menu = new QMenu(main);
        menu->setObjectName(QString::fromLatin1(kMenuNames[index]));
        menu->setStyleSheet(menuStyleSheet());
        int n = 0;
        for (const PaneMenuEntry& e : paneMenuEntries(pane)) {
            if (!e.command) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(e.caption);
            action->setObjectName(QString::fromLatin1(kActionPrefixes[index]) +
                                  QString::number(++n));
            // Screen readers name a menu entry by its text; the status tip
            // carries it as well for tools that read the action itself.
            action->setStatusTip(e.caption);
            QAction* target = commandInfo(*e.command).perPane ? commands.action(pane, *e.command)
                                                              : commands.action(*e.command);
            QObject::connect(action, &QAction::triggered, target, &QAction::trigger);
        }
        menus.push_back(menu);
    }
    QObject::connect(&windows.browser(), &MediaBrowser::contextMenuRequested, main,
                     [menus](PaneKind pane, int, QPoint at) {
                         menus[static_cast<std::size_t>(pane)]->popup(at);
                     });
}

}  // namespace orvane
