#include "gui/shell/message_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/shell/problem_text.h"

namespace orvane {

namespace {

constexpr int kNarrowWidth = 380;
constexpr int kWideWidth = 600;
constexpr int kShortHeight = 150;
constexpr int kTallestHeight = 600;

}  // namespace

MessageWindow::MessageWindow(const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm8"), QStringLiteral("提示信息"), skin, parent) {
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(20, 16, 20, 14);
    m_message = new QLabel(content());
    m_message->setObjectName(QStringLiteral("Label_xianshi_xiaoxi"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_message, 1);

    m_ok = new QPushButton(QStringLiteral("确定"), content());
    m_ok->setObjectName(QStringLiteral("Button_queding"));
    m_ok->setAccessibleName(m_ok->text());
    m_ok->setDefault(true);
    m_ok->setMinimumWidth(90);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_ok);
    row->addStretch();
    layout->addLayout(row);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    setContentSize(QSize(kNarrowWidth, kShortHeight));
}

void MessageWindow::showError(const UserError& error) { showMessage(problemText(error)); }

void MessageWindow::showMessage(const QString& message) {
    m_message->setText(message);
    m_message->setAccessibleName(message);
    // Short messages keep the usual size; long ones (a list of files left
    // out, the help) get a wider window as tall as their text, up to a bound.
    const bool longText = message.size() > 120 || message.count(QLatin1Char('\n')) > 3;
    const int width = longText ? kWideWidth : kNarrowWidth;
    m_message->setAlignment(longText ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    const int textHeight = m_message->heightForWidth(width - 40);
    setContentSize(QSize(width, std::clamp(textHeight + 80, kShortHeight, kTallestHeight)));
    m_ok->setFocus();
    exec();
}

}  // namespace orvane
