#include "jpeg_fixtures.h"

#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

// libjpeg's header needs <cstdio> first.
#include <jpeglib.h>

namespace orvane::testing {
namespace {

// A TIFF block with one IFD entry: Orientation (0x0112), SHORT, 1 value.
std::vector<unsigned char> exifOrientationBlock(int orientation) {
    return {'E',
            'x',
            'i',
            'f',
            0,
            0,  // header
            'I',
            'I',
            42,
            0,
            8,
            0,
            0,
            0,  // little-endian TIFF, IFD at 8
            1,
            0,  // one entry
            0x12,
            0x01,
            3,
            0,
            1,
            0,
            0,
            0,  // tag, type SHORT, count 1
            static_cast<unsigned char>(orientation),
            0,
            0,
            0,  // value
            0,
            0,
            0,
            0};  // no next IFD
}

void throwOnError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw std::runtime_error(message);
}

}  // namespace

std::string encodeTestJpeg(const QImage& source, const JpegOptions& options) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    err.error_exit = throwOnError;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    switch (options.color) {
        case JpegColor::Rgb:
            info.input_components = 4;
            info.in_color_space = JCS_EXT_BGRX;
            break;
        case JpegColor::Gray:
            info.input_components = 1;
            info.in_color_space = JCS_GRAYSCALE;
            break;
        case JpegColor::AdobeCmyk:
            info.input_components = 4;
            info.in_color_space = JCS_CMYK;
            break;
    }
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (options.orientation > 0) {
        const auto block = exifOrientationBlock(options.orientation);
        jpeg_write_marker(&info, JPEG_APP0 + 1, block.data(), static_cast<unsigned>(block.size()));
    }
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width()) * 4);
    while (info.next_scanline < info.image_height) {
        const auto* pixels =
            reinterpret_cast<const QRgb*>(image.constScanLine(int(info.next_scanline)));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = pixels[x];
            JSAMPLE* out = &row[static_cast<std::size_t>(x) * 4];
            switch (options.color) {
                case JpegColor::Rgb:
                    out[0] = JSAMPLE(qBlue(p)), out[1] = JSAMPLE(qGreen(p)),
                    out[2] = JSAMPLE(qRed(p)), out[3] = 255;
                    break;
                case JpegColor::Gray:
                    row[std::size_t(x)] = JSAMPLE(qGray(p));
                    break;
                case JpegColor::AdobeCmyk:  // inverted inks with no black: R, G, B, 255
                    out[0] = JSAMPLE(qRed(p)), out[1] = JSAMPLE(qGreen(p)),
                    out[2] = JSAMPLE(qBlue(p)), out[3] = 255;
                    break;
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

void writeJpeg(const std::filesystem::path& path, const QImage& image, const JpegOptions& options) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << encodeTestJpeg(image, options);
}

QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    const int w = width / 2, h = height / 2;
    QPainter painter(&image);
    painter.fillRect(0, 0, w, h, kQuadrantColors[0]);
    painter.fillRect(w, 0, width - w, h, kQuadrantColors[1]);
    painter.fillRect(0, h, w, height - h, kQuadrantColors[2]);
    painter.fillRect(w, h, width - w, height - h, kQuadrantColors[3]);
    return image;
}

std::string flatGiantJpeg(int width, int height, bool progressive) {
    auto be16 = [](std::string& s, int v) { s += char(v >> 8), s += char(v & 0xFF); };
    std::string s = "\xFF\xD8";
    s += "\xFF\xDB";  // quantisation table 0: all ones
    be16(s, 67);
    s += '\0';
    s += std::string(64, '\1');
    s += progressive ? "\xFF\xC2" : "\xFF\xC0";  // frame: one grey component
    be16(s, 11);
    s += char(8);
    be16(s, height);
    be16(s, width);
    s += std::string("\x01\x01\x11\x00", 4);
    for (char tableClass : {'\x00', '\x10'}) {  // one code "0": DC diff 0, AC end of block
        s += "\xFF\xC4";
        be16(s, 20);
        s += tableClass;
        s += '\1';
        s += std::string(15, '\0');
        s += '\0';
    }
    s += "\xFF\xDA";
    be16(s, 8);
    // Baseline: every coefficient; progressive: the DC scan only.
    s += std::string("\x01\x01\x00\x00", 4) + (progressive ? '\0' : '\x3F') + '\0';
    const long long blocks = static_cast<long long>((width + 7) / 8) * ((height + 7) / 8);
    const long long bitsPerBlock = progressive ? 1 : 2;
    s += std::string(static_cast<std::size_t>((blocks * bitsPerBlock + 7) / 8), '\0');
    s += "\xFF\xD9";
    return s;
}

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace orvane::testing
