#include "raster.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>
#include <stdexcept>

namespace orvane::tc {
namespace {

QImage transparentImage(int w, int h) {
    QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A cheap blur for shadows: box blur of the alpha, three passes.
QImage blurred(const QImage& source, int radius) {
    QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = img.width(), h = img.height();
    std::vector<int> line;
    for (int pass = 0; pass < 3; ++pass) {
        for (int horizontal = 1; horizontal >= 0; --horizontal) {
            const int outer = horizontal ? h : w, inner = horizontal ? w : h;
            line.assign(static_cast<std::size_t>(inner) * 4, 0);
            for (int o = 0; o < outer; ++o) {
                auto px = [&](int i) -> QRgb& {
                    return horizontal ? reinterpret_cast<QRgb*>(img.scanLine(o))[i]
                                      : reinterpret_cast<QRgb*>(img.scanLine(i))[o];
                };
                for (int i = 0; i < inner; ++i) {
                    const QRgb p = px(i);
                    line[i * 4] = qAlpha(p);
                    line[i * 4 + 1] = qRed(p);
                    line[i * 4 + 2] = qGreen(p);
                    line[i * 4 + 3] = qBlue(p);
                }
                for (int i = 0; i < inner; ++i) {
                    int sum[4] = {0, 0, 0, 0}, n = 0;
                    for (int k = std::max(0, i - radius); k <= std::min(inner - 1, i + radius);
                         ++k) {
                        for (int c = 0; c < 4; ++c) sum[c] += line[k * 4 + c];
                        ++n;
                    }
                    px(i) = qRgba(sum[1] / n, sum[2] / n, sum[3] / n, sum[0] / n);
                }
            }
        }
    }
    return img;
}

}  // namespace

QImage rasterText(const TextStyle& style) {
    QFont font(style.font);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(style.size))));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setLetterSpacing(QFont::AbsoluteSpacing, style.spacing);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font);
    const QStringList lines = style.text.split(QLatin1Char('\n'));
    double width = 0;
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    const double lineHeight = metrics.height();
    const int pad = static_cast<int>(std::ceil(style.outline + style.shadow * 2.5 + 4));
    QImage image =
        transparentImage(static_cast<int>(std::ceil(width)) + 2 * pad,
                         static_cast<int>(std::ceil(lineHeight * lines.size())) + 2 * pad);

    QPainterPath path;
    for (int i = 0; i < lines.size(); ++i) {
        const double x = pad + (width - metrics.horizontalAdvance(lines[i])) / 2;
        path.addText(QPointF(x, pad + metrics.ascent() + i * lineHeight), font, lines[i]);
    }
    if (style.shadow > 0) {
        QImage shadow = transparentImage(image.width(), image.height());
        QPainter sp(&shadow);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.translate(style.shadow * 0.6, style.shadow * 0.8);
        sp.fillPath(path, QColor(0, 0, 0, 170));
        sp.end();
        shadow = blurred(shadow, std::max(1, static_cast<int>(style.shadow / 2)));
        QPainter ip(&image);
        ip.drawImage(0, 0, shadow);
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (style.outline > 0) {
        p.setPen(QPen(style.outlineColor, style.outline * 2, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(path);
    }
    p.fillPath(path, style.color);
    return image;
}

QImage rasterOrnament(const QString& name, int w, int h, const QColor& color) {
    QImage image = transparentImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double cx = w / 2.0, cy = h / 2.0;
    if (name == u"divider") {
        QLinearGradient g(0, 0, w, 0);
        QColor clear = color;
        clear.setAlpha(0);
        g.setColorAt(0, clear);
        g.setColorAt(0.35, color);
        g.setColorAt(0.65, color);
        g.setColorAt(1, clear);
        p.setPen(QPen(QBrush(g), std::max(1.5, h / 14.0)));
        p.drawLine(QPointF(0, cy), QPointF(cx - h * 0.6, cy));
        p.drawLine(QPointF(cx + h * 0.6, cy), QPointF(w, cy));
        QPainterPath diamond;
        const double r = h * 0.35;
        diamond.moveTo(cx, cy - r);
        diamond.lineTo(cx + r, cy);
        diamond.lineTo(cx, cy + r);
        diamond.lineTo(cx - r, cy);
        diamond.closeSubpath();
        p.fillPath(diamond, color);
        p.setBrush(color);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(cx - h * 0.9, cy), h * 0.1, h * 0.1);
        p.drawEllipse(QPointF(cx + h * 0.9, cy), h * 0.1, h * 0.1);
    } else if (name == u"corners") {
        const double s = std::min(w, h) * 0.16;
        p.setPen(QPen(color, std::max(2.0, s / 14), Qt::SolidLine, Qt::RoundCap));
        for (int corner = 0; corner < 4; ++corner) {
            p.save();
            p.translate(corner % 3 == 0 ? 0 : w, corner < 2 ? 0 : h);
            p.scale(corner % 3 == 0 ? 1 : -1, corner < 2 ? 1 : -1);
            QPainterPath curl;
            curl.moveTo(s * 0.15, s * 1.3);
            curl.lineTo(s * 0.15, s * 0.45);
            curl.cubicTo(s * 0.15, s * 0.2, s * 0.2, s * 0.15, s * 0.45, s * 0.15);
            curl.lineTo(s * 1.3, s * 0.15);
            curl.moveTo(s * 0.35, s * 0.9);
            curl.cubicTo(s * 0.35, s * 0.5, s * 0.5, s * 0.35, s * 0.9, s * 0.35);
            p.drawPath(curl);
            p.setBrush(color);
            p.drawEllipse(QPointF(s * 0.55, s * 0.55), s * 0.07, s * 0.07);
            p.setBrush(Qt::NoBrush);
            p.restore();
        }
    } else if (name == u"flourish") {
        p.setPen(QPen(color, std::max(2.0, h / 18.0), Qt::SolidLine, Qt::RoundCap));
        for (int side = -1; side <= 1; side += 2) {
            QPainterPath s;
            s.moveTo(cx, cy);
            s.cubicTo(cx + side * w * 0.12, cy - h * 0.45, cx + side * w * 0.3, cy + h * 0.45,
                      cx + side * w * 0.42, cy);
            s.cubicTo(cx + side * w * 0.46, cy - h * 0.2, cx + side * w * 0.38, cy - h * 0.3,
                      cx + side * w * 0.34, cy - h * 0.1);
            p.drawPath(s);
        }
        p.setBrush(color);
        p.drawEllipse(QPointF(cx, cy), h * 0.09, h * 0.09);
    } else if (name == u"sparkle") {
        QRadialGradient glow(cx, cy, std::min(w, h) / 2.0);
        QColor mid = color;
        mid.setAlpha(90);
        QColor clear = color;
        clear.setAlpha(0);
        glow.setColorAt(0, color);
        glow.setColorAt(0.15, mid);
        glow.setColorAt(1, clear);
        p.fillRect(image.rect(), glow);
        QPainterPath star;
        const double r = std::min(w, h) / 2.0, k = r * 0.08;
        star.moveTo(cx, cy - r);
        star.quadTo(cx + k, cy - k, cx + r, cy);
        star.quadTo(cx + k, cy + k, cx, cy + r);
        star.quadTo(cx - k, cy + k, cx - r, cy);
        star.quadTo(cx - k, cy - k, cx, cy - r);
        p.fillPath(star, color);
    } else {
        throw std::invalid_argument("unknown ornament \"" + name.toStdString() + "\"");
    }
    return image;
}

QImage rasterPattern(const QString& name, int tile, const QColor& background,
                     const QColor& foreground) {
    tile = std::clamp(tile, 4, 512);
    QImage image(tile, tile, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(foreground);
    const double t = tile;
    if (name == u"dots") {
        p.drawEllipse(QPointF(t / 4, t / 4), t / 10, t / 10);
        p.drawEllipse(QPointF(3 * t / 4, 3 * t / 4), t / 10, t / 10);
    } else if (name == u"stripes") {
        // Diagonal stripes that meet across the tile edges.
        for (int k = -1; k <= 1; ++k) {
            QPolygonF band;
            band << QPointF(k * t, t) << QPointF(k * t + t / 2, t) << QPointF(k * t + t + t / 2, 0)
                 << QPointF(k * t + t, 0);
            p.drawPolygon(band);
        }
    } else if (name == u"grid") {
        p.fillRect(QRectF(0, 0, t, std::max(1.0, t / 24)), foreground);
        p.fillRect(QRectF(0, 0, std::max(1.0, t / 24), t), foreground);
    } else if (name == u"hearts") {
        QPainterPath heart;
        const double s = t / 4, x = t / 2, y = t / 2;
        heart.moveTo(x, y - s * 0.3);
        heart.cubicTo(x + s * 0.1, y - s * 1.0, x + s * 1.1, y - s * 0.6, x, y + s * 0.7);
        heart.cubicTo(x - s * 1.1, y - s * 0.6, x - s * 0.1, y - s * 1.0, x, y - s * 0.3);
        p.drawPath(heart);
    } else if (name == u"paper") {
        p.end();
        QRandomGenerator rng(7);  // fixed: the tile is the same at every build
        for (int y = 0; y < tile; ++y)
            for (int x = 0; x < tile; ++x) {
                const int jitter = static_cast<int>(rng.bounded(17)) - 8;
                QColor c = background;
                c.setRgb(std::clamp(c.red() + jitter, 0, 255),
                         std::clamp(c.green() + jitter, 0, 255),
                         std::clamp(c.blue() + jitter, 0, 255), c.alpha());
                image.setPixelColor(x, y, c);
            }
    } else {
        throw std::invalid_argument("unknown pattern \"" + name.toStdString() + "\"");
    }
    return image;
}

}  // namespace orvane::tc
