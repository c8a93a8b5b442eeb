#include "photos/crop_placement.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

// One side: a side at least the frame's length covers it, a shorter one
// stays within it.
int clampSide(int position, int length, int frameLength) {
    if (length >= frameLength) return std::clamp(position, frameLength - length, 0);
    return std::clamp(position, 0, frameLength - length);
}

}  // namespace

QSize cropFrameSize(int slotWidth, int slotHeight, QSize bounds) {
    if (slotWidth <= 0 || slotHeight <= 0) {
        slotWidth = kFullScreenWidth;
        slotHeight = kFullScreenHeight;
    }
    if (bounds.isEmpty()) return {};
    // Width-bound unless that makes it too tall.
    int width = bounds.width();
    int height = int(qint64(slotHeight) * width / slotWidth);
    if (height > bounds.height()) {
        height = bounds.height();
        width = int(qint64(slotWidth) * height / slotHeight);
    }
    return {std::max(1, width), std::max(1, height)};
}

double coverScale(QSize photo, QSize frame) {
    if (photo.isEmpty() || frame.isEmpty()) return 1.0;
    return std::max(double(frame.width()) / photo.width(), double(frame.height()) / photo.height());
}

CropPlacement centredPlacement(QSize photo, QSize frame, double scale) {
    const double s = coverScale(photo, frame) * std::clamp(scale, 1.0, kMaxCropScale);
    CropPlacement p;
    p.width = std::max(1, int(std::ceil(photo.width() * s - 1e-9)));
    p.height = std::max(1, int(std::ceil(photo.height() * s - 1e-9)));
    p.x = (frame.width() - p.width) / 2;
    p.y = (frame.height() - p.height) / 2;
    return clampPlacement(p, frame);
}

CropPlacement clampPlacement(const CropPlacement& placement, QSize frame) {
    CropPlacement p = placement;
    p.x = clampSide(p.x, p.width, frame.width());
    p.y = clampSide(p.y, p.height, frame.height());
    return p;
}

CropPlacement movedPlacement(const CropPlacement& placement, QPoint delta, QSize frame) {
    CropPlacement p = placement;
    p.x += delta.x();
    p.y += delta.y();
    return clampPlacement(p, frame);
}

CropPlacement zoomedPlacement(const CropPlacement& placement, QSize photo, QSize frame,
                              double scale, QPointF anchor) {
    if (placement.width <= 0 || placement.height <= 0) return centredPlacement(photo, frame, scale);
    const double s = coverScale(photo, frame) * std::clamp(scale, 1.0, kMaxCropScale);
    CropPlacement p;
    p.width = std::max(1, int(std::ceil(photo.width() * s - 1e-9)));
    p.height = std::max(1, int(std::ceil(photo.height() * s - 1e-9)));
    // The photo point under the anchor, as a share of the photo.
    const double u = (anchor.x() - placement.x) / placement.width;
    const double v = (anchor.y() - placement.y) / placement.height;
    p.x = int(std::lround(anchor.x() - u * p.width));
    p.y = int(std::lround(anchor.y() - v * p.height));
    return clampPlacement(p, frame);
}

ManualCropInput manualCropInput(int slotWidth, int slotHeight, QSize frame,
                                const CropPlacement& placement) {
    ManualCropInput in;
    in.slotWidth = slotWidth;
    in.slotHeight = slotHeight;
    in.frameWidth = frame.width();
    in.frameHeight = frame.height();
    in.photoX = placement.x;
    in.photoY = placement.y;
    in.photoWidth = placement.width;
    in.photoHeight = placement.height;
    return in;
}

}  // namespace orvane
