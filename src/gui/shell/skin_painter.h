#pragma once
// The skin pictures of the window frames, drawn by code: a main skin (the
// main window's title bar, title buttons and bottom strip) and a small skin
// (the frames of every other window), each in a normal, hover and pressed
// state. The frame parts are cut from them at the positions of
// browser/skin_slices.h. GUI thread (QPixmap).

#include <QColor>
#include <QPixmap>

namespace orvane {

enum class SkinKind { Main, Small };
enum class SkinState { Normal, Hover, Pressed };

// The colours of the frames and windows: dark and warm, so photos stand out.
namespace skin_colours {
inline const QColor kWindow{29, 24, 18};  // the main window and the panes
inline const QColor kPanel{40, 34, 27};
inline const QColor kBandTop{58, 49, 39};
inline const QColor kBandBottom{36, 30, 23};
inline const QColor kAccent{214, 168, 96};
inline const QColor kText{236, 228, 214};
inline const QColor kTextDim{172, 160, 142};
inline const QColor kCloseHover{178, 64, 52};
}  // namespace skin_colours

// A 899 × 675 (logical pixels) skin picture at `devicePixelRatio`.
QPixmap paintSkin(SkinKind kind, SkinState state, qreal devicePixelRatio);

}  // namespace orvane
