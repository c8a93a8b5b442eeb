#include "gui/panes/hint_frame.h"

#include <QPainterPath>
#include <QPalette>
#include <QRegion>

#include "gui/panes/pane_shape.h"

namespace orvane {

void makeHintFrame(QWidget* w, const QString& name, const QString& caption, QSize size) {
    w->setObjectName(name);
    w->setWindowTitle(caption);
    w->setAccessibleName(caption);
    // A hint never takes a click meant for the control beneath it.
    w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colorFromNumber(kHintColor));
    palette.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(palette);
    w->resize(size);
}

void roundCorners(QWidget* w) {
    QPainterPath path;
    path.addRoundedRect(QRectF(w->rect()), 4.5, 4.5);
    w->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

}  // namespace orvane
