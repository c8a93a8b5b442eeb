#include "effects/effect_options.h"

#include <QStringList>

#include "effects/motion_table.h"
#include "effects/picture_effect.h"
#include "effects/text_effect.h"

namespace orvane {

Result<TextEffect> textEffectFromOption(const QString& option) {
    const QStringList parts = option.split(QLatin1Char('|'));
    if (parts.size() < 3 || parts.size() > 6)
        return fail(QStringLiteral("文字特效 \"%1\" 应为 文字|mm:ss|运动方式[|颜色|字体|大小]")
                        .arg(option));
    TextEffectChoice choice;
    choice.text = parts[0];
    choice.startTime = parts[1].trimmed();
    const QString motion = parts[2].trimmed();
    if (isMotionKey(motion))
        choice.motionKey = motion;
    else
        choice.effectName = motion;
    if (parts.size() > 3 && !parts[3].trimmed().isEmpty()) choice.colorName = parts[3].trimmed();
    if (parts.size() > 4 && !parts[4].trimmed().isEmpty()) choice.fontName = parts[4].trimmed();
    if (parts.size() > 5 && !parts[5].trimmed().isEmpty()) choice.fontSize = parts[5].trimmed();
    Result<TextEffect> row = makeTextEffect(choice);
    if (!row) return fail(QStringLiteral("文字特效 \"%1\": %2").arg(option, row.error().message));
    return row;
}

Result<PictureEffect> pictureEffectFromOption(const QString& option, int seqNo) {
    const QStringList parts = option.split(QLatin1Char('|'));
    if (parts.size() != 4 || parts[0].trimmed().isEmpty())
        return fail(QStringLiteral("画面特效 \"%1\" 应为 文件|mm:ss|mm:ss|x,y").arg(option));
    return makePictureEffect(parts[0].trimmed(), parts[1].trimmed(), parts[2].trimmed(),
                             parts[3].trimmed(), seqNo);
}

}  // namespace orvane
