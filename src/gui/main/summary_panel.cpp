#include "gui/main/summary_panel.h"

#include <QResizeEvent>
#include <algorithm>

namespace orvane {

namespace {

constexpr int kWidth = 185;
// The main window's "其它相关" panel shows the title above this widget.
constexpr int kFirstLineTop = 6;
constexpr int kLineStep = 24;
constexpr int kTightestStep = 15;
constexpr int kLineHeight = 20;
constexpr int kCaptionLeft = 8;
constexpr int kValueLeft = 78;

}  // namespace

SummaryPanel::SummaryPanel(Session& session, QWidget* parent, std::vector<SummaryItem> items)
    : QWidget(parent), m_session(session), m_items(std::move(items)) {
    setObjectName(QStringLiteral("Panel_qitaxiangguan"));
    setAccessibleName(QStringLiteral("其它相关"));
    const int height = kFirstLineTop + kLineStep * static_cast<int>(m_items.size()) - 2;
    resize(kWidth, height);
    setMinimumWidth(kWidth);

    const ProjectModel& model = m_session.model();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const int top = kFirstLineTop + kLineStep * static_cast<int>(i);
        const SummaryRow row = summaryRow(model, m_items[i]);
        auto* caption = new QLabel(row.caption, this);
        caption->setAccessibleName(row.caption);
        m_captions.push_back(caption);
        caption->setGeometry(kCaptionLeft, top, kValueLeft - kCaptionLeft, kLineHeight);
        auto* value = new QLabel(this);
        // Numbered by the line's place in the whole summary (画面质量 is 4).
        value->setObjectName(
            QStringLiteral("Label_zongjie_%1").arg(static_cast<int>(m_items[i]) + 1));
        value->setGeometry(kValueLeft, top, kWidth - kValueLeft - 4, kLineHeight);
        m_values.push_back(value);
    }

    connect(&m_session, &Session::tableChanged, this, &SummaryPanel::refresh);
    refresh();
}

void SummaryPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Lines move closer together when the panel is short (a small screen).
    const int lines = static_cast<int>(m_values.size());
    if (lines == 0) return;
    const int step = std::clamp((height() - kFirstLineTop - 4) / lines, kTightestStep, kLineStep);
    for (int i = 0; i < lines; ++i) {
        const int top = kFirstLineTop + step * i;
        m_captions[static_cast<std::size_t>(i)]->move(kCaptionLeft, top);
        m_values[static_cast<std::size_t>(i)]->move(kValueLeft, top);
    }
}

void SummaryPanel::refresh() {
    const ProjectModel& model = m_session.model();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const SummaryRow row = summaryRow(model, m_items[i]);
        m_values[i]->setText(summaryValueText(row));
        // A screen reader reading the value alone would not say what it is.
        m_values[i]->setAccessibleName(summaryLineText(row));
    }
}

}  // namespace orvane
