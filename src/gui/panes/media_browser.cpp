#include "gui/panes/media_browser.h"

#include <QPointer>
#include <QResizeEvent>

#include "gui/panes/pane_hint_window.h"
#include "gui/panes/preview_box.h"
#include "session/session.h"

namespace orvane {

MediaBrowser::MediaBrowser(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_store(session.folder()) {
    setObjectName(QStringLiteral("MediaBrowser"));
    m_preview = new PreviewBox(this);
    m_preview->hide();
    for (PaneKind kind : kPaneKinds) {
        auto* pane = new MediaPane(kind, session, m_store, m_mediaPanes, m_state, this);
        pane->setPreviewBox(m_preview);
        connect(pane, &MediaPane::itemActivated, this,
                [this, kind](int row) { Q_EMIT itemActivated(kind, row); });
        connect(pane, &MediaPane::contextMenuRequested, this,
                [this, kind](int row, QPoint at) { Q_EMIT contextMenuRequested(kind, row, at); });
        connect(pane, &MediaPane::operationFailed, this, &MediaBrowser::operationFailed);
        m_panes[static_cast<std::size_t>(kind)] = pane;
    }
    connect(&session, &Session::tableChanged, this, &MediaBrowser::onTableChanged);
    resize(880, 550);
    refreshAll();
    showPane(PaneKind::Photos);
}

MediaBrowser::~MediaBrowser() = default;

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

void MediaBrowser::showPane(PaneKind pane) {
    m_current = pane;
    for (PaneKind kind : kPaneKinds) {
        MediaPane* p = this->pane(kind);
        p->hintWindow()->hideHint();
        p->setVisible(kind == pane);
    }
    this->pane(pane)->showIcons();
    this->pane(pane)->raise();
}

void MediaBrowser::showIcons() { showPane(m_current); }

void MediaBrowser::showList() {
    showPane(m_current);
    pane(m_current)->showList();
}

ViewMode MediaBrowser::viewMode() const { return pane(m_current)->viewMode(); }

std::optional<int> MediaBrowser::pressedItem() const { return pane(m_current)->pressedItem(); }

std::optional<int> MediaBrowser::currentRow(PaneKind pane) const {
    return this->pane(pane)->chosenRow();
}

void MediaBrowser::resizeEvent(QResizeEvent* event) {
    for (MediaPane* pane : m_panes) pane->setGeometry(QRect(QPoint(0, 0), event->size()));
}

}  // namespace orvane
