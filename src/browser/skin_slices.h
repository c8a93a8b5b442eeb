#pragma once
// Where each frame picture is cut from the skin pictures: the main window's
// title bar, title buttons and bottom strip come from the main skins, the
// frames of every other window from the small skins. Any thread.

#include <QRect>
#include <QSize>

namespace orvane {

inline constexpr QSize kSkinSize{899, 675};

enum class SkinPart {
    TitleLeft,          // Image_zhujiemian_1
    TitleMiddle,        // Image_zhujiemian_2, stretched
    CloseButton,        // Image_zhujiemian_3
    FullScreenButton,   // Image_zhujiemian_4
    RestoreButton,      // Image_zhujiemian_5
    StartLayoutButton,  // Image_zhujiemian_6
    BottomLeft,         // Image_zhujiemian_zuixiamian1_load
    BottomMiddle,       // Image_zhujiemian_zuixiamian2_load, stretched
    BottomEnd,          // Image_zhujiemian_zuixiamian3_load
    BottomUnderPanels,  // Image_zhujiemian_zuixiamian4_load
    SmallTitleLeft,     // Image_zuo1..3
    SmallTitleMiddle,   // Image_zhong1..3
    SmallTitleRight,    // Image_you1..3, with the close control
    SmallBottom,        // Image_xia
};

// Whether `part` is cut from the small skins (the other windows' frames).
bool isSmallSkinPart(SkinPart part);

// The part's rectangle in a 899 × 675 skin picture.
QRect skinSlice(SkinPart part);

}  // namespace orvane
