#pragma once
// A label drawn once into a small premultiplied picture at the output scale,
// then blended into every frame that shows it; and a small cache of them so
// that a lyric or karaoke line is laid out once, not once per frame.
// One thread at a time.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>

#include "render/overlays/overlay_scale.h"

namespace orvane {

// `text` in `font` and `color`, left and top aligned in a label of
// `referenceSize` (1920 × 1080 pixels), cut to the label, at `scale`.
QImage renderLabelSprite(const QString& text, const QFont& font, const QColor& color,
                         QSize referenceSize, const OverlayScale& scale);

class SpriteCache {
   public:
    explicit SpriteCache(int capacity = 16) : m_capacity(capacity) {}

    // The sprite stored under `key`, drawn by renderLabelSprite() on a miss.
    const QImage& get(const QString& key, const QString& text, const QFont& font,
                      const QColor& color, QSize referenceSize, const OverlayScale& scale);
    void clear() { m_sprites.clear(); }
    int size() const { return static_cast<int>(m_sprites.size()); }

   private:
    int m_capacity;
    QHash<QString, QImage> m_sprites;
};

}  // namespace orvane
