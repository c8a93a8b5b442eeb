#include "app/windows/summary_panel.h"

namespace orvane {

namespace {

constexpr int kWidth = 185;
constexpr int kFirstLineTop = 32;
constexpr int kLineStep = 24;
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

    auto* title = new QLabel(QStringLiteral("其它相关"), this);
    title->setObjectName(QStringLiteral("Label_qitaxiangguan"));
    title->setGeometry(kCaptionLeft, 6, kWidth - 2 * kCaptionLeft, kLineHeight);

    const ProjectModel& model = m_session.model();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const int top = kFirstLineTop + kLineStep * static_cast<int>(i);
        const SummaryRow row = summaryRow(model, m_items[i]);
        auto* caption = new QLabel(row.caption, this);
        caption->setGeometry(kCaptionLeft, top, kValueLeft - kCaptionLeft, kLineHeight);
        auto* value = new QLabel(this);
        // Numbered by the line's place in the whole summary (画面质量 is 4).
        value->setObjectName(
            QStringLiteral("Label_zongjie_%1").arg(static_cast<int>(m_items[i]) + 1));
        value->setAccessibleName(row.caption);
        value->setGeometry(kValueLeft, top, kWidth - kValueLeft - 4, kLineHeight);
        m_values.push_back(value);
    }

    connect(&m_session, &Session::tableChanged, this, &SummaryPanel::refresh);
    refresh();
}

void SummaryPanel::refresh() {
    const ProjectModel& model = m_session.model();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const SummaryRow row = summaryRow(model, m_items[i]);
        m_values[i]->setText(row.value + row.unit);
    }
}

}  // namespace orvane
