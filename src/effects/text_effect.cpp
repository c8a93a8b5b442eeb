#include "effects/text_effect.h"

#include "base/fonts.h"
#include "effects/motion_table.h"
#include "effects/text_colors.h"
#include "effects/text_motion.h"

namespace orvane {

std::optional<int> parseMinuteSecond(const QString& text) {
    if (text.size() != 5 || text[2] != QLatin1Char(':')) return std::nullopt;
    for (int i : {0, 1, 3, 4})
        if (!text[i].isDigit() || text[i].unicode() > '9') return std::nullopt;
    const int minutes = text.left(2).toInt();
    const int seconds = text.mid(3, 2).toInt();
    if (minutes > 59 || seconds > 59) return std::nullopt;
    return minutes * 60 + seconds;
}

Result<TextEffect> makeTextEffect(const TextEffectChoice& choice) {
    if (choice.text.isEmpty()) return fail(QStringLiteral("没有输入文字内容！"));
    if (!parseMinuteSecond(choice.startTime))
        return fail(QStringLiteral("(文字出现时间)不能为空！"));

    const std::vector<MotionRow> motions = motionTable();
    int row = -1;
    QString effectName = choice.effectName;
    if (!effectName.isEmpty()) {
        row = motionRowForEffectName(effectName);
    } else {
        for (std::size_t i = 0; i < motions.size(); ++i)
            if (motions[i].motionKey == choice.motionKey) row = static_cast<int>(i);
        // The first name of the list that stands for this motion.
        for (const QString& name : effectNameList())
            if (row >= 0 && motionRowForEffectName(name) == row) {
                effectName = name;
                break;
            }
    }
    if (row < 0) return fail(QStringLiteral("(文字特效)不能为空！"));
    if (choice.fontName.trimmed().isEmpty()) return fail(QStringLiteral("(文字字体)不能为空！"));
    bool sizeOk = false;
    const int size = choice.fontSize.toInt(&sizeOk);
    if (!sizeOk || size < 10 || size > 40) return fail(QStringLiteral("(文字大小)不能为空！"));
    const std::optional<int> color = colorValueForName(choice.colorName);
    if (!color) return fail(QStringLiteral("未知的字体颜色：%1").arg(choice.colorName));

    const MotionRow& motion = motions[static_cast<std::size_t>(row)];
    TextEffect e;
    e.text = choice.text;
    e.startTime = choice.startTime;
    e.endTime = kTextEndTimeUnused;
    e.runState = RunState::Stopped;
    e.motionKey = motion.motionKey;
    e.x = motion.x;
    e.y = motion.y;
    e.effectName = effectName;
    for (const NamedColor& c : textColorList())
        if (c.value == *color) {
            e.colorName = c.name;
            break;
        }
    e.fontName = choice.fontName;
    e.fontSize = size;
    e.bold = choice.bold;
    e.italic = choice.italic;
    e.underline = choice.underline;
    e.colorValue = QString::number(*color);
    return e;
}

int textEffectFontSize(const TextEffect& row, int frameWidth) {
    return row.fontSize * frameWidth / kTextPreviewWidth;
}

QFont textEffectFont(const TextEffect& row, int frameWidth) {
    return styledFont(row.fontName, textEffectFontSize(row, frameWidth), row.bold, row.italic,
                      row.underline);
}

QColor textEffectColor(const TextEffect& row) {
    return colorForValueText(row.colorValue).value_or(QColor(Qt::white));
}

}  // namespace orvane
