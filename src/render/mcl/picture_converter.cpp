#include "render/mcl/picture_converter.h"

#include <libyuv/convert_from_argb.h>

extern "C" {
#include <libavutil/opt.h>
}

namespace orvane {

namespace {

void keepPicture(void*, uint8_t*) {}  // the QImage owns the pixels

}  // namespace

Result<void> PictureConverter::open(int width, int height, AVPixelFormat format,
                                    ColourMatrix matrix) {
    m_toBt601Yuv420 = format == AV_PIX_FMT_YUV420P && matrix == ColourMatrix::Bt601;
    if (m_toBt601Yuv420) return {};
    m_context.reset(sws_alloc_context());
    m_source.reset(av_frame_alloc());
    if (!m_context || !m_source)
        return fail(QStringLiteral("Out of memory for the picture conversion."));
    SwsContext* c = m_context.get();
    av_opt_set_int(c, "srcw", width, 0);
    av_opt_set_int(c, "srch", height, 0);
    av_opt_set_int(c, "src_format", AV_PIX_FMT_BGRA, 0);
    av_opt_set_int(c, "dstw", width, 0);
    av_opt_set_int(c, "dsth", height, 0);
    av_opt_set_int(c, "dst_format", format, 0);
    av_opt_set_int(c, "sws_flags", SWS_BILINEAR, 0);
    av_opt_set_int(c, "threads", 0, 0);  // one slice per core
    if (int rc = sws_init_context(c, nullptr, nullptr); rc < 0)
        return fail(
            QStringLiteral("The picture conversion cannot be set up: %1").arg(av::errorText(rc)));
    if (matrix == ColourMatrix::Bt709) {
        // Full-range RGB in, limited-range YUV out, BT.709 coefficients.
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        int* inverse = nullptr;
        int* table = nullptr;
        int sourceRange = 0, destinationRange = 0, brightness = 0, contrast = 0, saturation = 0;
        sws_getColorspaceDetails(c, &inverse, &sourceRange, &table, &destinationRange, &brightness,
                                 &contrast, &saturation);
        sws_setColorspaceDetails(c, bt709, 1, bt709, 0, brightness, contrast, saturation);
    }
    m_source->format = AV_PIX_FMT_BGRA;
    m_source->width = width;
    m_source->height = height;
    return {};
}

Result<void> PictureConverter::convert(const QImage& picture, AVFrame* frame) {
    if (m_toBt601Yuv420) {
        // Little-endian RGB32 is libyuv's "ARGB": B, G, R, A in memory.
        if (libyuv::ARGBToI420(picture.constBits(), int(picture.bytesPerLine()), frame->data[0],
                               frame->linesize[0], frame->data[1], frame->linesize[1],
                               frame->data[2], frame->linesize[2], picture.width(),
                               picture.height()) != 0)
            return fail(QStringLiteral("A picture could not be converted."));
        return {};
    }
    AVFrame* source = m_source.get();
    // Wrap the picture's pixels without copying them.
    source->buf[0] =
        av_buffer_create(const_cast<uint8_t*>(picture.constBits()), int(picture.sizeInBytes()),
                         keepPicture, nullptr, AV_BUFFER_FLAG_READONLY);
    if (!source->buf[0]) return fail(QStringLiteral("Out of memory for the picture conversion."));
    source->data[0] = source->buf[0]->data;
    source->linesize[0] = int(picture.bytesPerLine());
    const int rc = sws_scale_frame(m_context.get(), frame, source);
    av_buffer_unref(&source->buf[0]);
    source->data[0] = nullptr;
    if (rc < 0)
        return fail(QStringLiteral("A picture could not be converted: %1").arg(av::errorText(rc)));
    return {};
}

}  // namespace orvane
