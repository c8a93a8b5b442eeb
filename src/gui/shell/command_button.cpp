#include "gui/shell/command_button.h"

namespace orvane {

CommandButton::CommandButton(const QString& caption, const QString& objectName, QWidget* parent)
    : QPushButton(caption, parent) {
    setObjectName(objectName);
    setAccessibleName(caption.simplified());
}

void CommandButton::setLeastSize(QSize size) {
    m_least = size;
    updateGeometry();
}

QSize CommandButton::sizeHint() const { return QPushButton::sizeHint().expandedTo(m_least); }

QSize CommandButton::minimumSizeHint() const {
    return QPushButton::minimumSizeHint().expandedTo(m_least);
}

}  // namespace orvane
