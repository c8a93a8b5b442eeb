#include "gui/panes/pane_hint_window.h"

#include <QCursor>
#include <QVBoxLayout>

#include "browser/hint_texts.h"
#include "gui/panes/hint_frame.h"
#include "gui/panes/pane_shape.h"

namespace orvane {

namespace {

constexpr int kHintLines = 6;

}  // namespace

PaneHintWindow::PaneHintWindow(PaneKind kind, QWidget* parent) : QWidget(parent) {
    const PaneTraits& traits = paneTraits(kind);
    makeHintFrame(this, traits.hintWindowName, traits.hintWindowCaption, traits.hintWindowSize);
    roundCorners(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(0);
    for (int i = 0; i < kHintLines; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label_%1").arg(i + 1));
        layout->addWidget(label);
        m_labels.push_back(label);
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PaneHintWindow::onTick);
}

void PaneHintWindow::showTexts(const QStringList& lines) {
    m_timer.stop();
    close();
    setWindowOpacity(0.0);
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const auto n = static_cast<qsizetype>(i);
        m_labels[i]->setText(n < lines.size() ? lines[n] : QString());
        m_labels[i]->setVisible(n < lines.size());
    }
    m_fade.show();
    m_timer.start(m_fade.interval());
}

void PaneHintWindow::hideHint() {
    m_timer.stop();
    m_fade.hide();
    setWindowOpacity(1.0);
    close();
}

QStringList PaneHintWindow::texts() const {
    QStringList out;
    for (QLabel* label : m_labels)
        if (label->isVisibleTo(this)) out << label->text();
    return out;
}

void PaneHintWindow::onTick() {
    const bool wasVisible = m_fade.visible();
    m_fade.tick();
    if (m_fade.visible() && !wasVisible) {
        move(paneHintPosition(QCursor::pos()));
        show();
    }
    setWindowOpacity(m_fade.opacity() / 255.0);
    if (!m_fade.running()) {
        close();
        return;
    }
    m_timer.start(m_fade.interval());
}

}  // namespace orvane
