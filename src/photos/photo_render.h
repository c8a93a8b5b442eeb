#pragma once
// Reading photos: the header measure (stored size and EXIF orientation, no
// pixel data) and renderPhoto, which decodes a JPEG at the smallest DCT scale
// that still covers the wanted size, turns it upright and scales it with
// area-averaging filters. A full-size bitmap of a large photo is never held:
// rows are reduced as they come out of the decoder when the scaled decode is
// still much larger than needed. Any thread may call these functions.

#include <QImage>
#include <QSize>
#include <QString>

#include "base/error.h"

namespace orvane {

struct PhotoHeader {
    int storedWidth = 0;
    int storedHeight = 0;
    int exifOrientation = 1;  // 1..8; 5..8 swap width and height

    bool swapsAxes() const { return exifOrientation >= 5; }
    int displayWidth() const { return swapsAxes() ? storedHeight : storedWidth; }
    int displayHeight() const { return swapsAxes() ? storedWidth : storedHeight; }
};

// Reads the JPEG header and the EXIF block of `path`. Errors name the file.
Result<PhotoHeader> readPhotoHeader(const QString& path);

// The photo upright, scaled to fit `box` with its proportions. A box within
// one pixel of the photo's proportions (as callers compute it with integer
// arithmetic) is filled exactly.
Result<QImage> renderPhoto(const QString& path, QSize box);

// The photo upright, scaled to exactly `size` (the slot placement).
Result<QImage> renderPhotoStretched(const QString& path, QSize size);

// The size renderPhoto gives for a photo of `photo` pixels fitted into `box`.
QSize fittedRenderSize(QSize photo, QSize box);

}  // namespace orvane
