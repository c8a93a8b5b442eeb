#include "gui/shell/problem_text.h"

#include <QDir>
#include <QStringList>

namespace orvane {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// The program's own messages are Chinese from their first word.
bool startsInChinese(const QString& text) {
    for (const QChar c : text) {
        if (c.isSpace() || c.isPunct()) continue;
        return c.unicode() >= 0x3400 && c.unicode() <= 0x9fff;
    }
    return false;
}

QString encoderText(const QString& reason, const QString& words) {
    const QString text = QStringLiteral("相册编码失败：%1。").arg(reason);
    return words.isEmpty() ? text : text + u'\n' + words;
}

}  // namespace

QString problemText(const UserError& e) {
    switch (e.problem) {
        case Problem::WorkingFolderMissing:
            return QStringLiteral("找不到工作文件夹：%1").arg(shown(e.subject));
        case Problem::WorkingFolderInUse:
            if (e.detail.isEmpty())
                return QStringLiteral(
                           "工作文件夹 %1 正被另一个 Orvane 程序使用，请等它结束后再试，"
                           "或使用另一个工作文件夹。")
                    .arg(shown(e.subject));
            return QStringLiteral(
                       "工作文件夹 %1 正被另一个 Orvane 程序（%2）使用，请等它结束后再试，"
                       "或使用另一个工作文件夹。")
                .arg(shown(e.subject), e.detail);
        case Problem::WorkingFolderUnlockable:
            return QStringLiteral("无法锁定工作文件夹 %1：%2").arg(shown(e.subject), e.detail);
        case Problem::OutputFolderMissing:
            return QStringLiteral("保存相册的文件夹不存在：%1").arg(shown(e.subject));
        case Problem::OutputFolderReadOnly:
            return QStringLiteral("保存相册的文件夹无法写入：%1").arg(shown(e.subject));
        case Problem::AlbumBeingMade:
            return QStringLiteral("正在制作另一个相册，请等它完成后再制作。");
        case Problem::EncoderSettings:
            return encoderText(QStringLiteral("输出设置无法编码"), e.detail);
        case Problem::EncoderSource:
            return encoderText(QStringLiteral("无法读取相册的画面或音乐"), e.detail);
        case Problem::EncoderFailed:
            return encoderText(QStringLiteral("编码器无法运行"), e.detail);
        case Problem::EncoderOutput:
            return encoderText(QStringLiteral("无法写入保存的文件"), e.detail);
        case Problem::TemplateUnplayable:
            return QStringLiteral("模板 %1 无法播放").arg(shown(e.subject));
        case Problem::LyricUnreadable:
            return QStringLiteral("歌词文件 %1 无法读取").arg(shown(e.subject));
        case Problem::KaraokeUnreadable:
            return QStringLiteral("卡拉OK歌词文件 %1 无法读取").arg(shown(e.subject));
        case Problem::PictureUnreadable:
            return QStringLiteral("画面特效图片 %1 无法读取").arg(shown(e.subject));
        case Problem::PictureTooLarge:
            return QStringLiteral("画面特效图片 %1 太大").arg(shown(e.subject));
        case Problem::PictureTimesInvalid:
            return QStringLiteral("画面特效图片 %1 的显示时间无效").arg(shown(e.subject));
        case Problem::TextMotionUnknown:
            return QStringLiteral("文字特效“%1”的运动方式“%2”无法识别").arg(e.subject, e.detail);
        case Problem::Unknown:
            break;
    }
    if (startsInChinese(e.message)) return e.message;
    return QStringLiteral("操作未能完成：%1").arg(e.message);
}

QString refusedTemplatesText(const std::vector<RefusedTemplate>& refused) {
    QStringList lines{QStringLiteral("以下模板无法使用，已略过：")};
    for (const RefusedTemplate& r : refused) {
        QString why;
        switch (r.cause) {
            case RefusalCause::NoMovie:
                why = QStringLiteral("缺少对应的模板动画包");
                break;
            case RefusalCause::NoParameters:
                why = QStringLiteral("缺少对应的模板参数包");
                break;
            case RefusalCause::Damaged:
                why = QStringLiteral("模板包已损坏");
                break;
            case RefusalCause::NoMarker:
                why = QStringLiteral("模板参数没有有效标记");
                break;
        }
        lines << QStringLiteral("%1：%2").arg(shown(r.package), why);
    }
    return lines.join(u'\n');
}

QString leftOutText(const std::vector<UserError>& leftOut) {
    QStringList lines{QStringLiteral("相册已制作，但以下内容未能使用：")};
    for (const UserError& part : leftOut) lines << problemText(part);
    return lines.join(u'\n');
}

}  // namespace orvane
