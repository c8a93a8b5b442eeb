#include "gui/panes/media_pane.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "audio/media_panes.h"
#include "audio/media_reorder.h"
#include "base/thumbnail_store.h"
#include "browser/drop_target.h"
#include "browser/hint_texts.h"
#include "gui/panes/pane_hint_window.h"
#include "gui/panes/pane_shape.h"
#include "gui/panes/preview_box.h"
#include "photos/photo_import.h"
#include "photos/photo_render.h"
#include "photos/photo_reorder.h"
#include "session/session.h"

namespace orvane {
namespace {

// The scroll-bar images: caps of 14 × 17, a middle piece stretched to its
// height.
QPixmap capPixmap(bool top) {
    QPixmap pixmap(kScrollCapWidth, kScrollCapHeight);
    pixmap.fill(QColor(0x30, 0x30, 0x30));
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc0, 0xc0, 0xc0));
    const int y = top ? 11 : 6;
    const int tip = top ? 5 : 12;
    const QPoint arrow[] = {{3, y}, {11, y}, {7, tip}};
    painter.drawPolygon(arrow, 3);
    return pixmap;
}

// The middle piece's cell of the bound column: the pane's own cell when the
// operations kept one, else what the row's binding says.
QString boundCell(const QStringList& column, int row, const QString& boundName,
                  const QString& unbound) {
    if (row < column.size() && !column[row].isEmpty()) return column[row];
    return boundName == kNone ? unbound : boundName;
}

ThumbnailKind thumbnailKindOf(PaneKind kind) {
    switch (kind) {
        case PaneKind::Photos:
            return ThumbnailKind::Photo;
        case PaneKind::Music:
            return ThumbnailKind::Song;
        case PaneKind::Lyrics:
            return ThumbnailKind::Lyric;
    }
    return ThumbnailKind::Photo;
}

}  // namespace

MediaPane::MediaPane(PaneKind kind, Session& session, ThumbnailStore& thumbnails, MediaPanes& panes,
                     BrowserState& state, QWidget* parent)
    : QWidget(parent),
      m_kind(kind),
      m_traits(paneTraits(kind)),
      m_session(session),
      m_store(thumbnails),
      m_mediaPanes(panes),
      m_state(state) {
    setObjectName(m_traits.paneName);
    setAccessibleName(m_traits.label);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromNumber(kPaneColor));
    setPalette(palette);
    setAttribute(Qt::WA_StaticContents);

    m_content = new QWidget(this);
    m_content->setObjectName(m_traits.contentName);
    m_hoverShape = new PaneShape(m_traits.hoverShapeName, kHoverPen, m_content);
    m_selectionShape = new PaneShape(m_traits.selectionShapeName, kSelectionPen, m_content);

    for (int i = 0; i < 3; ++i) {
        auto* image = new QLabel(this);
        image->setObjectName(m_traits.scrollImagePrefix + QString::number(i));
        image->setAccessibleName(m_traits.label + QStringLiteral("滚动条"));
        image->setScaledContents(true);
        if (i == 1) {
            QPixmap middle(kScrollCapWidth, 1);
            middle.fill(QColor(0x90, 0x90, 0x90));
            image->setPixmap(middle);
        } else {
            image->setPixmap(capPixmap(i == 0));
        }
        image->installEventFilter(this);
        image->hide();
        m_scrollImages[static_cast<std::size_t>(i)] = image;
    }

    m_list = new QTreeWidget(this);
    m_list->setObjectName(m_traits.reportListName);
    m_list->setAccessibleName(m_traits.label);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    // Photos may be deleted several at a time from the list.
    m_list->setSelectionMode(kind == PaneKind::Photos ? QAbstractItemView::ExtendedSelection
                                                      : QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels(reportColumns(kind));
    m_list->hide();
    connect(m_list, &QTreeWidget::itemClicked, this, [this] {
        if (auto row = selectedRow()) loadPreview(*row);
    });
    // A right click on a row selects it and asks for the pane's menu; the
    // menu then works on that row (-1: below the last row).
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, [this](QPoint at) {
        QTreeWidgetItem* item = m_list->itemAt(at);
        if (item != nullptr && !item->isSelected()) {
            m_list->clearSelection();
            item->setSelected(true);
        }
        if (item != nullptr) m_list->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        Q_EMIT contextMenuRequested(item ? m_list->indexOfTopLevelItem(item) : -1,
                                    m_list->viewport()->mapToGlobal(at));
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        m_hint->hideHint();
        m_state.otherOperation = false;
        if (auto row = selectedRow()) Q_EMIT itemActivated(*row);
    });

    m_hint = new PaneHintWindow(kind);
    resize(880, 550);
}

MediaPane::~MediaPane() { delete m_hint; }

int MediaPane::rowCount() const {
    const ProjectModel& model = m_session.model();
    switch (m_kind) {
        case PaneKind::Photos:
            return model.photos.count();
        case PaneKind::Music:
            return model.music.count();
        case PaneKind::Lyrics:
            return model.lyrics.count();
    }
    return 0;
}

void MediaPane::refresh() {
    const int rows = rowCount();
    if (rows != static_cast<int>(m_thumbs.size())) {
        destroyThumbnails();
        if (rows > 0) createThumbnails();
    } else {
        reloadPictures();
    }
    fillReportList();
    if (m_hovered && *m_hovered >= rows) m_hovered.reset();
}

void MediaPane::destroyThumbnails() {
    m_hint->hideHint();
    // A drop may end in a rebuild while the thumbnail's own event runs.
    for (QLabel* thumb : m_thumbs) {
        thumb->removeEventFilter(this);
        thumb->hide();
        thumb->setObjectName(QString());
        thumb->deleteLater();
    }
    m_thumbs.clear();
    m_hovered.reset();
    m_hoverShape->hide();
    m_selectionShape->hide();
    for (QLabel* image : m_scrollImages) image->hide();
    m_content->setGeometry(0, 0, width() - kScrollCapWidth, height());
    m_grid = IconGrid{};
    m_bar = ScrollBarLayout{};
}

void MediaPane::createThumbnails() {
    const int rows = rowCount();
    for (int i = 0; i < rows; ++i) {
        auto* thumb = new QLabel(m_content);
        thumb->setObjectName(m_traits.thumbPrefix + QString::number(i));
        thumb->setAlignment(Qt::AlignCenter);
        thumb->resize(m_traits.thumbSize);
        thumb->setMouseTracking(true);
        thumb->installEventFilter(this);
        thumb->show();
        m_thumbs.push_back(thumb);
    }
    reloadPictures();
    arrange();
}

void MediaPane::arrange() {
    if (m_thumbs.empty()) return;
    m_content->move(0, 0);
    m_pressedItem.reset();
    m_hoverShape->hide();
    m_selectionShape->hide();
    for (QLabel* image : m_scrollImages) image->hide();

    m_grid =
        arrangeGrid(static_cast<int>(m_thumbs.size()), m_traits.thumbSize, size(), kScrollCapWidth);
    for (std::size_t i = 0; i < m_thumbs.size(); ++i) m_thumbs[i]->move(m_grid.positions[i]);
    m_content->resize(width() - kScrollCapWidth, m_grid.contentHeight);
    m_bar = scrollBarFor(height(), m_grid.contentHeight);
    placeScrollBar(0);
    for (QLabel* image : m_scrollImages) image->setVisible(m_bar.visible);
}

void MediaPane::placeScrollBar(int capTop) {
    const int left = width() - kScrollCapWidth;
    m_scrollImages[0]->setGeometry(left, capTop, kScrollCapWidth, kScrollCapHeight);
    m_scrollImages[1]->setGeometry(left, capTop + kScrollCapHeight, kScrollCapWidth,
                                   m_bar.middleHeight);
    m_scrollImages[2]->setGeometry(left, capTop + kScrollCapHeight + m_bar.middleHeight,
                                   kScrollCapWidth, kScrollCapHeight);
    for (QLabel* image : m_scrollImages) image->raise();
}

QImage MediaPane::thumbnailImage(int row) const {
    return m_store.image(thumbnailKindOf(m_kind), row);
}

void MediaPane::reloadPictures() {
    const ProjectModel& model = m_session.model();
    for (std::size_t i = 0; i < m_thumbs.size(); ++i) {
        const int row = static_cast<int>(i);
        const QImage image = thumbnailImage(row);
        if (image.isNull())
            m_thumbs[i]->clear();
        else
            m_thumbs[i]->setPixmap(QPixmap::fromImage(image));
        QString name;
        if (m_kind == PaneKind::Photos) name = model.photos.at(i).fileName;
        if (m_kind == PaneKind::Music) name = model.music.at(i).fileName;
        if (m_kind == PaneKind::Lyrics) name = model.lyrics.at(i).fileName;
        m_thumbs[i]->setAccessibleName(name);
    }
}

void MediaPane::fillReportList() {
    const ProjectModel& model = m_session.model();
    const auto selected = selectedRow();
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < rowCount(); ++i) {
        const auto r = static_cast<std::size_t>(i);
        QStringList cells;
        if (m_kind == PaneKind::Photos) {
            cells = photoListRow(model.photos.at(r));
        } else if (m_kind == PaneKind::Music) {
            const MusicEntry& song = model.music.at(r);
            cells = musicPaneRow(song, boundCell(m_mediaPanes.musicBound, i, song.boundLyricName,
                                                 kUnboundLyricMarker));
        } else {
            const LyricEntry& lyric = model.lyrics.at(r);
            cells = lyricPaneRow(lyric, boundCell(m_mediaPanes.lyricBound, i, lyric.boundMusicName,
                                                  kUnboundMusicMarker));
        }
        cells[0] = QString::number(i + 1);
        items << new QTreeWidgetItem(cells);
    }
    m_list->addTopLevelItems(items);
    if (selected && *selected < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(*selected));
}

void MediaPane::showIcons() {
    m_list->hide();
    m_viewMode = ViewMode::Icons;
}

void MediaPane::showList() {
    m_viewMode = ViewMode::List;
    m_list->setGeometry(0, 0, width(), height());
    m_list->show();
    m_list->raise();
}

std::optional<int> MediaPane::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    QTreeWidgetItem* current = m_list->currentItem();
    return m_list->indexOfTopLevelItem(selected.contains(current) ? current : selected.first());
}

std::optional<int> MediaPane::chosenRow() const {
    return orvane::chosenRow(m_viewMode, m_pressedItem, selectedRow(), false);
}

std::vector<int> MediaPane::selectedRows() const {
    std::vector<int> rows;
    for (QTreeWidgetItem* item : m_list->selectedItems())
        rows.push_back(m_list->indexOfTopLevelItem(item));
    return rows;
}

void MediaPane::resizeEvent(QResizeEvent*) {
    if (m_list->isVisible()) m_list->setGeometry(0, 0, width(), height());
    if (m_thumbs.empty())
        m_content->setGeometry(0, 0, width() - kScrollCapWidth, height());
    else
        arrange();
}

int MediaPane::indexOf(QObject* thumb) const {
    for (std::size_t i = 0; i < m_thumbs.size(); ++i)
        if (m_thumbs[i] == thumb) return static_cast<int>(i);
    return -1;
}

bool MediaPane::eventFilter(QObject* watched, QEvent* event) {
    if (const int index = indexOf(watched); index >= 0) return thumbnailEvent(index, event);
    for (QLabel* image : m_scrollImages)
        if (image == watched) return scrollBarEvent(event);
    return QWidget::eventFilter(watched, event);
}

bool MediaPane::thumbnailEvent(int index, QEvent* event) {
    QLabel* thumb = m_thumbs[static_cast<std::size_t>(index)];
    switch (event->type()) {
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (m_state.pressed) {
                if (index != m_dragged) return true;
                m_hoverShape->hide();
                thumb->move(thumb->mapToParent(mouse->position().toPoint()) - m_pressPoint);
                thumb->raise();
            } else {
                m_state.otherOperation = true;
                hover(index);
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!m_state.otherOperation) return true;
            if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton)
                press(index, mouse->button() == Qt::LeftButton, mouse->position().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                m_selectionShape->placeOn(thumb->geometry());
                m_pressedItem = index;
                return true;
            }
            if (mouse->button() != Qt::LeftButton || !m_state.otherOperation) return true;
            if (!m_state.pressed || m_dragged != index) return true;
            dropThumbnail(index, thumb->pos());
            return true;
        }
        case QEvent::MouseButtonDblClick:
            m_hint->hideHint();
            m_state.otherOperation = false;
            m_state.pressed = false;
            Q_EMIT itemActivated(index);
            return true;
        case QEvent::Leave:
            // The cursor left the thumbnail: its hint goes at once.
            if (!m_state.pressed) m_hint->hideHint();
            return false;
        case QEvent::ContextMenu:
            // The menu works on the thumbnail it was opened on, also when no
            // press reached it first (the keyboard's menu key).
            m_hint->hideHint();
            m_selectionShape->placeOn(thumb->geometry());
            m_pressedItem = index;
            Q_EMIT contextMenuRequested(index, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        default:
            return false;
    }
}

void MediaPane::hover(int index) {
    QLabel* thumb = m_thumbs[static_cast<std::size_t>(index)];
    m_hoverShape->placeOn(thumb->geometry());
    if (m_hovered == index) return;
    m_hovered = index;
    m_hint->showTexts(hintTexts(index));
}

QStringList MediaPane::hintTexts(int row) const {
    const ProjectModel& model = m_session.model();
    const auto r = static_cast<std::size_t>(row);
    switch (m_kind) {
        case PaneKind::Photos:
            return photoHintTexts(model.photos.at(r), row);
        case PaneKind::Music:
            return musicHintTexts(model.music.at(r), row);
        case PaneKind::Lyrics:
            return lyricHintTexts(model.lyrics.at(r), row);
    }
    return {};
}

void MediaPane::press(int index, bool left, QPoint inside) {
    QLabel* thumb = m_thumbs[static_cast<std::size_t>(index)];
    if (left) {
        m_state.pressed = true;
        m_pressPoint = inside;
        m_home = thumb->pos();
        m_dragged = index;
        m_state.exchanged = false;
        m_state.exchangePartner.reset();
    }
    m_selectionShape->placeOn(thumb->geometry());
    m_pressedItem = index;
    loadPreview(index);
}

void MediaPane::loadPreview(int row) {
    if (!m_preview) return;
    const QImage thumbnail = thumbnailImage(row);
    if (thumbnail.isNull()) return;  // no thumbnail file: selected, no preview
    const QSize box = m_preview->pictureSize();
    if (m_kind == PaneKind::Photos) {
        const PhotoEntry& photo = m_session.model().photos.at(static_cast<std::size_t>(row));
        const QSize source(photo.width.toInt(), photo.height.toInt());
        const QSize fitted =
            previewFit(source, box, photo.orientation != QLatin1String("shu_zhao"));
        auto picture = renderPhoto(photo.location, fitted);
        if (!picture) return;
        m_preview->showPicture(m_traits.previewCaption, *picture);
        return;
    }
    // Songs and lyric files show their 150 × 150 thumbnail.
    const QSize fitted = previewFit(m_traits.thumbSize, box, true);
    m_preview->showPicture(m_traits.previewCaption, thumbnail.scaled(fitted, Qt::IgnoreAspectRatio,
                                                                     Qt::SmoothTransformation));
}

void MediaPane::dropThumbnail(int dragged, QPoint dropped) {
    m_state.pressed = false;
    m_hoverShape->show();
    const std::optional<int> partner = dropPartner(dragged, dropped, m_grid.positions);
    // Back home: after an exchange the partner's picture shows there.
    if (dragged >= 0 && static_cast<std::size_t>(dragged) < m_thumbs.size() &&
        static_cast<std::size_t>(dragged) < m_grid.positions.size())
        m_thumbs[static_cast<std::size_t>(dragged)]->move(
            m_grid.positions[static_cast<std::size_t>(dragged)]);
    m_dragged = -1;

    Result<void> done;
    NullProgress progress;
    if (m_kind == PaneKind::Photos) {
        // Also without an exchange: the staged folders are renumbered in use
        // order, which leaves the names as they are.
        const auto a = static_cast<std::size_t>(dragged);
        const auto b = static_cast<std::size_t>(partner.value_or(dragged));
        done = m_session.apply([a, b](ProjectModel& model, const WorkingFolder& folder,
                                      Progress&) { return exchangePhotos(model, folder, a, b); },
                               progress);
    } else if (partner) {
        MediaPanes panes = m_mediaPanes;
        const bool music = m_kind == PaneKind::Music;
        const int a = dragged;
        const int b = *partner;
        done = m_session.apply(
            [&panes, music, a, b](ProjectModel& model, const WorkingFolder& folder, Progress&) {
                return music ? exchangeSongs(model, folder, panes, a, b)
                             : exchangeLyrics(model, folder, panes, a, b);
            },
            progress);
        if (done) {
            m_mediaPanes = std::move(panes);
            fillReportList();
        }
    }
    if (!done) {
        Q_EMIT operationFailed(done.error().message);
    } else if (partner) {
        m_state.exchanged = true;
        m_state.exchangePartner = partner;
    }
    if (m_selectionShape->isVisible()) m_hoverShape->placeOn(m_selectionShape->geometry());
}

bool MediaPane::scrollBarEvent(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove &&
        event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* image = static_cast<QWidget*>(m_scrollImages[1]);
    const int y = mapFromGlobal(mouse->globalPosition().toPoint()).y();
    if (event->type() == QEvent::MouseButtonPress) {
        m_scrollGrab = y - image->y();
        m_scrollPressed = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_scrollPressed = false;
    } else if (m_scrollPressed) {
        const ScrollPosition pos = dragScrollBar(m_bar, height(), y - m_scrollGrab);
        placeScrollBar(pos.capTop);
        m_content->move(0, pos.contentTop);
    }
    return true;
}

}  // namespace orvane
