#include "slot_fit.h"

#include "base/error.h"

namespace orvane {
namespace {

bool isLandscape(int w, int h) { return h <= w; }

// a × b / c in 64 bits, truncating toward zero.
int mulDiv(int a, int b, int c) { return static_cast<int>(static_cast<qint64>(a) * b / c); }

SlotFit fitSizedSlot(int w, int h, int sw, int sh) {
    SlotFit f{sw, sh, 0, 0, 0, 0};
    if (isLandscape(w, h)) {
        f.height = sh;
        f.width = mulDiv(w, sh, h);
        if (f.width < sw) {
            f.width = sw;
            f.height = mulDiv(h, sw, w);
        }
    } else {
        f.width = sw;
        f.height = mulDiv(h, sw, w);
        if (f.height < sh) {
            f.height = sh;
            f.width = mulDiv(w, sh, h);
        }
    }
    return f;
}

SlotFit fitFullScreenSlot(int w, int h, LandscapeCrop landscape, PortraitCrop portrait) {
    SlotFit f;
    if (isLandscape(w, h)) {
        f.width = kFullScreenWidth;
        f.height = mulDiv(h, kFullScreenWidth, w);
        if (landscape == LandscapeCrop::FullScreen) {
            f.canvasWidth = kFullScreenWidth;
            f.canvasHeight = kFullScreenHeight;
            return f;
        }
        if (kFullScreenHeight < f.height) {
            f.height = kFullScreenHeight;
            f.width = mulDiv(w, kFullScreenHeight, h);
        }
    } else if (portrait == PortraitCrop::ZoomedPart) {
        // Full height enlarged by a third; the bottom quarter is cut off.
        const int baseHeight = kFullScreenHeight;
        const int baseWidth = mulDiv(w, kFullScreenHeight, h);
        f.height = baseHeight + baseHeight / 3;
        f.width = mulDiv(baseWidth, f.height, baseHeight);
        f.canvasWidth = f.width;
        f.canvasHeight = kFullScreenHeight;
        return f;
    } else {
        f.height = kFullScreenHeight;
        f.width = mulDiv(w, kFullScreenHeight, h);
        if (kFullScreenWidth < f.width) {
            f.width = kFullScreenWidth;
            f.height = mulDiv(h, kFullScreenWidth, w);
        }
    }
    f.canvasWidth = f.width;
    f.canvasHeight = f.height;
    return f;
}

}  // namespace

SlotFit fitPhotoToSlot(int w, int h, int slotWidth, int slotHeight, LandscapeCrop landscape,
                       PortraitCrop portrait) {
    if (w <= 0 || h <= 0)
        throw OrvaneError(
            QStringLiteral("a photo of %1 × %2 pixels cannot be fitted").arg(w).arg(h));
    if (slotWidth != 0 && slotHeight != 0) return fitSizedSlot(w, h, slotWidth, slotHeight);
    return fitFullScreenSlot(w, h, landscape, portrait);
}

SlotFit fitPhotoWhole(int w, int h) {
    return fitPhotoToSlot(w, h, 0, 0, kWholePhotoCrop.landscape, kWholePhotoCrop.portrait);
}

ManualCrop applyManualCrop(const ManualCropInput& in) {
    if (in.frameWidth <= 0 || in.frameHeight <= 0)
        throw OrvaneError(QStringLiteral("the crop frame of %1 × %2 pixels has no area")
                              .arg(in.frameWidth)
                              .arg(in.frameHeight));
    ManualCrop out;
    SlotFit& f = out.fit;
    const bool sized = in.slotWidth != 0 && in.slotHeight != 0;
    f.canvasWidth = sized ? in.slotWidth : kFullScreenWidth;
    f.canvasHeight = sized ? in.slotHeight : kFullScreenHeight;
    f.width = mulDiv(f.canvasWidth, in.photoWidth, in.frameWidth);
    f.height = mulDiv(f.canvasHeight, in.photoHeight, in.frameHeight);
    f.x = mulDiv(f.canvasWidth, in.photoX, in.frameWidth);
    f.y = mulDiv(f.canvasHeight, in.photoY, in.frameHeight);

    // A photo starting inside the frame keeps only its own extent (the empty
    // margin is dropped); one wider than the frame, or one starting outside
    // it, keeps the canvas extent.
    auto kept = [](int photoStart, int placed, int placedSize, bool widerThanFrame, int canvas,
                   int& start, int& size) {
        start = photoStart >= 0 ? placed : 0;
        size = !widerThanFrame && photoStart >= 0 ? placedSize : canvas;
    };
    int x, y, w, h;
    kept(in.photoX, f.x, f.width, in.frameWidth < in.photoWidth, f.canvasWidth, x, w);
    kept(in.photoY, f.y, f.height, in.frameHeight < in.photoHeight, f.canvasHeight, y, h);
    out.kept = QRect(x, y, w, h) & QRect(0, 0, f.canvasWidth, f.canvasHeight);
    return out;
}

}  // namespace orvane
