#include "browser/skin_slices.h"

namespace orvane {

bool isSmallSkinPart(SkinPart part) {
    switch (part) {
        case SkinPart::SmallTitleLeft:
        case SkinPart::SmallTitleMiddle:
        case SkinPart::SmallTitleRight:
        case SkinPart::SmallBottom:
            return true;
        default:
            return false;
    }
}

QRect skinSlice(SkinPart part) {
    const int h = kSkinSize.height();
    switch (part) {
        case SkinPart::TitleLeft:
            return {4, 2, 330, 57};
        case SkinPart::TitleMiddle:
            return {390, 2, 50, 57};
        case SkinPart::CloseButton:
            return {855, 2, 44, 57};
        case SkinPart::FullScreenButton:
            return {821, 2, 34, 57};
        case SkinPart::RestoreButton:
            return {787, 2, 34, 57};
        case SkinPart::StartLayoutButton:
            return {742, 2, 45, 57};
        case SkinPart::BottomLeft:
            return {20, h - 40, 710, 40};
        case SkinPart::BottomMiddle:
            return {800, h - 40, 30, 40};
        case SkinPart::BottomEnd:
            return {830, h - 40, 30, 40};
        case SkinPart::BottomUnderPanels:
            return {860, h - 40, 30, 40};
        case SkinPart::SmallTitleLeft:
            return {0, 0, 170, 37};
        case SkinPart::SmallTitleMiddle:
            return {390, 0, 50, 37};
        case SkinPart::SmallTitleRight:
            return {857, 0, 42, 37};
        case SkinPart::SmallBottom:
            return {0, h - 5, 50, 5};
    }
    return {};
}

}  // namespace orvane
