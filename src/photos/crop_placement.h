#pragma once
// The geometry of the crop window: the crop frame shown for a slot, and the
// photo placed under it, moved by dragging or the arrow keys and scaled by
// the wheel or the slider. Positions are relative to the frame's top-left
// corner, in window pixels, as applyManualCrop takes them. Pure functions;
// any thread.

#include <QPoint>
#include <QSize>

#include "photos/slot_fit.h"

namespace orvane {

// The photo under the frame: its top-left corner and its shown size.
struct CropPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const CropPlacement&) const = default;
};

// The frame for a slot of slotWidth × slotHeight (a slot without a size, or
// with one side 0, is a 1920 × 1080 frame), as large as fits in `bounds`
// with the slot's proportions.
QSize cropFrameSize(int slotWidth, int slotHeight, QSize bounds);

// The smallest scale at which a photo of `photo` size covers `frame`.
double coverScale(QSize photo, QSize frame);

// The photo at `scale` (1 = covering the frame) centred on the frame.
CropPlacement centredPlacement(QSize photo, QSize frame, double scale = 1.0);

// Keeps the frame covered where the photo can cover it: a side at least as
// long as the frame's may not leave a gap inside the frame; a shorter side
// stays inside the frame.
CropPlacement clampPlacement(const CropPlacement& placement, QSize frame);

// Moved by (dx, dy), then clamped.
CropPlacement movedPlacement(const CropPlacement& placement, QPoint delta, QSize frame);

// Scaled to `scale` × the covering size of the photo, keeping the photo point
// under `anchor` (frame coordinates) where it is, then clamped. Scales below
// 1 are raised to 1 (the frame stays covered); above `kMaxCropScale` lowered.
inline constexpr double kMaxCropScale = 4.0;
CropPlacement zoomedPlacement(const CropPlacement& placement, QSize photo, QSize frame,
                              double scale, QPointF anchor);

// What the window hands to applyManualCrop.
ManualCropInput manualCropInput(int slotWidth, int slotHeight, QSize frame,
                                const CropPlacement& placement);

}  // namespace orvane
