#include "gui/lyrics/karaoke_panel.h"

#include <QMouseEvent>
#include <QPainter>

#include "base/fonts.h"
#include "effects/text_colors.h"

namespace orvane {

namespace {

KaraokeGeometry panelGeometry(KaraokePanelRows rows) {
    return {rows.rowALeft, rows.rowATop, rows.rowBTop, KaraokePanel::kSize.width()};
}

constexpr int kMarkWidth = 300;

}  // namespace

KaraokePanel::KaraokePanel(QWidget* parent)
    : QWidget(parent), m_timeline(panelGeometry(KaraokePanelRows{})) {
    setObjectName(QStringLiteral("Panel_ksc"));
    setFixedSize(kSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setToolTip(QStringLiteral("拖动歌词行可改变卡拉OK歌词在相册中的位置"));
    setLook(KaraokeEntry{});
}

void KaraokePanel::setLook(const KaraokeEntry& entry) {
    m_font = QFont(entry.fontName);
    m_font.setPixelSize(std::max(1, pointsToPixels(karaokeFontSize(entry, kSize.width()))));
    m_font.setBold(entry.bold);
    m_font.setItalic(entry.italic);
    m_font.setUnderline(entry.underline);
    m_unsung = colorForValueText(entry.colorValue).value_or(QColor(Qt::white));
    m_sung = colorForValueText(entry.fillColorValue).value_or(QColor(Qt::blue));
    update();
}

KaraokePanelRows KaraokePanel::rows() const {
    const KaraokeGeometry& g = m_timeline.geometry();
    return {g.rowALeft, g.rowATop, g.rowBTop};
}

void KaraokePanel::setRows(KaraokePanelRows rows) {
    m_timeline.setGeometry(panelGeometry(rows));
    update();
}

int KaraokePanel::markHeight() const { return QFontMetrics(m_font).height() + 10; }

QRect KaraokePanel::rowARect() const {
    const KaraokeLabel& base = m_timeline.rowA().base;
    if (base.visible) return base.rect;
    const KaraokeGeometry& g = m_timeline.geometry();
    return {g.rowALeft, g.rowATop, kMarkWidth, markHeight()};
}

QRect KaraokePanel::rowBRect() const {
    const KaraokeLabel& base = m_timeline.rowB().base;
    if (base.visible) return base.rect;
    const KaraokeGeometry& g = m_timeline.geometry();
    return {kSize.width() - kMarkWidth - 20, g.rowBTop, kMarkWidth, markHeight()};
}

void KaraokePanel::paintRow(QPainter& painter, const KaraokeRow& row, const QRect& mark,
                            const QString& caption) {
    if (!row.base.visible) {
        painter.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(mark.adjusted(0, 0, -1, -1));
        painter.setFont(font());
        painter.drawText(mark, Qt::AlignCenter, caption);
        return;
    }
    painter.setFont(m_font);
    painter.setPen(m_unsung);
    painter.drawText(row.base.rect, Qt::AlignLeft | Qt::AlignTop, row.base.text);
    if (row.sweep.visible && row.sweep.rect.width() > 0) {
        painter.save();
        painter.setClipRect(row.sweep.rect);
        painter.setPen(m_sung);
        // Drawn in a label as large as the base label, cut to the sweep.
        painter.drawText(QRect(row.sweep.rect.topLeft(), row.base.rect.size()),
                         Qt::AlignLeft | Qt::AlignTop, row.sweep.text);
        painter.restore();
    }
}

void KaraokePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintRow(painter, m_timeline.rowA(), rowARect(), QStringLiteral("第一行歌词 (拖动改变位置)"));
    paintRow(painter, m_timeline.rowB(), rowBRect(), QStringLiteral("第二行歌词 (上下拖动)"));
}

void KaraokePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    if (rowARect().contains(p)) {
        m_drag = Drag::RowA;
        m_grab = p - rowARect().topLeft();
    } else if (rowBRect().contains(p)) {
        m_drag = Drag::RowB;
        m_grab = p - rowBRect().topLeft();
    }
    if (m_drag != Drag::None) setCursor(Qt::ClosedHandCursor);
}

void KaraokePanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (m_drag == Drag::None) {
        setCursor(rowARect().contains(p) || rowBRect().contains(p) ? Qt::OpenHandCursor
                                                                   : Qt::ArrowCursor);
        return;
    }
    KaraokePanelRows r = rows();
    const QPoint top = p - m_grab;
    // The rows stay inside the panel.
    const int maxTop = kSize.height() - markHeight();
    if (m_drag == Drag::RowA) {
        r.rowALeft = std::clamp(top.x(), 0, kSize.width() - 20);
        r.rowATop = std::clamp(top.y(), 0, std::max(0, maxTop));
    } else {
        r.rowBTop = std::clamp(top.y(), 0, std::max(0, maxTop));
    }
    setRows(r);
}

void KaraokePanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_drag == Drag::None) return;
    m_drag = Drag::None;
    setCursor(Qt::OpenHandCursor);
    emit rowsMoved(rows());
}

}  // namespace orvane
