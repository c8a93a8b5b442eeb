#include "gui/question_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

QuestionWindow::QuestionWindow(const QString& objectName, const QString& caption,
                               const std::vector<WindowButton>& buttons, const Skin& skin,
                               QWidget* parent)
    : FramedWindow(objectName, caption, skin, parent) {
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(20, 16, 20, 14);
    m_question = new QLabel(content());
    m_question->setObjectName(QStringLiteral("Label_xinxi"));
    m_question->setWordWrap(true);
    m_question->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_question, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    int width = 40;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* button = new QPushButton(buttons[i].caption, content());
        button->setObjectName(buttons[i].objectName);
        button->setAccessibleName(buttons[i].caption);
        button->setMinimumWidth(90);
        connect(button, &QPushButton::clicked, this, [this, i] { done(static_cast<int>(i) + 1); });
        row->addWidget(button);
        m_buttons.push_back(button);
        width += std::max(90, button->sizeHint().width()) + 10;
    }
    row->addStretch();
    layout->addLayout(row);
    setContentSize(QSize(std::max(400, width), 150));
}

int QuestionWindow::ask(const QString& question) {
    m_question->setText(question);
    m_question->setAccessibleName(question);
    if (!m_buttons.empty()) {
        m_buttons.front()->setDefault(true);
        m_buttons.front()->setFocus();
    }
    // done(i + 1) for button i; a close (Rejected, 0) is -1.
    const int result = exec();
    return result - 1;
}

}  // namespace orvane
