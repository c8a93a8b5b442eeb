#include "base/file_io.h"

#include <QBuffer>
#include <QImage>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/working_folder.h"

namespace orvane {
namespace {

// Writes and closes: a full disk often shows only when the last buffer is
// flushed at close, so the close is checked too. The message carries the
// system's reason ("File too large", "No space left on device").
Result<void> writeAndClose(const std::filesystem::path& path, const Bytes& bytes) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    if (out) out.close();
    if (!out) {
        const int error = errno;
        return fail(error ? QStringLiteral("cannot write %1: %2")
                                .arg(toQString(path), QString::fromLocal8Bit(std::strerror(error)))
                          : QStringLiteral("cannot write %1").arg(toQString(path)));
    }
    return {};
}

}  // namespace

Result<Bytes> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(QStringLiteral("cannot open %1").arg(toQString(path)));
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) return fail(QStringLiteral("cannot read %1").arg(toQString(path)));
    Bytes bytes(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
        return fail(QStringLiteral("cannot read %1").arg(toQString(path)));
    return bytes;
}

Result<void> writeWholeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::path temporary = path;
    temporary += ".part";
    // Writing a fresh file and renaming it onto a path that no longer exists
    // keeps ext4 from flushing the data at once, as it does when a file is
    // replaced by truncation or by a rename over it.
    std::error_code stale;
    std::filesystem::remove(temporary, stale);
    if (auto written = writeAndClose(temporary, bytes); !written) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return fail(written.error().message.replace(toQString(temporary), toQString(path)));
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return fail(QStringLiteral("cannot write %1").arg(toQString(path)));
    }
    return {};
}

// Intermediate files need no atomic replacement: they are removed and
// written anew (replacing a file by truncation makes ext4 flush it at once).
Result<void> writeFreshFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    auto written = writeAndClose(path, bytes);
    if (!written) std::filesystem::remove(path, ignored);  // no half file
    return written;
}

Result<void> writeImageFile(const QImage& image, const std::filesystem::path& path,
                            const char* format) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        return fail(QStringLiteral("cannot encode %1").arg(toQString(path)));
    return writeWholeFile(path, Bytes(encoded.begin(), encoded.end()));
}

}  // namespace orvane
