#include "gui/shell/question_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

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

// A long question (a list of files) gets a wider window as tall as its text,
// up to a bound; a short one the window's own size again.
void QuestionWindow::fitTo(const QString& question) {
    const bool longText = question.size() > 120 || question.count(QLatin1Char('\n')) > 3;
    if (!longText) {
        if (m_ownSize.isValid()) setFixedSize(m_ownSize);
        m_ownSize = {};
        m_question->setAlignment(Qt::AlignCenter);
        return;
    }
    if (!m_ownSize.isValid()) m_ownSize = size();
    const int width = std::max(600, m_ownSize.width());
    m_question->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int textHeight = m_question->heightForWidth(width - 40);
    setContentSize(QSize(width, std::clamp(textHeight + 80, 150, 600)));
}

int QuestionWindow::ask(const QString& question) {
    m_question->setText(question);
    m_question->setAccessibleName(question);
    fitTo(question);
    if (!m_buttons.empty()) {
        m_buttons.front()->setDefault(true);
        m_buttons.front()->setFocus();
    }
    // done(i + 1) for button i; a close (Rejected, 0) is -1.
    const int result = exec();
    return result - 1;
}

}  // namespace orvane
