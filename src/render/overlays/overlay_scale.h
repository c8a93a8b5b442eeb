#pragma once
// Overlays are laid out on a 1920 × 1080 reference frame; this maps reference
// pixels to the output frame (integer arithmetic, rounding toward minus
// infinity so that positions left of or above the frame stay outside it).

#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvane {

inline constexpr int kReferenceWidth = 1920;
inline constexpr int kReferenceHeight = 1080;

class OverlayScale {
   public:
    explicit OverlayScale(QSize output) : m_output(output) {}

    QSize output() const { return m_output; }
    double factorX() const { return double(m_output.width()) / kReferenceWidth; }
    double factorY() const { return double(m_output.height()) / kReferenceHeight; }

    int x(int referenceX) const {
        return floorDiv(qint64(referenceX) * m_output.width(), kReferenceWidth);
    }
    int y(int referenceY) const {
        return floorDiv(qint64(referenceY) * m_output.height(), kReferenceHeight);
    }
    QPoint point(QPoint p) const { return {x(p.x()), y(p.y())}; }
    // A size rounded up, so a scaled label never loses its last pixel column.
    QSize size(QSize s) const {
        return {-floorDiv(-qint64(s.width()) * m_output.width(), kReferenceWidth),
                -floorDiv(-qint64(s.height()) * m_output.height(), kReferenceHeight)};
    }

   private:
    static int floorDiv(qint64 a, qint64 b) {
        const qint64 q = a / b;
        return int((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
    }
    QSize m_output;
};

}  // namespace orvane
