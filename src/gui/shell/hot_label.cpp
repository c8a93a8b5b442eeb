#include "gui/shell/hot_label.h"

#include <QKeyEvent>
#include <QPainter>

#include "gui/shell/skin_painter.h"

namespace orvane {

HotLabel::HotLabel(const QString& objectName, const QString& caption, const QString& text,
                   QWidget* parent)
    : QAbstractButton(parent) {
    setObjectName(objectName);
    setText(text);
    setAccessibleName(caption);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
}

void HotLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!text().isEmpty()) {
        p.setPen(m_hover ? skin_colours::kAccent.lighter(120) : skin_colours::kText);
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter, text());
    }
    if (hasFocus() && m_keyboardFocus) {
        QPen pen(skin_colours::kAccent, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void HotLabel::enterEvent(QEnterEvent* event) {
    m_hover = true;
    update();
    emit hovered(true);
    QAbstractButton::enterEvent(event);
}

void HotLabel::leaveEvent(QEvent* event) {
    m_hover = false;
    update();
    emit hovered(false);
    QAbstractButton::leaveEvent(event);
}

void HotLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

// Focus reached with the keyboard lights the picture under the label as the
// mouse does; focus that only falls to the label (a window activated, a
// focused widget hidden) shows nothing, or the close control would look
// pressed for no reason.
void HotLabel::focusInEvent(QFocusEvent* event) {
    m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
                      event->reason() == Qt::BacktabFocusReason ||
                      event->reason() == Qt::ShortcutFocusReason;
    if (m_keyboardFocus) emit hovered(true);
    QAbstractButton::focusInEvent(event);
}

void HotLabel::focusOutEvent(QFocusEvent* event) {
    m_keyboardFocus = false;
    emit hovered(m_hover);
    QAbstractButton::focusOutEvent(event);
}

}  // namespace orvane
