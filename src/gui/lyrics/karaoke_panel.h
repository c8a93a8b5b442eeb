#pragma once
// Panel_ksc: the karaoke editor's black 800 × 450 preview panel. It draws the
// two karaoke rows of its timeline (each line in the unsung colour, and over
// it the same line in the sung colour cut to the sweep's width) and lets the
// user place the rows with the mouse: row A moves freely, row B up and down
// (its right edge stays 20 pixels inside the panel). While a row shows no
// line a dashed frame marks where it goes. The album draws its rows where
// the panel's rows are, scaled to 1920 × 1080. GUI thread.

#include <QColor>
#include <QFont>
#include <QWidget>

#include "audio/karaoke_timeline.h"
#include "base/project_model.h"

namespace orvane {

class KaraokePanel : public QWidget {
    Q_OBJECT
   public:
    static constexpr QSize kSize{800, 450};

    explicit KaraokePanel(QWidget* parent = nullptr);

    KaraokeTimeline& timeline() { return m_timeline; }
    const KaraokeTimeline& timeline() const { return m_timeline; }
    // The look of the lines: the entry's face, size at the panel's scale,
    // style and colours.
    void setLook(const KaraokeEntry& entry);

    KaraokePanelRows rows() const;
    void setRows(KaraokePanelRows rows);

    // Where row A's and row B's marks are (a shown line, or the dashed frame).
    QRect rowARect() const;
    QRect rowBRect() const;

   Q_SIGNALS:
    // The user dropped a row at a new place.
    void rowsMoved(orvane::KaraokePanelRows rows);

   protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

   private:
    void paintRow(QPainter& painter, const KaraokeRow& row, const QRect& mark,
                  const QString& caption);
    int markHeight() const;

    KaraokeTimeline m_timeline;
    QFont m_font;
    QColor m_unsung = Qt::white;
    QColor m_sung = Qt::blue;
    enum class Drag { None, RowA, RowB } m_drag = Drag::None;
    QPoint m_grab;  // the press point relative to the row's top-left
};

}  // namespace orvane
