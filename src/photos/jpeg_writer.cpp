#include "jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// libjpeg's header needs <cstdio> first.
#include <jpeglib.h>

#include "base/working_folder.h"
#include "templates/package.h"

namespace orvane {
namespace {

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

// One encoding session; the output buffer is malloc'ed by libjpeg.
struct Encoder {
    jpeg_compress_struct info;
    ErrorManager err;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;

    Encoder() {
        std::memset(&info, 0, sizeof info);
        info.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = onError;
    }
    ~Encoder() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

// `image` is Format_RGB32: on a little-endian machine its bytes are B, G, R, X.
bool encode(Encoder& e, const QImage& image) {
    if (setjmp(e.err.jump)) return false;
    jpeg_create_compress(&e.info);
    jpeg_mem_dest(&e.info, &e.buffer, &e.size);
    e.info.image_width = static_cast<JDIMENSION>(image.width());
    e.info.image_height = static_cast<JDIMENSION>(image.height());
    e.info.input_components = 4;
    e.info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, kJpegQuality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    while (e.info.next_scanline < e.info.image_height) {
        auto row =
            const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(e.info.next_scanline)));
        jpeg_write_scanlines(&e.info, &row, 1);
    }
    jpeg_finish_compress(&e.info);
    return true;
}

}  // namespace

Result<Bytes> encodeJpeg(const QImage& image) {
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the encoder reads RGB32 as B, G, R, X");
    if (image.isNull()) return fail(QStringLiteral("no picture to encode"));
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    Encoder e;
    if (!encode(e, rgb)) return fail(QString::fromLocal8Bit(e.err.message));
    return Bytes(e.buffer, e.buffer + e.size);
}

Result<void> saveJpeg(const QImage& image, const std::filesystem::path& path) {
    if (image.isNull())
        return fail(QStringLiteral("no picture to save as %1").arg(toQString(path)));
    auto bytes = encodeJpeg(image);
    if (!bytes)
        return fail(
            QStringLiteral("cannot encode %1: %2").arg(toQString(path), bytes.error().message));
    return writeWholeFile(path, *bytes);
}

Result<void> convertToJpeg(const std::filesystem::path& bitmap, const std::filesystem::path& target,
                           const QString& extension) {
    QImage image;
    if (!image.load(toQString(bitmap), "BMP"))
        return fail(QStringLiteral("cannot read the bitmap %1").arg(toQString(bitmap)));
    std::filesystem::path output = target;
    output.replace_extension(toPath(extension));
    return saveJpeg(image, output);
}

}  // namespace orvane
