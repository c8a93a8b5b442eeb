#include "gui/shell/commands.h"

#include <QAction>
#include <QWidget>
#include <array>

namespace orvane {

namespace {

using K = QKeySequence;

// The hints of the side panels' commands name their pane's kind; "%1" is
// the pane's own kind, "%2" the other side of a binding.
constexpr CommandInfo kCommands[] = {
    {CommandId::AddPhotos, "add-photos", "添加相片", "支持多个相片文件一起添加使用"},
    {CommandId::AddMusic, "add-music", "添加音乐", "支持多个音乐文件一起添加使用"},
    {CommandId::AddMusicMp3, "add-music-mp3", "添加音乐MP3", "支持多个音乐文件一起添加使用"},
    {CommandId::AddLyrics, "add-lyrics", "添加歌词", "支持多个歌词文件一起添加使用"},
    {CommandId::AddLyricsLrc, "add-lyrics-lrc", "添加歌词LRC", "支持多个歌词文件一起添加使用"},
    {CommandId::MakeLyrics, "make-lyrics", "歌词制作",
     "LRC歌词制作,支持导入txt文件,lrc文件,更改歌词时间,预览歌词"},
    {CommandId::AlbumLength, "album-length", "相册长度", "两种同步：以相册长度为准,以音乐长度为准"},
    {CommandId::TextEffects, "text-effects", "文字特效",
     "支持多条文字特效,支持指定时间显示,颜色,字体,大小,字型等设置"},
    {CommandId::PictureEffects, "picture-effects", "画面特效", "支持多条画面特效,支持指定时间显示"},
    {CommandId::CropPhoto, "crop-photo", "相片剪裁", "对相片剪裁处理,达到高清最佳显示效果"},
    {CommandId::ManageTemplates, "manage-templates", "模板管理",
     "对模板进行了横照,竖照,单张,多张,全屏效果等更多分类,为相片更换模板或模板指定相片"},
    {CommandId::OtherSettings, "other-settings", "其它设置",
     "支持PAL,NTSC电视制式,画质效果支持一般画质,高清画质"},
    {CommandId::PreviewAlbum, "preview-album", "相册预览",
     "制作之前预览整个相册：画面、歌词、卡拉OK、文字和画面特效，声音同步播放"},
    {CommandId::MakeVcd, "make-vcd", "VCD", "画面效果最高达到1280*720"},
    {CommandId::MakeSvcd, "make-svcd", "SVCD", "画面效果最高达到1280*720"},
    {CommandId::MakeDvd, "make-dvd", "DVD", "画面效果最高达到1920*1080"},
    {CommandId::MakeAvi, "make-avi", "AVI", "画面效果最高达到1920*1080"},
    {CommandId::MakeMp4, "make-mp4", "MP4",
     "H.264 视频, 手机、电视和网页都能播放, 画面效果最高达到1920*1080"},
    {CommandId::MakePictureSequence, "make-picture-sequence", "序列图",
     "生成序列图片, 支持输出JPG,BMP,TGA,PCX, 画面效果最高达到1920*1080"},
    {CommandId::OpenProject, "open-project", "打开工程",
     "打开保存过的工程文件, 接着制作相册 (Ctrl+O)", K::Open},
    {CommandId::SaveProject, "save-project", "保存工程",
     "把相片、模板、音乐、歌词、特效和全部设置保存为一个工程文件 (Ctrl+S)", K::Save},
    {CommandId::ShowIntroduction, "show-introduction", "软件简介",
     "软件简介是对软件的功能进行的简单介绍"},
    {CommandId::ShowHelpFile, "show-help-file", "帮助文件", "此软件的使用帮助文件"},
    {CommandId::ShowWebsiteTemplates, "show-website-templates", "网站模板",
     "打开此软件的网站模板页面"},
    {CommandId::ShowIcons, "show-icons", "图标", "%1缩略图", K::UnknownKey, true},
    {CommandId::ShowList, "show-list", "列表", "%1列表", K::UnknownKey, true},
    {CommandId::DeleteOne, "delete-one", "删除", "删除单个%1", K::UnknownKey, true},
    {CommandId::DeleteAll, "delete-all", "全删", "删除全部%1", K::UnknownKey, true},
    {CommandId::Bind, "bind", "绑定", "绑定%2文件", K::UnknownKey, true},
    {CommandId::UnbindAll, "unbind-all", "全解绑", "解除全部绑定的%2文件", K::UnknownKey, true},
    {CommandId::Unbind, "unbind", "解绑", "解除绑定的%2文件", K::UnknownKey, true},
    {CommandId::AutoBind, "auto-bind", "自动绑", "自动绑定全部%2文件", K::UnknownKey, true},
    {CommandId::PreviewPhotoTemplate, "preview-photo-template", "预览单个相片模板效果", "",
     K::UnknownKey, true},
    {CommandId::PreviewMusic, "preview-music", "音乐预览", "预览音乐文件", K::UnknownKey, true},
    {CommandId::LyricSettings, "lyric-settings", "歌词设置",
     "对歌词进行设置,例如:歌词位置,大小,颜色,类型等等", K::UnknownKey, true},
    {CommandId::PreviewLyrics, "preview-lyrics", "歌词预览", "预览歌词文件", K::UnknownKey, true},
    {CommandId::KaraokeSettings, "karaoke-settings", "卡拉OK设置", "导入和设置卡拉OK歌词",
     K::UnknownKey, true},
};

QString paneKindText(PaneKind pane) {
    switch (pane) {
        case PaneKind::Photos:
            return QStringLiteral("相片");
        case PaneKind::Music:
            return QStringLiteral("音乐");
        case PaneKind::Lyrics:
            return QStringLiteral("歌词");
    }
    return {};
}

}  // namespace

std::span<const CommandInfo> commandTable() { return kCommands; }

const CommandInfo& commandInfo(CommandId id) {
    for (const CommandInfo& info : kCommands)
        if (info.id == id) return info;
    return kCommands[0];  // unreachable: every id has a row
}

QString commandHint(CommandId id, PaneKind pane) {
    QString hint = QString::fromUtf8(commandInfo(id).hint);
    if (!commandInfo(id).perPane) return hint;
    // Music binds lyrics; the other panes bind music.
    const PaneKind other = pane == PaneKind::Music ? PaneKind::Lyrics : PaneKind::Music;
    return hint.replace(QLatin1String("%1"), paneKindText(pane))
        .replace(QLatin1String("%2"), paneKindText(other));
}

Commands::Commands(QWidget* shortcutHost) : QObject(shortcutHost) {
    const auto make = [&](const CommandInfo& info, int pane, const QString& hint) {
        auto* action = new QAction(QString::fromUtf8(info.caption), this);
        action->setObjectName(QString::fromLatin1(info.key));
        action->setToolTip(hint);
        action->setStatusTip(hint);
        if (info.standardKey != QKeySequence::UnknownKey) {
            action->setShortcut(info.standardKey);
            action->setShortcutContext(Qt::WindowShortcut);
            shortcutHost->addAction(action);
        }
        m_actions[{pane, info.id}] = action;
    };
    for (const CommandInfo& info : kCommands) {
        if (!info.perPane) {
            make(info, -1, QString::fromUtf8(info.hint));
            continue;
        }
        for (PaneKind pane : kPaneKinds)
            make(info, static_cast<int>(pane), commandHint(info.id, pane));
    }
}

QAction* Commands::action(CommandId id) const { return m_actions.at({-1, id}); }

QAction* Commands::action(PaneKind pane, CommandId id) const {
    return m_actions.at({static_cast<int>(pane), id});
}

}  // namespace orvane
