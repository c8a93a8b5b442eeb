#include "gui/album/album_log_text.h"

#include "gui/shell/problem_text.h"

namespace orvane {

namespace {

QString encoderProgressText(const AlbumLogLine& line) {
    switch (line.status) {
        case MclStatus::ProcessingTime:
            return QStringLiteral("编码用时：%1").arg(line.time);
        case MclStatus::Preparing:
            return QStringLiteral("正在准备编码...");
        case MclStatus::ReducingColors:
            return QStringLiteral("正在减少颜色，已完成 %1 帧").arg(line.a);
        case MclStatus::Frame:
            return QStringLiteral("帧：%1，采样：%2，剩余时间：%3")
                .arg(line.a)
                .arg(line.b)
                .arg(line.time);
        case MclStatus::Multiplexing:
            return QStringLiteral("正在合成音视频：%1%").arg(line.c);
    }
    return QStringLiteral("编码器报告了未知的状态");
}

// The problem in Chinese, with the other party's words after it.
QString withDetail(const QString& text, const QString& detail) {
    return detail.isEmpty() ? text : QStringLiteral("%1（%2）").arg(text, detail);
}

}  // namespace

QString chineseLogText(const AlbumLogLine& line) {
    switch (line.kind) {
        case AlbumLogKind::TotalFrames:
            return QStringLiteral("总帧数：%1").arg(line.count);
        case AlbumLogKind::TotalSamples:
            return QStringLiteral("总采样数：%1").arg(line.count);
        case AlbumLogKind::ConversionStarted:
            return QStringLiteral("开始编码...");
        case AlbumLogKind::ConversionEnded:
            return QStringLiteral("编码结束。");
        case AlbumLogKind::NothingToConvert:
            return QStringLiteral("没有需要编码的内容。");
        case AlbumLogKind::EncoderProgress:
            return encoderProgressText(line);
        case AlbumLogKind::EncoderError:
            return problemText(line.problem);
        case AlbumLogKind::TemplateSkipped:
            return withDetail(problemText(line.problem) + QStringLiteral("，已跳过"),
                              line.problem.detail);
        case AlbumLogKind::TemplateFailed:
            return withDetail(
                problemText(line.problem) + QStringLiteral("，播放中出错，改播下一个模板"),
                line.problem.detail);
        case AlbumLogKind::TemplateWarning:
            return QStringLiteral("模板动画提示：%1").arg(line.english);
        case AlbumLogKind::LeftOut:
            return problemText(line.problem) + QStringLiteral("，未使用");
    }
    return line.english;
}

}  // namespace orvane
