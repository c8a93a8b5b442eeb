#pragma once
// Converts album pictures (QImage, Format_RGB32) into encoder frames of
// another pixel format at the same size, with the conversion split over the
// cores (it costs about as much as the MPEG-2 encoding itself at 720p).

#include <QImage>

#include "app/error.h"
#include "av/ffmpeg_handles.h"

namespace orvane {

class PictureConverter {
   public:
    PictureConverter() = default;
    // Sets up conversion to `format` at width × height.
    Result<void> open(int width, int height, AVPixelFormat format);
    // Writes `picture` (RGB32, width × height) into `frame`, which must be
    // writable and of the open format and size.
    Result<void> convert(const QImage& picture, AVFrame* frame);

   private:
    av::SwsPtr m_context;
    av::FramePtr m_source;
};

}  // namespace orvane
