#pragma once
// One media pane of the main window (photos, songs or lyric files): an icon
// grid of thumbnails on a content panel scrolled by an image-built bar, or a
// report list of the same rows; the hover and selection marks, the hint
// window of the thumbnail under the mouse, the preview of the pressed one,
// and the drag-and-drop that exchanges two items.
//
// The pane shows the rows of its table in table order and refreshes when
// the browser tells it the table changed. It changes the project only by a
// drop, through the session (so the change is committed and announced).
// GUI thread.

#include <QLabel>
#include <QPointer>
#include <QTreeWidget>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "browser/icon_grid.h"
#include "browser/pane_scroll_bar.h"
#include "browser/pane_traits.h"
#include "browser/preview_fit.h"

namespace orvane {

class Session;
class ThumbnailStore;
class PaneHintWindow;
class PaneShape;
class PreviewBox;
struct MediaPanes;

// The press state the three panes share (one mouse drags one thumbnail at a
// time). What a pane shows and what the user chose in it (its view mode, its
// pressed thumbnail, its list selection) belong to each pane alone, so that
// a command of one pane never acts on a choice made in another.
struct BrowserState {
    bool pressed = false;         // "anxia" while the left button holds a thumbnail
    bool otherOperation = false;  // "qita_caozuo": presses and releases are handled
    bool exchanged = false;       // the last drop exchanged two items
    std::optional<int> exchangePartner;
};

class MediaPane : public QWidget {
    Q_OBJECT

   public:
    MediaPane(PaneKind kind, Session& session, ThumbnailStore& thumbnails, MediaPanes& panes,
              BrowserState& state, QWidget* parent = nullptr);
    ~MediaPane() override;

    PaneKind kind() const { return m_kind; }
    int rowCount() const;
    // The thumbnail controls, in index order (as many as the table has rows
    // after a refresh).
    const std::vector<QLabel*>& thumbnails() const { return m_thumbs; }
    QTreeWidget* reportList() const { return m_list; }
    PaneHintWindow* hintWindow() const { return m_hint; }
    QWidget* content() const { return m_content; }
    const ScrollBarLayout& scrollBar() const { return m_bar; }
    std::optional<int> hoveredItem() const { return m_hovered; }

    void setPreviewBox(PreviewBox* box) { m_preview = box; }

    // Brings the pane up to its table: the controls are made again when the
    // number of rows changed, otherwise reloaded in place (the pressed item
    // and the marks stay); the report list is filled again.
    void refresh();
    // The three steps of a rebuild.
    void destroyThumbnails();
    void createThumbnails();
    void arrange();

    // Icon view: the report list hidden. List view: the list over the pane.
    void showIcons();
    void showList();
    ViewMode viewMode() const { return m_viewMode; }

    // The last pressed thumbnail of this pane ("wu" when none, or once the
    // thumbnails were rebuilt).
    std::optional<int> pressedItem() const { return m_pressedItem; }
    // The row a command of this pane works on: the pressed thumbnail in icon
    // view, the list's selected row in list view.
    std::optional<int> chosenRow() const;

    // The list's selected row, if any (of several, the current one).
    std::optional<int> selectedRow() const;
    // Every selected row of the list (the photo list allows several).
    std::vector<int> selectedRows() const;

    // The drop of thumbnail `dragged` with its top-left corner at `dropped`
    // (content coordinates): exchanges it with the thumbnail it lies on.
    // What the mouse release does; tests and the layout commands may call it.
    void dropThumbnail(int dragged, QPoint dropped);

   Q_SIGNALS:
    void itemActivated(int row);
    void contextMenuRequested(int row, QPoint globalPos);
    void operationFailed(const QString& message);

   protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

   private:
    int indexOf(QObject* thumb) const;
    bool thumbnailEvent(int index, QEvent* event);
    bool scrollBarEvent(QEvent* event);
    void hover(int index);
    void press(int index, bool left, QPoint inside);
    void loadPreview(int row);
    QStringList hintTexts(int row) const;
    void reloadPictures();
    void fillReportList();
    void placeScrollBar(int capTop);
    QImage thumbnailImage(int row) const;

    PaneKind m_kind;
    const PaneTraits& m_traits;
    Session& m_session;
    ThumbnailStore& m_store;
    MediaPanes& m_mediaPanes;
    BrowserState& m_state;

    QWidget* m_content;
    std::vector<QLabel*> m_thumbs;
    IconGrid m_grid;
    PaneShape* m_hoverShape;
    PaneShape* m_selectionShape;
    std::array<QLabel*, 3> m_scrollImages{};
    ScrollBarLayout m_bar;
    bool m_scrollPressed = false;  // "anxia" / "taiqi"
    int m_scrollGrab = 0;
    QTreeWidget* m_list;
    PaneHintWindow* m_hint;
    QPointer<PreviewBox> m_preview;

    ViewMode m_viewMode = ViewMode::Icons;
    std::optional<int> m_pressedItem;
    std::optional<int> m_hovered;
    QPoint m_pressPoint;  // inside the thumbnail
    QPoint m_home;        // the thumbnail's place at the press
    int m_dragged = -1;
};

}  // namespace orvane
