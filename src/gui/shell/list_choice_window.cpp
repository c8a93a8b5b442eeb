#include "gui/shell/list_choice_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane {

ListChoiceWindow::ListChoiceWindow(const QString& objectName, const QString& caption,
                                   const QString& line, const QString& listName,
                                   const std::vector<WindowButton>& buttons, const Skin& skin,
                                   QWidget* parent)
    : FramedWindow(objectName, caption, skin, parent) {
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(14, 10, 14, 12);
    if (!line.isEmpty()) {
        m_line = new QLabel(line, content());
        m_line->setObjectName(QStringLiteral("Label_shuoming"));
        m_line->setAccessibleName(line);
        layout->addWidget(m_line);
    }
    m_list = new QTreeWidget(content());
    m_list->setObjectName(listName);
    m_list->setAccessibleName(line.isEmpty() ? caption : line);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_list, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    int width = 40;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* button = new QPushButton(buttons[i].caption, content());
        button->setObjectName(buttons[i].objectName);
        button->setAccessibleName(buttons[i].caption);
        button->setMinimumWidth(80);
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (m_onButton && m_onButton(static_cast<int>(i), chosenRow()))
                done(static_cast<int>(i) + 1);
        });
        row->addWidget(button);
        m_buttons.push_back(button);
        width += std::max(80, button->sizeHint().width()) + 10;
    }
    layout->addLayout(row);
    setContentSize(QSize(std::max(520, width), 320));
}

void ListChoiceWindow::setRows(const QStringList& headers, const QList<QStringList>& rows) {
    m_list->clear();
    m_list->setHeaderLabels(headers);
    QList<QTreeWidgetItem*> items;
    for (const QStringList& cells : rows) items << new QTreeWidgetItem(cells);
    m_list->addTopLevelItems(items);
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
}

std::optional<int> ListChoiceWindow::chosenRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return m_list->indexOfTopLevelItem(selected.first());
}

int ListChoiceWindow::choose(const ButtonHandler& onButton) {
    m_onButton = onButton;
    const int result = exec();
    m_onButton = nullptr;
    return result - 1;
}

}  // namespace orvane
