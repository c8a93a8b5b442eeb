#include "gui/shell/skin.h"

#include <QPainter>

namespace orvane {

namespace {

QPixmap cut(const QPixmap& skin, QRect logical, qreal ratio) {
    const QRect device(qRound(logical.x() * ratio), qRound(logical.y() * ratio),
                       qRound(logical.width() * ratio), qRound(logical.height() * ratio));
    QPixmap part = skin.copy(device);
    part.setDevicePixelRatio(ratio);
    return part;
}

}  // namespace

Skin::Skin(qreal devicePixelRatio) : m_ratio(devicePixelRatio) {
    for (SkinKind kind : {SkinKind::Main, SkinKind::Small}) {
        for (int s = 0; s < 3; ++s) {
            const auto state = static_cast<SkinState>(s);
            const QPixmap skin = paintSkin(kind, state, m_ratio);
            for (int p = 0; p < kPartCount; ++p) {
                const auto part = static_cast<SkinPart>(p);
                if (isSmallSkinPart(part) != (kind == SkinKind::Small)) continue;
                m_slices[static_cast<std::size_t>(p)][static_cast<std::size_t>(s)] =
                    cut(skin, skinSlice(part), m_ratio);
            }
        }
    }
}

const QPixmap& Skin::slice(SkinPart part, SkinState state) const {
    return m_slices[static_cast<std::size_t>(part)][static_cast<std::size_t>(state)];
}

QPixmap Skin::bottomLeftWithHover(int x, int width) const {
    QPixmap composed = slice(SkinPart::BottomLeft);
    const QPixmap& hover = slice(SkinPart::BottomLeft, SkinState::Hover);
    QPainter p(&composed);
    const QRectF target(x, 0, width, hover.deviceIndependentSize().height());
    const QRectF source(x * m_ratio, 0, width * m_ratio, hover.height());
    p.drawPixmap(target, hover, source);
    return composed;
}

}  // namespace orvane
