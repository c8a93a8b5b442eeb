#pragma once
// The display area of the main window: the photo, music and lyric panes
// ("相片区域", "音乐区域", "歌词区域"), one visible at a time, each in icon
// or list view, and the pressed-item preview box. It refreshes a pane when
// the session says its table changed (never by polling) and keeps the
// thumbnails in a ThumbnailStore.
//
// The session does not hold the bound columns of the music and lyric lists
// (MediaPanes); the browser keeps them: operations that import, remove or
// bind songs and lyric files should be given mediaPanes() so the lists show
// what they wrote. GUI thread.

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "audio/media_panes.h"
#include "base/project_changes.h"
#include "base/thumbnail_store.h"
#include "browser/pane_traits.h"
#include "browser/preview_fit.h"
#include "gui/panes/media_pane.h"

namespace orvane {

class PreviewBox;
class Session;

class MediaBrowser : public QWidget {
    Q_OBJECT

   public:
    explicit MediaBrowser(Session& session, QWidget* parent = nullptr);
    ~MediaBrowser() override;

    // The chosen pane visible in icon view, the others hidden. Each pane
    // keeps what was chosen in it.
    void showPane(PaneKind pane);
    PaneKind currentPane() const { return m_current; }

    // "图标" and "列表" of the current pane (they set its view mode).
    void showIcons();
    void showList();
    // The view mode of the pane shown.
    ViewMode viewMode() const;

    // The row a delete, preview or bind command of `pane` works on: that
    // pane's own pressed thumbnail in icon view, its list's selected row in
    // list view; never a choice made in another pane.
    std::optional<int> currentRow(PaneKind pane) const;
    // The pressed thumbnail of the pane shown.
    std::optional<int> pressedItem() const;
    const BrowserState& state() const { return m_state; }

    MediaPane* pane(PaneKind pane) const { return m_panes[static_cast<std::size_t>(pane)]; }
    // The preview box; the main window may take it into another panel
    // (setParent) and place it.
    PreviewBox* previewBox() const;
    MediaPanes& mediaPanes() { return m_mediaPanes; }
    ThumbnailStore& thumbnails() { return m_store; }

    // Builds every pane from the project again (also done at construction).
    void refreshAll();
    // Closes the hint windows of the three panes (a long job is starting or
    // has ended: nothing of the panes stays over its window).
    void hideHints();

   Q_SIGNALS:
    // A double-click on a thumbnail or a list row: the pane's preview action.
    void itemActivated(PaneKind pane, int row);
    void contextMenuRequested(PaneKind pane, int row, QPoint globalPos);
    // A drop that could not be carried out (the project is unchanged).
    void operationFailed(const QString& message);

   protected:
    void resizeEvent(QResizeEvent* event) override;

   private:
    void onTableChanged(ProjectTable table);

    Session& m_session;
    ThumbnailStore m_store;
    MediaPanes m_mediaPanes;
    BrowserState m_state;
    std::array<MediaPane*, 3> m_panes{};
    PreviewBox* m_preview;
    PaneKind m_current = PaneKind::Photos;
};

}  // namespace orvane
