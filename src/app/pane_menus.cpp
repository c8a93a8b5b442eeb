#include "app/pane_menus.h"

#include <QAction>
#include <QMenu>

#include "gui/lyrics/lyric_commands.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/skin_painter.h"
#include "gui/templates/template_preview_window.h"

namespace orvane {

namespace {

// The commands that are not a side-panel button of the pane.
const QString kTemplatePreview = QStringLiteral("预览效果");
const QString kCrop = QStringLiteral("相片剪裁");

const char* const kMenuNames[] = {"PopupMenu_xiangpian", "PopupMenu_yinyue", "PopupMenu_geci"};
const char* const kActionPrefixes[] = {"N_xiangpian_", "N_yinyue_", "N_geci_"};

PaneMenuEntry entry(const char* caption, const char* command) {
    return {QString::fromUtf8(caption), QString::fromUtf8(command)};
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

std::vector<PaneMenuEntry> paneMenuEntries(int pane) {
    std::vector<PaneMenuEntry> entries;
    if (pane == MainWindow::PhotoPane) {
        entries = {entry("预览效果", "预览效果"), entry("相片剪裁", "相片剪裁"), separator(),
                   entry("删除相片", "删除"), entry("全部删除", "全删")};
    } else {
        if (pane == MainWindow::MusicPane) {
            entries = {entry("音乐预览", "音乐预览")};
        } else {
            entries = {entry("歌词预览", "歌词预览"), entry("歌词设置", "歌词设置")};
        }
        entries.push_back(separator());
        entries.push_back(pane == MainWindow::MusicPane ? entry("删除音乐", "删除")
                                                    : entry("删除歌词", "删除"));
        entries.push_back(entry("全部删除", "全删"));
        entries.push_back(separator());
        entries.push_back(entry("手动绑定", "绑定"));
        entries.push_back(entry("手动解绑", "解绑"));
        entries.push_back(entry("自动绑定", "自动绑"));
        entries.push_back(entry("全部解绑", "全解绑"));
    }
    entries.push_back(separator());
    entries.push_back(entry("图标格式", "图标"));
    entries.push_back(entry("列表格式", "列表"));
    return entries;
}

void connectPaneMenus(WindowSet& windows, const LyricWindows& lyric) {
    MainWindow* main = &windows.mainWindow();
    MediaBrowser* browser = &windows.browser();
    TemplatePreviewWindow* templatePreview = lyric.templatePreview;
    std::vector<QMenu*> menus;
    for (int pane = 0; pane < 3; ++pane) {
        auto* menu = new QMenu(main);
        menu->setObjectName(QString::fromLatin1(kMenuNames[pane]));
        menu->setStyleSheet(menuStyleSheet());
        int n = 0;
        for (const PaneMenuEntry& e : paneMenuEntries(pane)) {
            if (e.caption.isEmpty()) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(e.caption);
            action->setObjectName(QString::fromLatin1(kActionPrefixes[pane]) +
                                  QString::number(++n));
            // Screen readers name a menu entry by its text; the status tip
            // carries it as well for tools that read the action itself.
            action->setStatusTip(e.caption);
            const QString command = e.command;
            QObject::connect(
                action, &QAction::triggered, main, [main, browser, templatePreview, pane, command] {
                    if (command == kTemplatePreview) {
                        // As a double click on the photo.
                        templatePreview->previewPhoto(browser->currentRow(pane).value_or(-1));
                    } else if (command == kCrop) {
                        Q_EMIT main->commandRequested(command);
                    } else {
                        Q_EMIT main->sideCommandRequested(pane, command);
                    }
                });
        }
        menus.push_back(menu);
    }
    QObject::connect(browser, &MediaBrowser::contextMenuRequested, main,
                     [menus](int pane, int, QPoint at) {
                         if (pane < 0 || pane >= static_cast<int>(menus.size())) return;
                         menus[static_cast<std::size_t>(pane)]->popup(at);
                     });
}

}  // namespace orvane
