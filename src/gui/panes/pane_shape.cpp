#include "gui/panes/pane_shape.h"

#include <QPainter>

namespace orvane {

PaneShape::PaneShape(const QString& name, QColor pen, QWidget* parent)
    : QWidget(parent), m_pen(pen) {
    setObjectName(name);
    setEnabled(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void PaneShape::placeOn(const QRect& bounds) {
    setGeometry(bounds);
    raise();
    show();
}

void PaneShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Merge-not-pen: the mark stays visible on light and dark pictures alike.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
    QPen pen(m_pen);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QColor colorFromNumber(int number) {
    return QColor(number & 0xff, (number >> 8) & 0xff, (number >> 16) & 0xff);
}

}  // namespace orvane
