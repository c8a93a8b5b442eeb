#include "gui/shell/exit_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

ExitWindow::ExitWindow(const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm25"), QStringLiteral("退出本软件"), skin, parent) {
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(20, 16, 20, 14);
    m_message = new QLabel(content());
    m_message->setObjectName(QStringLiteral("Label_xianshi_xiaoxi"));
    m_message->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_message, 1);

    m_ok = new QPushButton(QStringLiteral("确定"), content());
    m_ok->setObjectName(QStringLiteral("Button_queding"));
    m_cancel = new QPushButton(QStringLiteral("取消"), content());
    m_cancel->setObjectName(QStringLiteral("Button_quxiao"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : {m_ok, m_cancel}) {
        b->setAccessibleName(b->text());
        b->setMinimumWidth(90);
        row->addWidget(b);
    }
    row->addStretch();
    layout->addLayout(row);
    // Enter answers the focused button; the safe answer has it first.
    m_cancel->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setContentSize(QSize(340, 130));
}

bool ExitWindow::confirmExit() {
    m_message->setText(QStringLiteral("确定要退出本软件吗？"));
    m_message->setAccessibleName(m_message->text());
    m_cancel->setFocus();
    return exec() == QDialog::Accepted;
}

}  // namespace orvane
