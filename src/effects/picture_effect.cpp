#include "effects/picture_effect.h"

#include <QStringList>

#include "base/album_time.h"
#include "effects/text_effect.h"
#include "effects/text_motion.h"

namespace orvane {

namespace {

std::optional<QPoint> parsePlacement(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2) return std::nullopt;
    bool okX = false;
    bool okY = false;
    const int x = parts[0].trimmed().toInt(&okX);
    const int y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY) return std::nullopt;
    return QPoint(x, y);
}

}  // namespace

Result<PictureEffectSpan> pictureEffectSpan(const PictureEffect& row) {
    const QString where = QStringLiteral("画面特效 %1: ").arg(row.decoration);
    const std::optional<int> start = parseMinuteSecond(row.startTime);
    if (!start)
        return fail(where + QStringLiteral("开始时间 \"%1\" 不是 mm:ss").arg(row.startTime));
    PictureEffectSpan span;
    span.file = row.decoration;
    span.startFrame = *start * kFramesPerSecond;
    if (row.endTime != kNone) {
        const std::optional<int> end = parseMinuteSecond(row.endTime);
        if (!end)
            return fail(where + QStringLiteral("结束时间 \"%1\" 不是 mm:ss").arg(row.endTime));
        if (*end <= *start) return fail(where + QStringLiteral("结束时间不在开始时间之后"));
        span.endFrame = *end * kFramesPerSecond;
    }
    const std::optional<QPoint> placement = parsePlacement(row.placement);
    if (!placement) return fail(where + QStringLiteral("位置 \"%1\" 不是 x,y").arg(row.placement));
    span.placement = *placement;
    return span;
}

Result<PictureEffect> makePictureEffect(const QString& file, const QString& startTime,
                                        const QString& endTime, const QString& placement,
                                        int seqNo) {
    PictureEffect row;
    row.startTime = startTime;
    row.endTime = endTime;
    row.runState = RunState::Stopped;
    row.decoration = file;
    row.seqNo = seqNo;
    row.placement = placement;
    const Result<PictureEffectSpan> span = pictureEffectSpan(row);
    if (!span) return fail(span.error().message);
    row.frames = span->endFrame < 0 ? 0 : span->endFrame - span->startFrame;
    return row;
}

}  // namespace orvane
