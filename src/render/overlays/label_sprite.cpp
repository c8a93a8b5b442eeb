#include "render/overlays/label_sprite.h"

#include <QPainter>

namespace orvane {

QImage renderLabelSprite(const QString& text, const QFont& font, const QColor& color,
                         QSize referenceSize, const OverlayScale& scale) {
    const QSize size = scale.size(referenceSize);
    QImage sprite(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    if (text.isEmpty() || referenceSize.isEmpty()) return sprite;
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale.factorX(), scale.factorY());
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRect(QPoint(0, 0), referenceSize),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    return sprite;
}

const QImage& SpriteCache::get(const QString& key, const QString& text, const QFont& font,
                               const QColor& color, QSize referenceSize,
                               const OverlayScale& scale) {
    auto it = m_sprites.find(key);
    if (it != m_sprites.end()) return *it;
    // Lines come and go in order; old ones are not shown again soon.
    if (m_sprites.size() >= m_capacity) m_sprites.clear();
    return *m_sprites.insert(key, renderLabelSprite(text, font, color, referenceSize, scale));
}

}  // namespace orvane
