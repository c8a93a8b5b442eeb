#pragma once
// How a photo becomes a slot picture: the canvas size and where the photo,
// rendered at the placement size, lies on it. The canvas is black and
// whatever lies outside it is cut off. All arithmetic is integer, every
// a × b / c truncating toward zero. Pure functions.

#include <QRect>

#include "base/album_settings.h"
#include "base/manual_crop.h"

namespace orvane {

// Frame size that full-screen slots are staged for.
inline constexpr int kFullScreenWidth = 1920;
inline constexpr int kFullScreenHeight = 1080;

struct SlotFit {
    int canvasWidth = 0;
    int canvasHeight = 0;
    int x = 0;
    int y = 0;
    int width = 0;   // placement
    int height = 0;  // placement
    bool operator==(const SlotFit&) const = default;
};

// A photo of w × h (display orientation) in a slot of slotWidth × slotHeight.
// A slot with a size is always covered, the top-left corner in view; a slot
// without one (either side 0) is full screen and the crop settings decide.
SlotFit fitPhotoToSlot(int w, int h, int slotWidth, int slotHeight, LandscapeCrop landscape,
                       PortraitCrop portrait);

// The whole photo within 1920 × 1080, the canvas taking the placement's size
// (supplementing a full-screen slot): the full-screen fit under
// kWholePhotoCrop, so that the photo is staged the same way again.
SlotFit fitPhotoWhole(int w, int h);

struct ManualCrop {
    SlotFit fit;
    QRect kept;  // the part of the canvas saved as the slot picture
};

// The frame mapped onto the canvas. The frame must have a positive size.
ManualCrop applyManualCrop(const ManualCropInput& input);

}  // namespace orvane
