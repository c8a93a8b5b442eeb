#include "gui/panes/media_browser.h"

#include <QPointer>
#include <QResizeEvent>

#include "session/session.h"
#include "gui/panes/pane_hint_window.h"
#include "gui/panes/preview_box.h"

namespace orvane {

MediaBrowser::MediaBrowser(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_store(session.folder()) {
    setObjectName(QStringLiteral("MediaBrowser"));
    m_preview = new PreviewBox(this);
    m_preview->hide();
    for (PaneKind kind : kPaneKinds) {
        auto* pane = new MediaPane(kind, session, m_store, m_mediaPanes, m_state, this);
        pane->setPreviewBox(m_preview);
        const int n = static_cast<int>(kind);
        connect(pane, &MediaPane::itemActivated, this,
                [this, n](int row) { Q_EMIT itemActivated(n, row); });
        connect(pane, &MediaPane::contextMenuRequested, this,
                [this, n](int row, QPoint at) { Q_EMIT contextMenuRequested(n, row, at); });
        connect(pane, &MediaPane::operationFailed, this, &MediaBrowser::operationFailed);
        m_panes[static_cast<std::size_t>(n)] = pane;
    }
    connect(&session, &Session::tableChanged, this, &MediaBrowser::onTableChanged);
    resize(880, 550);
    refreshAll();
    showPane(0);
}

MediaBrowser::~MediaBrowser() = default;

MediaPane* MediaBrowser::pane(int pane) const {
    if (pane < 0 || pane > 2) return nullptr;
    return m_panes[static_cast<std::size_t>(pane)];
}

PreviewBox* MediaBrowser::previewBox() const { return m_preview; }

void MediaBrowser::refreshAll() {
    for (MediaPane* pane : m_panes) pane->refresh();
}

void MediaBrowser::hideHints() {
    for (MediaPane* pane : m_panes) pane->hintWindow()->hideHint();
}

void MediaBrowser::onTableChanged(ProjectTable table) {
    switch (table) {
        case ProjectTable::Photos:
            m_panes[0]->refresh();
            break;
        case ProjectTable::Music:
            m_panes[1]->refresh();
            break;
        case ProjectTable::Lyrics:
            m_panes[2]->refresh();
            break;
        default:
            break;
    }
}

void MediaBrowser::showPane(int pane) {
    if (pane < 0 || pane > 2) return;
    m_current = pane;
    for (int i = 0; i < 3; ++i) {
        MediaPane* p = m_panes[static_cast<std::size_t>(i)];
        p->hintWindow()->hideHint();
        p->setVisible(i == pane);
    }
    m_panes[static_cast<std::size_t>(pane)]->showIcons();
    m_panes[static_cast<std::size_t>(pane)]->raise();
}

void MediaBrowser::showIcons() { showPane(m_current); }

void MediaBrowser::showList() {
    showPane(m_current);
    m_panes[static_cast<std::size_t>(m_current)]->showList();
}

ViewMode MediaBrowser::viewMode() const {
    return m_panes[static_cast<std::size_t>(m_current)]->viewMode();
}

std::optional<int> MediaBrowser::pressedItem() const {
    return m_panes[static_cast<std::size_t>(m_current)]->pressedItem();
}

std::optional<int> MediaBrowser::currentRow(int pane) const {
    MediaPane* p = this->pane(pane);
    if (p == nullptr) return std::nullopt;
    return p->chosenRow();
}

void MediaBrowser::resizeEvent(QResizeEvent* event) {
    for (MediaPane* pane : m_panes) pane->setGeometry(QRect(QPoint(0, 0), event->size()));
}

}  // namespace orvane
