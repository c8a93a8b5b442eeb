#include "render/overlays/text_overlay.h"

#include <QFontMetrics>

#include "base/album_time.h"
#include "effects/motion_table.h"
#include "effects/text_effect.h"
#include "render/overlays/label_sprite.h"

namespace orvane {

TextOverlay::TextOverlay(const ProjectModel& model, const OverlayScale& scale,
                         std::vector<UserError>& messages) {
    for (const TextEffect& row : model.textEffects) {
        if (!isMotionKey(row.motionKey)) {
            messages.push_back(
                problemError(Problem::TextMotionUnknown,
                             QStringLiteral("文字特效 \"%1\" 的运动方式 \"%2\" 无法识别，未显示")
                                 .arg(row.text, row.motionKey),
                             row.text, row.motionKey));
            continue;
        }
        const QFont font = textEffectFont(row, kReferenceWidth);
        const QFontMetrics metrics(font);
        MovingText text;
        text.startTime = row.startTime;
        text.motionKey = row.motionKey;
        text.fixed = QPoint(row.x.toInt() * kReferenceWidth / kTextPreviewWidth,
                            row.y.toInt() * kReferenceHeight / kTextPreviewHeight);
        text.label = QSize(metrics.horizontalAdvance(row.text), metrics.height());
        m_texts.push_back(text);
        m_sprites.push_back(
            renderLabelSprite(row.text, font, textEffectColor(row), text.label, scale));
    }
}

void TextOverlay::advanceFrame(int albumFrame) {
    if (m_texts.empty()) return;
    motionTick(m_texts, frameClockText(albumFrame), QSize(kReferenceWidth, kReferenceHeight));
}

void TextOverlay::paint(QPainter& painter, const OverlayScale& scale) const {
    for (std::size_t i = 0; i < m_texts.size(); ++i)
        if (m_texts[i].running()) painter.drawImage(scale.point(m_texts[i].position), m_sprites[i]);
}

}  // namespace orvane
