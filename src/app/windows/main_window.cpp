#include "app/windows/main_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace orvane {

TForm1::TForm1(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Orvane自动套版电子相册2018"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(29, 24, 18));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    resize(1200, 680);

    // The summary panel sits on the right; the panes will take the left.
    auto* outer = new QHBoxLayout(this);
    outer->addStretch(1);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel_zongjie"));
    panel->setFixedWidth(220);
    outer->addWidget(panel);
    auto* layout = new QVBoxLayout(panel);
    m_templateCount = new QLabel(panel);
    m_templateCount->setWordWrap(true);
    m_templateCount->setObjectName(QStringLiteral("Label_mobanshuliang"));
    layout->addWidget(m_templateCount);

    auto* summary = new QGridLayout;
    const auto rows = summaryRows(m_session.model());
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        summary->addWidget(new QLabel(rows[static_cast<std::size_t>(i)].caption, panel), i, 0);
        auto* value = new QLabel(panel);
        value->setObjectName(QStringLiteral("Label_zongjie_%1").arg(i + 1));
        summary->addWidget(value, i, 1);
        m_summaryValues.push_back(value);
    }
    layout->addLayout(summary);
    layout->addStretch();

    connect(&m_session, &Session::tableChanged, this, &TForm1::refreshSummary);
    refreshSummary();
}

void TForm1::refreshSummary() {
    const ProjectModel& model = m_session.model();
    const auto rows = summaryRows(model);
    for (std::size_t i = 0; i < rows.size() && i < m_summaryValues.size(); ++i)
        m_summaryValues[i]->setText(rows[i].value + rows[i].unit);
    m_templateCount->setText(QStringLiteral("模板: %1 (横照 %2, 竖照 %3, 高级 %4)")
                                 .arg(model.catalogue.size())
                                 .arg(model.landscapeTemplates.size())
                                 .arg(model.portraitTemplates.size())
                                 .arg(model.advancedTemplates.size()));
}

}  // namespace orvane
