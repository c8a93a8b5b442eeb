#pragma once
// The hover and selection marks of a pane: a dotted rectangle drawn over a
// thumbnail. Disabled and transparent for the mouse, so the thumbnail under
// it keeps every press and move. GUI thread.

#include <QColor>
#include <QWidget>

namespace orvane {

class PaneShape : public QWidget {
   public:
    PaneShape(const QString& name, QColor pen, QWidget* parent);
    // Covers `bounds` (in the parent's coordinates), in front, visible.
    void placeOn(const QRect& bounds);

   protected:
    void paintEvent(QPaintEvent* event) override;

   private:
    QColor m_pen;
};

// Delphi-style colour numbers ($00BBGGRR) as the windows use them.
QColor colorFromNumber(int number);

inline constexpr int kPaneColor = 1185821;
inline constexpr int kHintColor = 4456584;
inline const QColor kHoverPen(0x80, 0x80, 0x00);      // olive
inline const QColor kSelectionPen(0x00, 0xff, 0x00);  // lime

}  // namespace orvane
