#include "photo_render.h"

#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

// libjpeg's headers need <cstdio> first.
#include <jerror.h>
#include <jpeglib.h>
#include <libexif/exif-data.h>

namespace orvane {
namespace {

// Progressive photos keep all their coefficients while they decode; this
// bounds that memory, so a header claiming a giant size fails cleanly
// instead of exhausting the machine.
constexpr long kDecoderMemoryLimit = 160L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void onError(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

// A premature end of data, or a marker (an early end marker) where scan
// data should be, is a warning to libjpeg (it pads the picture with grey);
// for us such a photo is cut short and an error. Other warnings are ignored.
void onMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) onError(info);
    info->err->num_warnings++;
}

// One decoding session: the libjpeg object, its error handling and the file.
// The functions that call into libjpeg set the jump point themselves and keep
// their own state in this object, so a longjmp skips no C++ destructor.
struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager err;
    std::FILE* file = nullptr;
    QString path;

    explicit Decoder(const QString& photoPath) : path(photoPath) {
        std::memset(&info, 0, sizeof info);
        info.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = onError;
        err.pub.emit_message = onMessage;
        file = std::fopen(QFile::encodeName(path).constData(), "rb");
    }
    ~Decoder() {
        jpeg_destroy_decompress(&info);
        if (file) std::fclose(file);
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    UserError error() const {
        const int code = err.pub.msg_code;
        if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY)
            return {QStringLiteral("%1 is too large to decode within %2 MB (%3 × %4 pixels)")
                        .arg(path)
                        .arg(kDecoderMemoryLimit / (1024 * 1024))
                        .arg(info.image_width)
                        .arg(info.image_height)};
        return {QStringLiteral("%1 is not a readable JPEG photo: %2")
                    .arg(path, QString::fromLocal8Bit(err.message))};
    }
};

bool readHeader(Decoder& d) {
    if (setjmp(d.err.jump)) return false;
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = kDecoderMemoryLimit;
    jpeg_stdio_src(&d.info, d.file);
    jpeg_save_markers(&d.info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&d.info, TRUE);
    return true;
}

int exifOrientation(const jpeg_decompress_struct& info) {
    static const unsigned char kExif[] = {'E', 'x', 'i', 'f', 0, 0};
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1 || m->data_length < sizeof kExif) continue;
        if (std::memcmp(m->data, kExif, sizeof kExif) != 0) continue;
        ExifData* exif = exif_data_new_from_data(m->data, m->data_length);
        if (!exif) return 1;
        int orientation = 1;
        ExifEntry* entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
        if (entry && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 && entry->data)
            orientation = exif_get_short(entry->data, exif_data_get_byte_order(exif));
        exif_data_unref(exif);
        return orientation >= 1 && orientation <= 8 ? orientation : 1;
    }
    return 1;
}

Result<PhotoHeader> openPhoto(Decoder& d) {
    if (!d.file) return fail(QStringLiteral("cannot open the photo %1").arg(d.path));
    if (!readHeader(d)) return std::unexpected(d.error());
    PhotoHeader header;
    header.storedWidth = static_cast<int>(d.info.image_width);
    header.storedHeight = static_cast<int>(d.info.image_height);
    header.exifOrientation = exifOrientation(d.info);
    return header;
}

// Receives decoded rows (BGRX, CMYK or Adobe's inverted CMYK) and writes them
// into a bitmap, averaging blocks of `factor` × `factor` pixels when the
// decode is much larger than the picture needed.
class RowReducer {
   public:
    enum class Input { Bgrx, Cmyk, InvertedCmyk };

    void begin(int width, int height, int components, Input input, int factor) {
        m_width = width;
        m_height = height;
        m_components = components;
        m_input = input;
        m_factor = std::max(1, factor);
        m_row.assign(direct() ? 0 : static_cast<std::size_t>(width) * components, 0);
        m_sums.assign(direct() ? 0 : static_cast<std::size_t>(outWidth()) * 3, 0);
        m_image = QImage(outWidth(), (height + m_factor - 1) / m_factor, QImage::Format_RGB32);
        if (m_image.isNull()) throw std::bad_alloc();
    }

    // Where decoder row y goes: straight into the bitmap when nothing needs
    // converting or averaging.
    JSAMPROW row(int y) { return direct() ? m_image.scanLine(y) : m_row.data(); }

    void consume(int y) {
        if (direct()) return;
        const bool lastInGroup = (y + 1) % m_factor == 0 || y + 1 == m_height;
        for (int x = 0; x < m_width; ++x) {
            int r, g, b;
            pixel(x, r, g, b);
            std::uint32_t* sum = &m_sums[static_cast<std::size_t>(x / m_factor) * 3];
            sum[0] += r;
            sum[1] += g;
            sum[2] += b;
        }
        if (!lastInGroup) return;
        const int rows = y % m_factor + 1;
        auto* out = reinterpret_cast<QRgb*>(m_image.scanLine(y / m_factor));
        for (int ox = 0; ox < outWidth(); ++ox) {
            const int columns = std::min(m_factor, m_width - ox * m_factor);
            const std::uint32_t n = static_cast<std::uint32_t>(rows * columns);
            std::uint32_t* sum = &m_sums[static_cast<std::size_t>(ox) * 3];
            out[ox] =
                qRgb(static_cast<int>((sum[0] + n / 2) / n), static_cast<int>((sum[1] + n / 2) / n),
                     static_cast<int>((sum[2] + n / 2) / n));
            sum[0] = sum[1] = sum[2] = 0;
        }
    }

    QImage take() { return std::move(m_image); }

   private:
    bool direct() const { return m_factor == 1 && m_input == Input::Bgrx; }
    int outWidth() const { return (m_width + m_factor - 1) / m_factor; }

    void pixel(int x, int& r, int& g, int& b) const {
        const JSAMPLE* p = &m_row[static_cast<std::size_t>(x) * m_components];
        if (m_input != Input::Bgrx) {
            // Adobe writes CMYK inverted; plain CMYK is converted the usual way.
            const bool inverted = m_input == Input::InvertedCmyk;
            const int c = inverted ? p[0] : 255 - p[0];
            const int m = inverted ? p[1] : 255 - p[1];
            const int yl = inverted ? p[2] : 255 - p[2];
            const int k = inverted ? p[3] : 255 - p[3];
            r = c * k / 255;
            g = m * k / 255;
            b = yl * k / 255;
            return;
        }
        b = p[0];  // JCS_EXT_BGRX
        g = p[1];
        r = p[2];
    }

    int m_width = 0;
    int m_height = 0;
    int m_components = 3;
    Input m_input = Input::Bgrx;
    int m_factor = 1;
    std::vector<JSAMPLE> m_row;
    std::vector<std::uint32_t> m_sums;
    QImage m_image;
};

bool decodeRows(Decoder& d, RowReducer& reducer, QSize needed) {
    if (setjmp(d.err.jump)) return false;
    jpeg_start_decompress(&d.info);
    const int width = static_cast<int>(d.info.output_width);
    const int height = static_cast<int>(d.info.output_height);
    const int factor = std::min(width / (2 * needed.width()), height / (2 * needed.height()));
    using Input = RowReducer::Input;
    const Input input = d.info.out_color_space != JCS_CMYK ? Input::Bgrx
                        : d.info.saw_Adobe_marker          ? Input::InvertedCmyk
                                                           : Input::Cmyk;
    reducer.begin(width, height, d.info.output_components, input, factor);
    while (d.info.output_scanline < d.info.output_height) {
        const int y = static_cast<int>(d.info.output_scanline);
        JSAMPROW row = reducer.row(y);
        jpeg_read_scanlines(&d.info, &row, 1);
        reducer.consume(y);
    }
    return true;
}

// The largest DCT reduction (1/8, 1/4, 1/2) whose output still covers
// `needed` in stored orientation.
unsigned scaleDenominator(const PhotoHeader& header, QSize needed) {
    for (unsigned denom : {8u, 4u, 2u}) {
        const long w = (header.storedWidth + denom - 1) / denom;
        const long h = (header.storedHeight + denom - 1) / denom;
        if (w >= needed.width() && h >= needed.height()) return denom;
    }
    return 1;
}

QImage upright(const QImage& image, int orientation) {
    switch (orientation) {
        case 2:
            return image.mirrored(true, false);
        case 3:
            return image.mirrored(true, true);
        case 4:
            return image.mirrored(false, true);
        case 5:
            return image.transformed(QTransform().rotate(90)).mirrored(true, false);
        case 6:
            return image.transformed(QTransform().rotate(90));
        case 7:
            return image.transformed(QTransform().rotate(270)).mirrored(true, false);
        case 8:
            return image.transformed(QTransform().rotate(270));
        default:
            return image;
    }
}

// Decodes the photo upright at the size `sizeFor` gives for its header
// (display orientation).
template <typename SizeFor>
Result<QImage> decodeUpright(const QString& path, SizeFor sizeFor) {
    Decoder d(path);
    auto header = openPhoto(d);
    if (!header) return std::unexpected(header.error());
    const QSize size = sizeFor(*header).expandedTo(QSize(1, 1));
    const QSize needed = header->swapsAxes() ? size.transposed() : size;

    d.info.scale_num = 1;
    d.info.scale_denom = scaleDenominator(*header, needed);
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;

    RowReducer reducer;
    if (!decodeRows(d, reducer, needed)) return std::unexpected(d.error());
    QImage image = upright(reducer.take(), header->exifOrientation);
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

}  // namespace

Result<PhotoHeader> readPhotoHeader(const QString& path) {
    Decoder d(path);
    return openPhoto(d);
}

QSize fittedRenderSize(QSize photo, QSize box) {
    const qint64 w = std::max(1, photo.width());
    const qint64 h = std::max(1, photo.height());
    const qint64 bw = std::max(1, box.width());
    const qint64 bh = std::max(1, box.height());
    // Within one pixel of the photo's proportions on either side: the box.
    if (std::abs(bh * w - h * bw) < std::max(w, h)) return QSize(int(bw), int(bh));
    if (h * bw / w <= bh) return QSize(int(bw), int(std::max<qint64>(1, h * bw / w)));
    return QSize(int(std::max<qint64>(1, w * bh / h)), int(bh));
}

Result<QImage> renderPhoto(const QString& path, QSize box) {
    return decodeUpright(path, [box](const PhotoHeader& header) {
        return fittedRenderSize(QSize(header.displayWidth(), header.displayHeight()), box);
    });
}

Result<QImage> renderPhotoStretched(const QString& path, QSize size) {
    return decodeUpright(path, [size](const PhotoHeader&) { return size; });
}

}  // namespace orvane
