#include "browser/hint_texts.h"

#include <map>
#include <utility>

namespace orvane {

QStringList photoHintTexts(const PhotoEntry& photo, int row) {
    QString orientation;
    if (photo.orientation == QLatin1String("heng_zhao")) orientation = QStringLiteral("横照相片");
    if (photo.orientation == QLatin1String("shu_zhao")) orientation = QStringLiteral("竖照相片");
    return {photo.fileName, photo.fileType.toUpper(), photo.width + QLatin1Char('*') + photo.height,
            orientation, QString::number(row + 1)};
}

namespace {

using HintKey = std::pair<HintGroup, QString>;

const std::map<HintKey, QString>& hintTable() {
    static const std::map<HintKey, QString> table = [] {
        std::map<HintKey, QString> t;
        auto main = [&t](const char* caption, const char* text) {
            t[{HintGroup::Main, QString::fromUtf8(caption)}] = QString::fromUtf8(text);
        };
        main("添加相片", "支持多个相片文件一起添加使用");
        main("添加音乐", "支持多个音乐文件一起添加使用");
        main("添加歌词", "支持多个歌词文件一起添加使用");
        main("添加音乐MP3", "支持多个音乐文件一起添加使用");
        main("添加歌词LRC", "支持多个歌词文件一起添加使用");
        main("相册长度", "两种同步：以相册长度为准,以音乐长度为准");
        main("文字特效", "支持多条文字特效,支持指定时间显示,颜色,字体,大小,字型等设置");
        main("画面特效", "支持多条画面特效,支持指定时间显示");
        main("相片剪裁", "对相片剪裁处理,达到高清最佳显示效果");
        main("模板管理",
             "对模板进行了横照,竖照,单张,多张,全屏效果等更多分类,为相片更换模板或模板指定相片");
        main("其它设置", "支持PAL,NTSC电视制式,画质效果支持一般画质,高清画质");
        main("相册预览", "制作之前预览整个相册：画面、歌词、卡拉OK、文字和画面特效，声音同步播放");
        main("VCD", "画面效果最高达到1280*720");
        main("SVCD", "画面效果最高达到1280*720");
        main("DVD", "画面效果最高达到1920*1080");
        main("AVI", "画面效果最高达到1920*1080");
        main("打开工程", "打开保存过的工程文件, 接着制作相册 (Ctrl+O)");
        main("保存工程", "把相片、模板、音乐、歌词、特效和全部设置保存为一个工程文件 (Ctrl+S)");
        main("MP4", "H.264 视频, 手机、电视和网页都能播放, 画面效果最高达到1920*1080");
        main("序列图", "生成序列图片, 支持输出JPG,BMP,TGA,PCX, 画面效果最高达到1920*1080");
        main("歌词制作", "LRC歌词制作,支持导入txt文件,lrc文件,更改歌词时间,预览歌词");
        main("相片区域", "显示相片文件的缩略图区域");
        main("音乐区域", "显示音乐文件的缩略图区域");
        main("歌词区域", "显示歌词文件的缩略图区域");
        main("音乐预览", "预览音乐文件");
        main("歌词设置", "对歌词进行设置,例如:歌词位置,大小,颜色,类型等等");
        main("歌词预览", "预览歌词文件");
        main("软件简介", "软件简介是对软件的功能进行的简单介绍");
        main("帮助文件", "此软件的使用帮助文件");
        main("网站模板", "打开此软件的网站模板页面");

        const std::pair<const char*, const char*> titleButtons[] = {
            {"关闭", "退出软件"}, {"全屏", "全屏"}, {"还原", "窗体放大"}, {"开始布局", "启动窗体"}};
        for (const auto& [caption, text] : titleButtons)
            t[{HintGroup::TitleBar, QString::fromUtf8(caption)}] = QString::fromUtf8(text);
        t[{HintGroup::Lyrics, QStringLiteral("卡拉OK设置")}] =
            QStringLiteral("导入和设置卡拉OK歌词");

        // The pane buttons: the same captions, the item named by the pane.
        const std::pair<HintGroup, QString> panes[] = {{HintGroup::Photos, QStringLiteral("相片")},
                                                       {HintGroup::Music, QStringLiteral("音乐")},
                                                       {HintGroup::Lyrics, QStringLiteral("歌词")}};
        for (const auto& [group, item] : panes) {
            t[{group, QStringLiteral("图标")}] = item + QStringLiteral("缩略图");
            t[{group, QStringLiteral("列表")}] = item + QStringLiteral("列表");
            t[{group, QStringLiteral("删除")}] = QStringLiteral("删除单个") + item;
            t[{group, QStringLiteral("全删")}] = QStringLiteral("删除全部") + item;
        }
        const std::pair<HintGroup, QString> partners[] = {
            {HintGroup::Music, QStringLiteral("歌词")},
            {HintGroup::Lyrics, QStringLiteral("音乐")}};
        for (const auto& [group, other] : partners) {
            t[{group, QStringLiteral("绑定")}] =
                QStringLiteral("绑定") + other + QStringLiteral("文件");
            t[{group, QStringLiteral("解绑")}] =
                QStringLiteral("解除绑定的") + other + QStringLiteral("文件");
            t[{group, QStringLiteral("全解绑")}] =
                QStringLiteral("解除全部绑定的") + other + QStringLiteral("文件");
            t[{group, QStringLiteral("自动绑")}] =
                QStringLiteral("自动绑定全部") + other + QStringLiteral("文件");
        }
        return t;
    }();
    return table;
}

}  // namespace

std::optional<QString> buttonHintText(HintGroup group, const QString& caption) {
    const auto& table = hintTable();
    if (auto it = table.find({group, caption}); it != table.end()) return it->second;
    // The main window's own captions are the same wherever they are asked for.
    if (auto it = table.find({HintGroup::Main, caption}); it != table.end()) return it->second;
    return std::nullopt;
}

QPoint paneHintPosition(QPoint cursor) { return {cursor.x() - 20, cursor.y() + 10}; }

QPoint textHintPosition(QPoint cursor, QSize window, QSize screen) {
    int left = cursor.x() - 20;
    if (left < 0) left = 8;
    if (left + window.width() > screen.width()) left = screen.width() - window.width() - 5;
    int top = cursor.y() + 10;
    if (top < 0) top = 8;
    if (top + window.height() > screen.height()) top = cursor.y() + 10 - window.height() - 12;
    return {left, top};
}

}  // namespace orvane
