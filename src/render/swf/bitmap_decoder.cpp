#include "render/swf/bitmap_decoder.h"

#include <zlib.h>

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cstring>

namespace orvane::swf {

namespace {

bool startsWith(std::span<const std::uint8_t> data, std::initializer_list<std::uint8_t> magic) {
    return data.size() >= magic.size() && std::equal(magic.begin(), magic.end(), data.begin());
}

// Decodes a JPEG/PNG/GIF in memory after checking its announced size.
Result<QImage> decodeEncoded(std::span<const std::uint8_t> data) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return fail(QStringLiteral("the picture data cannot be read"));
    if (std::int64_t(size.width()) * size.height() > kMaxBitmapPixels)
        return fail(QStringLiteral("the picture is too large (%1 x %2 pixels)")
                        .arg(size.width())
                        .arg(size.height()));
    QImage image;
    if (!reader.read(&image))
        return fail(
            QStringLiteral("the picture data cannot be read (%1)").arg(reader.errorString()));
    // Opaque pictures stay RGB32: QPainter copies them instead of blending.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

// Removes the erroneous FF D9 FF D8 header some SWF writers put first.
std::span<const std::uint8_t> stripBogusHeader(std::span<const std::uint8_t> data) {
    if (startsWith(data, {0xFF, 0xD9, 0xFF, 0xD8})) return data.subspan(4);
    return data;
}

Result<void> checkPixels(int w, int h) {
    if (w <= 0 || h <= 0) return fail(QStringLiteral("a bitmap has no pixels"));
    if (std::int64_t(w) * h > kMaxBitmapPixels)
        return fail(QStringLiteral("a bitmap is too large (%1 x %2 pixels)").arg(w).arg(h));
    return {};
}

}  // namespace

Result<Bytes> inflateBounded(std::span<const std::uint8_t> data, std::size_t maxBytes) {
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) return fail(QStringLiteral("zlib cannot start"));
    Bytes out;
    out.resize(std::min<std::size_t>(maxBytes, std::max<std::size_t>(data.size() * 4, 4096)));
    zs.next_in = const_cast<Bytef*>(data.data());
    zs.avail_in = uInt(data.size());
    int status = Z_OK;
    std::size_t produced = 0;
    while (status == Z_OK) {
        if (produced == out.size()) {
            if (out.size() >= maxBytes) {
                // Full: only acceptable if the stream ends here.
                std::uint8_t probe;
                zs.next_out = &probe;
                zs.avail_out = 1;
                status = inflate(&zs, Z_NO_FLUSH);
                if (status == Z_STREAM_END && zs.avail_out == 1) break;
                inflateEnd(&zs);
                return fail(QStringLiteral("compressed data is larger than allowed"));
            }
            out.resize(std::min<std::size_t>(maxBytes, out.size() * 2));
        }
        zs.next_out = out.data() + produced;
        zs.avail_out = uInt(out.size() - produced);
        status = inflate(&zs, Z_NO_FLUSH);
        produced = out.size() - zs.avail_out;
        if (status == Z_BUF_ERROR && zs.avail_in == 0) break;  // truncated
    }
    inflateEnd(&zs);
    if (status != Z_STREAM_END)
        return fail(QStringLiteral("compressed data is damaged or cut off"));
    out.resize(produced);
    return out;
}

ContentKind sniffContent(std::span<const std::uint8_t> data) {
    if (startsWith(data, {0xFF, 0xD8, 0xFF}) || startsWith(data, {0xFF, 0xD9, 0xFF, 0xD8}))
        return ContentKind::Jpeg;
    if (startsWith(data, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return ContentKind::Png;
    if (startsWith(data, {'G', 'I', 'F', '8'})) return ContentKind::Gif;
    if (startsWith(data, {'B', 'M'}) && data.size() > 26) return ContentKind::Bmp;
    if (startsWith(data, {'F', 'W', 'S'}) || startsWith(data, {'C', 'W', 'S'}))
        return ContentKind::Swf;
    return ContentKind::Unknown;
}

Result<QImage> decodePicture(std::span<const std::uint8_t> data) {
    switch (sniffContent(data)) {
        case ContentKind::Jpeg:
        case ContentKind::Png:
        case ContentKind::Gif:
        case ContentKind::Bmp:
            return decodeEncoded(stripBogusHeader(data));
        case ContentKind::Swf:
            return fail(QStringLiteral("it is a movie; only pictures can be loaded into a clip"));
        case ContentKind::Unknown:
            break;
    }
    return fail(QStringLiteral("it is not a JPEG, PNG, GIF or BMP picture"));
}

std::int64_t declaredJpegPixels(std::span<const std::uint8_t> body, bool jpeg3) {
    if (jpeg3) {
        if (body.size() < 4) return 0;
        const std::size_t alphaOffset = std::size_t(body[0]) | std::size_t(body[1]) << 8 |
                                        std::size_t(body[2]) << 16 | std::size_t(body[3]) << 24;
        if (alphaOffset > body.size() - 4) return 0;
        body = body.subspan(4, alphaOffset);
    }
    const auto data = stripBogusHeader(body);
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    return size.isValid() ? std::int64_t(size.width()) * size.height() : 0;
}

std::int64_t declaredLosslessPixels(std::span<const std::uint8_t> body) {
    if (body.size() < 5) return 0;
    return std::int64_t(body[1] | body[2] << 8) * std::int64_t(body[3] | body[4] << 8);
}

Result<QImage> decodeJpeg2(std::span<const std::uint8_t> body, int) {
    auto data = stripBogusHeader(body);
    if (sniffContent(data) == ContentKind::Unknown)
        return fail(QStringLiteral("a JPEG bitmap holds no picture"));
    return decodeEncoded(data);
}

Result<QImage> decodeJpeg3(std::span<const std::uint8_t> body, int version) {
    if (body.size() < 4) return fail(QStringLiteral("a JPEG bitmap is cut off"));
    const std::size_t alphaOffset = std::size_t(body[0]) | std::size_t(body[1]) << 8 |
                                    std::size_t(body[2]) << 16 | std::size_t(body[3]) << 24;
    if (alphaOffset > body.size() - 4) return fail(QStringLiteral("a JPEG bitmap is cut off"));
    auto image = decodeJpeg2(body.subspan(4, alphaOffset), version);
    if (!image) return image;
    auto alphaData = body.subspan(4 + alphaOffset);
    const ContentKind kind = sniffContent(body.subspan(4, alphaOffset));
    if (alphaData.empty() || kind != ContentKind::Jpeg) return image;  // PNG/GIF bring their own
    const std::size_t pixels = std::size_t(image->width()) * image->height();
    auto alpha = inflateBounded(alphaData, pixels);
    if (!alpha) return fail(QStringLiteral("the alpha plane of a JPEG bitmap is damaged"));
    if (alpha->size() < pixels)
        return fail(QStringLiteral("the alpha plane of a JPEG bitmap is short"));
    QImage& img = *image;
    img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const std::uint8_t* a = alpha->data();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int alphaValue = *a++;
            // The colour counts as premultiplied already: keep each channel <= alpha.
            const QRgb p = line[x];
            line[x] = qRgba(std::min(qRed(p), alphaValue), std::min(qGreen(p), alphaValue),
                            std::min(qBlue(p), alphaValue), alphaValue);
        }
    }
    return image;
}

Result<QImage> decodeLossless(std::span<const std::uint8_t> body, bool withAlpha) {
    if (body.size() < 5) return fail(QStringLiteral("a lossless bitmap is cut off"));
    const int format = body[0];
    const int w = body[1] | body[2] << 8;
    const int h = body[3] | body[4] << 8;
    if (auto ok = checkPixels(w, h); !ok) return std::unexpected(ok.error());
    std::size_t offset = 5;
    int paletteSize = 0;
    if (format == 3) {
        if (body.size() < 6) return fail(QStringLiteral("a lossless bitmap is cut off"));
        paletteSize = body[5] + 1;
        offset = 6;
    } else if (format != 5 && !(format == 4 && !withAlpha)) {
        return fail(QStringLiteral("a lossless bitmap has the unknown format %1").arg(format));
    }
    const std::size_t colourBytes = withAlpha ? 4 : 3;
    std::size_t rowBytes = 0;
    std::size_t headerBytes = 0;
    if (format == 3) {
        rowBytes = (std::size_t(w) + 3) & ~std::size_t(3);
        headerBytes = paletteSize * colourBytes;
    } else if (format == 4) {
        rowBytes = ((std::size_t(w) + 1) & ~std::size_t(1)) * 2;
    } else {
        rowBytes = std::size_t(w) * 4;
    }
    const std::size_t expected = headerBytes + rowBytes * h;
    auto data = inflateBounded(body.subspan(offset), expected);
    if (!data)
        return fail(QStringLiteral("a lossless bitmap is damaged: %1").arg(data.error().message));
    if (data->size() < expected)
        return fail(QStringLiteral("a lossless bitmap is short of pixels"));

    QImage image(w, h, withAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull()) return fail(QStringLiteral("not enough memory for a bitmap"));
    const std::uint8_t* src = data->data();
    std::vector<QRgb> palette(static_cast<std::size_t>(paletteSize));
    for (int i = 0; i < paletteSize; ++i) {
        const std::uint8_t* c = src + i * colourBytes;
        if (withAlpha) {
            // Palette entries are not premultiplied.
            palette[i] = qPremultiply(qRgba(c[0], c[1], c[2], c[3]));
        } else {
            palette[i] = qRgb(c[0], c[1], c[2]);
        }
    }
    src += headerBytes;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint8_t* row = src + rowBytes * y;
        for (int x = 0; x < w; ++x) {
            if (format == 3) {
                const int index = row[x];
                line[x] = index < paletteSize ? palette[index] : 0;
            } else if (format == 4) {
                const int v = row[2 * x] << 8 | row[2 * x + 1];
                const int r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
                line[x] = qRgb(r << 3 | r >> 2, g << 3 | g >> 2, b << 3 | b >> 2);
            } else if (withAlpha) {
                const std::uint8_t* p = row + 4 * x;
                const int a = p[0];
                line[x] = qRgba(std::min<int>(p[1], a), std::min<int>(p[2], a),
                                std::min<int>(p[3], a), a);
            } else {
                const std::uint8_t* p = row + 4 * x;
                line[x] = qRgb(p[1], p[2], p[3]);
            }
        }
    }
    return image;
}

}  // namespace orvane::swf
