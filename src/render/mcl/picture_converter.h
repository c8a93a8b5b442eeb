#pragma once
// Converts album pictures (QImage, Format_RGB32) into encoder frames of
// another pixel format at the same size. The MPEG formats' BT.601 YUV 4:2:0
// goes through libyuv (several times faster than libswscale, which cost
// about as much as the MPEG-2 encoding itself at 720p); other formats
// through libswscale, its work split over the cores.

#include <QImage>

#include "av/ffmpeg_handles.h"
#include "base/error.h"

namespace orvane {

// The RGB → YUV coefficients: BT.601 for the MPEG formats, BT.709 for H.264
// (tagged so in the stream).
enum class ColourMatrix { Bt601, Bt709 };

class PictureConverter {
   public:
    PictureConverter() = default;
    // Sets up conversion to `format` at width × height.
    Result<void> open(int width, int height, AVPixelFormat format,
                      ColourMatrix matrix = ColourMatrix::Bt601);
    // Writes `picture` (RGB32, width × height) into `frame`, which must be
    // writable and of the open format and size.
    Result<void> convert(const QImage& picture, AVFrame* frame);

   private:
    bool m_toBt601Yuv420 = false;  // libyuv does the conversion
    av::SwsPtr m_context;
    av::FramePtr m_source;
};

}  // namespace orvane
