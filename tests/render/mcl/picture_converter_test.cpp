// The album's RGB pictures turned into the encoders' YUV: colours land on
// the values of their matrix (BT.601 for the MPEG formats, BT.709 for H.264,
// limited range), with the channels in the right order, and a detailed
// picture survives the round trip.

#include "render/mcl/picture_converter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

using namespace orvane;

namespace {

constexpr int kWidth = 64, kHeight = 48;

// Four bars (white, red, green, blue) over the top half, a colourful
// gradient below.
QImage testPicture() {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    const QRgb bars[] = {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            row[x] =
                y < kHeight / 2 ? bars[x / (kWidth / 4)] : qRgb(x * 4, 255 - y * 5, (x + y) * 2);
    }
    return picture;
}

struct Yuv {
    int y, u, v;
};

// The YUV of the middle of bar `bar` (0..3) of a converted frame.
Yuv barValue(const AVFrame* frame, int bar) {
    const int x = bar * (kWidth / 4) + kWidth / 8, y = kHeight / 4;
    return {frame->data[0][y * frame->linesize[0] + x],
            frame->data[1][(y / 2) * frame->linesize[1] + x / 2],
            frame->data[2][(y / 2) * frame->linesize[2] + x / 2]};
}

// The frame turned back into RGB with libswscale and the same matrix.
QImage backToRgb(AVFrame* frame, int colourspace) {
    QImage back(kWidth, kHeight, QImage::Format_RGB32);
    SwsContext* c =
        sws_getContext(kWidth, kHeight, AV_PIX_FMT_YUV420P, kWidth, kHeight, AV_PIX_FMT_BGRA,
                       SWS_BILINEAR | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    const int* coefficients = sws_getCoefficients(colourspace);
    sws_setColorspaceDetails(c, coefficients, 0, coefficients, 1, 0, 1 << 16, 1 << 16);
    uint8_t* out[] = {back.bits()};
    const int outStride[] = {int(back.bytesPerLine())};
    sws_scale(c, frame->data, frame->linesize, 0, kHeight, out, outStride);
    sws_freeContext(c);
    return back;
}

// Over the gradient: the bars' sharp colour edges lose chroma to the 4:2:0
// subsampling whatever the matrix.
double gradientPsnr(const QImage& a, const QImage& b) {
    double squares = 0;
    const int top = a.height() / 2 + 2;
    for (int y = top; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                squares += d * d;
        }
    const double mse = squares / (3.0 * a.width() * (a.height() - top));
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace

TEST(PictureConverter, ColoursLandOnTheirMatrixValues) {
    struct Case {
        ColourMatrix matrix;
        int swsColourspace;
        Yuv white, red, green, blue;
    };
    const Case cases[] = {
        {ColourMatrix::Bt601,
         SWS_CS_ITU601,
         {235, 128, 128},
         {81, 90, 240},
         {145, 54, 34},
         {41, 240, 110}},
        {ColourMatrix::Bt709,
         SWS_CS_ITU709,
         {235, 128, 128},
         {63, 102, 240},
         {173, 42, 26},
         {32, 240, 118}},
    };
    const QImage picture = testPicture();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.matrix == ColourMatrix::Bt601 ? "BT.601" : "BT.709");
        PictureConverter converter;
        ASSERT_TRUE(converter.open(kWidth, kHeight, AV_PIX_FMT_YUV420P, c.matrix).has_value());
        AVFrame* frame = av_frame_alloc();
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = kWidth;
        frame->height = kHeight;
        ASSERT_EQ(av_frame_get_buffer(frame, 0), 0);
        ASSERT_TRUE(converter.convert(picture, frame).has_value());

        const Yuv expected[] = {c.white, c.red, c.green, c.blue};
        for (int bar = 0; bar < 4; ++bar) {
            const Yuv got = barValue(frame, bar);
            EXPECT_NEAR(got.y, expected[bar].y, 2) << "bar " << bar;
            EXPECT_NEAR(got.u, expected[bar].u, 2) << "bar " << bar;
            EXPECT_NEAR(got.v, expected[bar].v, 2) << "bar " << bar;
        }
        EXPECT_GT(gradientPsnr(picture, backToRgb(frame, c.swsColourspace)), 35.0);
        av_frame_free(&frame);
    }
}
