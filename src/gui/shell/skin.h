#pragma once
// Skin: the frame pictures of every window, cut once from the six skin
// pictures (main and small, normal, hover and pressed) at the slice
// positions of browser/skin_slices.h. Owned by the start code and shared by
// every window. GUI thread.

#include <QPixmap>
#include <array>

#include "browser/skin_slices.h"
#include "gui/shell/skin_painter.h"

namespace orvane {

class Skin {
   public:
    // Cuts the slices from pictures painted at `devicePixelRatio` (the
    // largest ratio of the screens, so that frames are sharp on every one).
    explicit Skin(qreal devicePixelRatio);

    // The part as cut from the skin of `state`.
    const QPixmap& slice(SkinPart part, SkinState state = SkinState::Normal) const;

    // The main bottom strip's left part with the columns [x, x + width) (in
    // the part's own coordinates) taken from the hover skin: the stretch
    // under a hovered bottom-strip label.
    QPixmap bottomLeftWithHover(int x, int width) const;

    qreal devicePixelRatio() const { return m_ratio; }

   private:
    static constexpr int kPartCount = static_cast<int>(SkinPart::SmallBottom) + 1;
    qreal m_ratio;
    std::array<std::array<QPixmap, 3>, kPartCount> m_slices;
};

}  // namespace orvane
