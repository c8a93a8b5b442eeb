#include "gui/lyrics/lyric_label.h"

#include <QPainter>

namespace orvane {

LyricLabelWidget::LyricLabelWidget(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LyricLabelWidget::apply(const QString& text, const LyricLabel& label) {
    m_text = text;
    m_font = label.font;
    m_color = label.color;
    setAccessibleName(text);
    setGeometry(label.rect);
    show();
    raise();
    update();
}

void LyricLabelWidget::clear() {
    m_text.clear();
    update();
}

void LyricLabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(m_font);
    painter.setPen(m_color);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, m_text);
}

}  // namespace orvane
