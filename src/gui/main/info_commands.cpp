#include "gui/main/info_commands.h"

#include <QDir>

#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/shell/message_window.h"
#include "session/session.h"

namespace orvane {

namespace {

const QString kAbout = QStringLiteral(
    "Orvane自动套版电子相册：把相片、音乐、LRC 歌词和卡拉OK歌词做成相册视频。"
    "相片按横竖自动套用动画模板，可以调整顺序、加文字特效和画面特效，"
    "制作前可预览整个相册，输出 VCD、SVCD、DVD、AVI、MP4 或序列图，"
    "整个相册可以保存为工程文件。");

const QString kLyricMaking = QStringLiteral(
    "本软件还没有歌词制作工具。LRC 歌词是纯文本文件，每行以时间开头，例如：\n"
    "[00:12.50]第一句歌词\n[00:17.80]第二句歌词\n"
    "用任何文本编辑器保存为 .lrc 文件（UTF-8 或 GBK 编码），再点击“添加歌词”加入。");

QString templateStoreText(const Session& session) {
    return QStringLiteral(
               "模板网站暂未开放。本软件的模板放在模板文件夹：\n%1\n"
               "每个模板由参数包和动画包组成，放入后重新启动软件即可使用。")
        .arg(QDir::toNativeSeparators(toQString(session.folder().base() / "wj_0_or_2")));
}

}  // namespace

void connectInfoCommands(Session& session, WindowSet& windows) {
    const std::pair<CommandId, std::function<QString()>> texts[] = {
        {CommandId::ShowIntroduction, [] { return kAbout; }},
        {CommandId::ShowHelpFile, [] { return MainWindow::helpText(); }},
        {CommandId::ShowWebsiteTemplates, [&session] { return templateStoreText(session); }},
        {CommandId::MakeLyrics, [] { return kLyricMaking; }},
    };
    for (const auto& [id, text] : texts)
        QObject::connect(windows.commands().action(id), &QAction::triggered, &windows.mainWindow(),
                         [&windows, text] { windows.messageWindow().showMessage(text()); });
}

}  // namespace orvane
