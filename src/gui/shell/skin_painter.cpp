#include "gui/shell/skin_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "browser/skin_slices.h"

namespace orvane {

namespace {

using namespace skin_colours;

void paintBand(QPainter& p, const QRectF& band, SkinState state, bool accentBelow) {
    QLinearGradient g(band.topLeft(), band.bottomLeft());
    QColor top = kBandTop;
    QColor bottom = kBandBottom;
    if (state == SkinState::Hover) {
        top = top.lighter(125);
        bottom = bottom.lighter(125);
    } else if (state == SkinState::Pressed) {
        top = top.darker(120);
        bottom = bottom.darker(110);
    }
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(band, g);
    // A thin light line along the top edge and an accent hairline along the
    // edge that meets the window's body.
    p.fillRect(QRectF(band.left(), band.top(), band.width(), 1), top.lighter(130));
    const QColor accent = state == SkinState::Normal ? kAccent.darker(160) : kAccent;
    if (accentBelow)
        p.fillRect(QRectF(band.left(), band.bottom() - 1, band.width(), 1), accent);
    else
        p.fillRect(QRectF(band.left(), band.top(), band.width(), 1), accent);
}

// The highlight behind a title button in the hover and pressed states.
void paintButtonFace(QPainter& p, const QRectF& r, SkinState state, bool close) {
    if (state == SkinState::Normal) return;
    QColor face = close ? kCloseHover : kBandTop.lighter(160);
    if (state == SkinState::Pressed) face = face.darker(130);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(r.adjusted(3, 10, -3, -10), 4, 4);
}

QPen glyphPen(SkinState state) {
    QPen pen(state == SkinState::Normal ? kTextDim : kText, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// The glyph of a title button, centred in `r`; a pressed button sits one
// pixel lower.
void paintGlyph(QPainter& p, SkinPart part, QRectF r, SkinState state) {
    if (state == SkinState::Pressed) r.translate(0, 1);
    const QPointF c = r.center();
    p.setPen(glyphPen(state));
    p.setBrush(Qt::NoBrush);
    switch (part) {
        case SkinPart::CloseButton:
        case SkinPart::SmallTitleRight: {
            const qreal d = 5.5;
            p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
            p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
            break;
        }
        case SkinPart::FullScreenButton: {
            // Four corners pointing out.
            const qreal d = 6, k = 3.5;
            for (int sx : {-1, 1})
                for (int sy : {-1, 1}) {
                    const QPointF corner = c + QPointF(sx * d, sy * d);
                    p.drawLine(corner, corner - QPointF(sx * k, 0));
                    p.drawLine(corner, corner - QPointF(0, sy * k));
                }
            break;
        }
        case SkinPart::RestoreButton: {
            p.drawRect(QRectF(c.x() - 6, c.y() - 3, 9, 9));
            p.drawPolyline(QPolygonF{QPointF(c.x() - 3, c.y() - 3), QPointF(c.x() - 3, c.y() - 6),
                                     QPointF(c.x() + 6, c.y() - 6), QPointF(c.x() + 6, c.y() + 3),
                                     QPointF(c.x() + 3, c.y() + 3)});
            break;
        }
        case SkinPart::StartLayoutButton: {
            // A window with its title bar: the start layout.
            const QRectF w(c.x() - 7, c.y() - 5, 14, 10);
            p.drawRoundedRect(w, 1.5, 1.5);
            p.drawLine(QPointF(w.left(), w.top() + 3), QPointF(w.right(), w.top() + 3));
            break;
        }
        default:
            break;
    }
}

void paintMain(QPainter& p, SkinState state) {
    const qreal h = kSkinSize.height();
    const qreal w = kSkinSize.width();
    p.fillRect(QRectF(0, 0, w, h), kWindow);
    // Title band: the title pieces are cut from rows 2..58; only the
    // buttons change with the state, so that the stretched middle piece and
    // the left piece look the same in every picture.
    paintBand(p, QRectF(0, 0, w, 61), SkinState::Normal, true);
    for (SkinPart part : {SkinPart::CloseButton, SkinPart::FullScreenButton,
                          SkinPart::RestoreButton, SkinPart::StartLayoutButton}) {
        const QRectF r = skinSlice(part);
        paintButtonFace(p, r, state, part == SkinPart::CloseButton);
        paintGlyph(p, part, r, state);
    }
    // Bottom strip: a hover or pressed picture lights the whole strip; the
    // window takes only the stretch under the label the mouse is on.
    paintBand(p, QRectF(0, h - 42, w, 42), state, false);
}

void paintSmall(QPainter& p, SkinState state) {
    const qreal h = kSkinSize.height();
    const qreal w = kSkinSize.width();
    p.fillRect(QRectF(0, 0, w, h), kPanel);
    paintBand(p, QRectF(0, 0, w, 37), SkinState::Normal, true);
    const QRectF close = skinSlice(SkinPart::SmallTitleRight);
    paintButtonFace(p, close.adjusted(4, -4, -4, 4), state, true);
    paintGlyph(p, SkinPart::SmallTitleRight, close, state);
    QLinearGradient g(QPointF(0, h - 5), QPointF(0, h));
    g.setColorAt(0, kAccent.darker(170));
    g.setColorAt(1, kBandBottom);
    p.fillRect(QRectF(0, h - 5, w, 5), g);
}

}  // namespace

QPixmap paintSkin(SkinKind kind, SkinState state, qreal devicePixelRatio) {
    QPixmap pixmap(kSkinSize * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(skin_colours::kWindow);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == SkinKind::Main)
        paintMain(p, state);
    else
        paintSmall(p, state);
    return pixmap;
}

}  // namespace orvane
