#include "gui/shell/skin_picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvane {

SkinPicture::SkinPicture(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SkinPicture::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void SkinPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), m_picture);
}

void SkinPicture::enterEvent(QEnterEvent*) { emit entered(); }
void SkinPicture::leaveEvent(QEvent*) { emit left(); }

void SkinPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed(event->globalPosition().toPoint());
}

void SkinPicture::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) emit moved(event->globalPosition().toPoint());
}

void SkinPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit released(rect().contains(event->position().toPoint()));
}

void SkinPicture::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace orvane
