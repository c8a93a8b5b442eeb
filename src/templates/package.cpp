#include "templates/package.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/working_folder.h"

namespace orvane {
namespace {

std::int32_t readLength(const Bytes& stream) {
    std::uint32_t n = static_cast<std::uint32_t>(stream[0]) |
                      static_cast<std::uint32_t>(stream[1]) << 8 |
                      static_cast<std::uint32_t>(stream[2]) << 16 |
                      static_cast<std::uint32_t>(stream[3]) << 24;
    return static_cast<std::int32_t>(n);
}

}  // namespace

Result<void> inflateLayer(Bytes& stream) {
    if (stream.empty()) return {};
    if (stream.size() < 4)
        return fail(QStringLiteral("layer of %1 bytes is too short for its length header")
                        .arg(stream.size()));
    const std::int64_t announced = readLength(stream);
    const std::int64_t compressed = static_cast<std::int64_t>(stream.size()) - 4;
    if (announced < 0)
        return fail(QStringLiteral("layer announces a negative length (%1)").arg(announced));
    if (announced > kMaxLayerBytes || announced > compressed * kMaxInflateRatio)
        return fail(QStringLiteral("layer announces %1 bytes from %2 compressed bytes, "
                                   "more than a sane package holds")
                        .arg(announced)
                        .arg(compressed));

    Bytes out(static_cast<std::size_t>(announced));
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return fail(QStringLiteral("zlib could not start"));
    z.next_in = stream.data() + 4;
    z.avail_in = static_cast<uInt>(compressed);
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    int rc = Z_OK;
    // Only the first N bytes count: stop as soon as the buffer is full.
    while (z.avail_out > 0) {
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK) break;
    }
    const std::size_t produced = out.size() - z.avail_out;
    const char* zmsg = z.msg;
    inflateEnd(&z);

    if (produced < out.size()) {
        if (rc == Z_STREAM_END || rc == Z_BUF_ERROR)
            return fail(QStringLiteral("layer inflates to %1 bytes but announces %2")
                            .arg(produced)
                            .arg(announced));
        return fail(QStringLiteral("corrupt zlib data (%1)")
                        .arg(QString::fromLatin1(zmsg ? zmsg : zError(rc))));
    }
    stream = std::move(out);
    return {};
}

bool isPackageFileName(const std::filesystem::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".rar" || ext == ".RAR";
}

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
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) out.write(reinterpret_cast<const char*>(bytes.data()),
                           static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return fail(QStringLiteral("cannot write %1").arg(toQString(path)));
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return fail(QStringLiteral("cannot write %1").arg(toQString(path)));
    }
    return {};
}

Result<void> unpackPackage(const std::filesystem::path& source,
                           const IntermediateNaming& intermediate,
                           const std::filesystem::path& payload) {
    const QString name = toQString(source);
    auto loaded = readWholeFile(source);
    if (!loaded) return fail(QStringLiteral("template package %1: %2").arg(name, loaded.error().message));
    Bytes data = std::move(*loaded);
    // Each intermediate file is written as the format requires; the next layer
    // is taken from memory rather than read back from that same file.
    for (int n = 1; n <= kPackageLayers; ++n) {
        if (auto ok = inflateLayer(data); !ok)
            return fail(QStringLiteral("template package %1 is damaged at layer %2: %3")
                            .arg(name)
                            .arg(n)
                            .arg(ok.error().message));
        const std::filesystem::path target = n < kPackageLayers ? intermediate(n) : payload;
        if (auto ok = writeWholeFile(target, data); !ok)
            return fail(QStringLiteral("template package %1: %2").arg(name, ok.error().message));
    }
    return {};
}

}  // namespace orvane
