#include "templates/package.h"

#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>

#include "base/working_folder.h"

namespace orvane {
namespace {

std::int32_t readLength(const Bytes& stream) {
    std::uint32_t n =
        static_cast<std::uint32_t>(stream[0]) | static_cast<std::uint32_t>(stream[1]) << 8 |
        static_cast<std::uint32_t>(stream[2]) << 16 | static_cast<std::uint32_t>(stream[3]) << 24;
    return static_cast<std::int32_t>(n);
}

// Inflates the layer in `in` into `out` (whose capacity is reused). An inner
// layer holds the next layer, which is compressed data: it can only be a
// little larger than its own compressed stream.
Result<void> inflateInto(const Bytes& in, Bytes& out, bool inner,
                         std::int64_t maxBytes = kMaxLayerBytes) {
    if (in.size() < 4)
        return fail(
            QStringLiteral("layer of %1 bytes is too short for its length header").arg(in.size()));
    const std::int64_t announced = readLength(in);
    const std::int64_t compressed = static_cast<std::int64_t>(in.size()) - 4;
    if (announced < 0)
        return fail(QStringLiteral("layer announces a negative length (%1)").arg(announced));
    if (announced > maxBytes && maxBytes < kMaxLayerBytes)
        return fail(QStringLiteral("the payload announces %1 bytes, more than the %2 bytes a "
                                   "template holds")
                        .arg(announced)
                        .arg(maxBytes));
    if (announced > kMaxLayerBytes || announced > compressed * kMaxInflateRatio)
        return fail(QStringLiteral("layer announces %1 bytes from %2 compressed bytes, "
                                   "more than a sane package holds")
                        .arg(announced)
                        .arg(compressed));
    if (inner && announced > compressed + compressed / 8 + kInnerLayerSlack)
        return fail(QStringLiteral("inner layer announces %1 bytes from %2 compressed bytes; "
                                   "an inner layer holds compressed data and cannot grow so much")
                        .arg(announced)
                        .arg(compressed));

    out.resize(static_cast<std::size_t>(announced));
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return fail(QStringLiteral("zlib could not start"));
    z.next_in = const_cast<Bytef*>(in.data()) + 4;
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
    // Only the first N bytes are kept, but the stream is read to its end so
    // that its checksum is checked: a flipped bit must not pass as content.
    // Whatever follows the N bytes is bounded by the ratio rule above.
    if (produced == out.size() && rc == Z_OK) {
        std::array<Bytef, 16384> scratch;
        std::int64_t extra = 0;
        while (rc == Z_OK) {
            z.next_out = scratch.data();
            z.avail_out = static_cast<uInt>(scratch.size());
            rc = inflate(&z, Z_NO_FLUSH);
            extra += static_cast<std::int64_t>(scratch.size() - z.avail_out);
            if (extra > compressed * kMaxInflateRatio) break;
        }
        if (rc == Z_OK) rc = Z_DATA_ERROR;
    }
    const QString zlibMessage = QString::fromLatin1(z.msg ? z.msg : zError(rc));
    inflateEnd(&z);

    if (produced < out.size()) {
        if (rc == Z_STREAM_END || rc == Z_BUF_ERROR)
            return fail(QStringLiteral("layer inflates to %1 bytes but announces %2")
                            .arg(produced)
                            .arg(announced));
        return fail(QStringLiteral("corrupt zlib data (%1)").arg(zlibMessage));
    }
    if (rc == Z_BUF_ERROR) return fail(QStringLiteral("the zlib stream is cut short"));
    if (rc != Z_STREAM_END) return fail(QStringLiteral("corrupt zlib data (%1)").arg(zlibMessage));
    return {};
}

// True when `payload` is itself a whole layer: a length header and a zlib
// stream inflating to exactly that length. Neither an INI text nor a SWF
// movie begins like that.
bool looksLikeLayer(const Bytes& payload) {
    if (payload.size() < 6) return false;
    const unsigned cmf = payload[4], flg = payload[5];
    if ((cmf & 0x0f) != 8 || (cmf * 256 + flg) % 31 != 0) return false;
    Bytes inflated;
    return inflateInto(payload, inflated, false).has_value();
}

}  // namespace

Result<void> inflateLayer(Bytes& stream) {
    if (stream.empty()) return {};
    Bytes out;
    if (auto ok = inflateInto(stream, out, false); !ok) return ok;
    stream = std::move(out);
    return {};
}

bool isPackageFileName(const std::filesystem::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".rar" || ext == ".RAR";
}

Result<void> unpackPackage(const std::filesystem::path& source,
                           const IntermediateNaming& intermediate,
                           const std::filesystem::path& payload) {
    const QString name = toQString(source);
    auto loaded = readWholeFile(source);
    if (!loaded)
        return fail(QStringLiteral("template package %1: %2").arg(name, loaded.error().message));

    // Each intermediate file is written as the format requires, but the next
    // layer is inflated from memory while the previous one is being written
    // on another thread. Three buffers rotate: the layer being read (and
    // written out), the layer being inflated into, and a free one.
    std::array<Bytes, 3> buffers;
    buffers[0] = std::move(*loaded);
    std::size_t in = 0;
    std::future<Result<void>> pendingWrite;
    auto finishPendingWrite = [&]() -> Result<void> {
        if (!pendingWrite.valid()) return {};
        return pendingWrite.get();
    };
    for (int n = 1; n <= kPackageLayers; ++n) {
        std::size_t out = in;
        if (!buffers[in].empty()) {
            out = (in + 1) % 3;
            const bool inner = n < kPackageLayers;
            auto ok = inflateInto(buffers[in], buffers[out], inner,
                                  inner ? kMaxLayerBytes : kMaxPayloadBytes);
            // Only an empty package passes empty layers on; a layer that
            // inflates to nothing leaves no payload to use.
            if (ok && buffers[out].empty())
                ok = fail(QStringLiteral("the layer inflates to 0 bytes"));
            if (ok && !inner && looksLikeLayer(buffers[out]))
                ok = fail(QStringLiteral("the payload is another zlib layer: the package has more "
                                         "than %1 layers")
                              .arg(kPackageLayers));
            if (!ok) {
                (void)finishPendingWrite();
                return fail(QStringLiteral("template package %1 is damaged at layer %2: %3")
                                .arg(name)
                                .arg(n)
                                .arg(ok.error().message));
            }
        }
        if (auto ok = finishPendingWrite(); !ok)
            return fail(QStringLiteral("template package %1: %2").arg(name, ok.error().message));
        if (n == kPackageLayers) {
            if (auto ok = writeWholeFile(payload, buffers[out]); !ok)
                return fail(
                    QStringLiteral("template package %1: %2").arg(name, ok.error().message));
        } else {
            pendingWrite = std::async(std::launch::async, writeFreshFile, intermediate(n),
                                      std::cref(buffers[out]));
        }
        in = out;
    }
    return {};
}

}  // namespace orvane
