#include "gui/shell/button_row.h"

#include "gui/shell/command_button.h"

namespace orvane {

ButtonRow::ButtonRow(QWidget* owner, Align align) : m_owner(owner) {
    setContentsMargins(0, 0, 0, 0);
    if (align == Align::Right) addStretch(1);
}

CommandButton* ButtonRow::addButton(const QString& caption, const QString& objectName) {
    auto* b = new CommandButton(caption, objectName, m_owner);
    b->setLeastSize(m_least);
    addWidget(b, 0);
    m_buttons.push_back(b);
    return b;
}

void ButtonRow::setLeastButtonSize(QSize size) {
    m_least = size;
    for (CommandButton* b : m_buttons) b->setLeastSize(size);
}

}  // namespace orvane
