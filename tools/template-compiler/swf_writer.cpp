#include "swf_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace orvane::swfwrite {

void BitWriter::writeUB(std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        if (m_bitPos == 0) m_bytes.push_back(0);
        if ((value >> i) & 1u) m_bytes.back() |= static_cast<std::uint8_t>(0x80u >> m_bitPos);
        m_bitPos = (m_bitPos + 1) % 8;
    }
}

void BitWriter::writeSB(std::int32_t value, int bits) {
    if (bits == 0) return;
    const std::uint32_t mask = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u);
    writeUB(static_cast<std::uint32_t>(value) & mask, bits);
}

void BitWriter::align() { m_bitPos = 0; }

Bytes BitWriter::take() {
    m_bitPos = 0;
    return std::exchange(m_bytes, {});
}

int unsignedBits(std::uint32_t value) {
    int n = 0;
    while (value != 0) {
        ++n;
        value >>= 1;
    }
    return n;
}

int signedBits(std::int32_t value) {
    if (value == 0) return 0;
    // Bits of the magnitude plus the sign bit; -2^k needs only k + 1.
    const std::uint32_t magnitude =
        value < 0 ? static_cast<std::uint32_t>(~value) : static_cast<std::uint32_t>(value);
    return unsignedBits(magnitude) + 1;
}

namespace {

int bitsFor(std::initializer_list<std::int32_t> values) {
    int n = 0;
    for (std::int32_t v : values) n = std::max(n, signedBits(v));
    return n;
}

}  // namespace

void writeRect(BitWriter& w, const Rect& r) {
    const int n = bitsFor({r.xMin, r.xMax, r.yMin, r.yMax});
    w.writeUB(static_cast<std::uint32_t>(n), 5);
    w.writeSB(r.xMin, n);
    w.writeSB(r.xMax, n);
    w.writeSB(r.yMin, n);
    w.writeSB(r.yMax, n);
    w.align();
}

std::int32_t toFixed16(double value) {
    return static_cast<std::int32_t>(std::lround(value * 65536.0));
}

void writeMatrix(BitWriter& w, const Matrix& m) {
    const std::int32_t a = toFixed16(m.a), b = toFixed16(m.b), c = toFixed16(m.c),
                       d = toFixed16(m.d);
    const bool hasScale = a != 65536 || d != 65536;
    w.writeUB(hasScale ? 1 : 0, 1);
    if (hasScale) {
        const int n = bitsFor({a, d});
        w.writeUB(static_cast<std::uint32_t>(n), 5);
        w.writeSB(a, n);
        w.writeSB(d, n);
    }
    const bool hasRotate = b != 0 || c != 0;
    w.writeUB(hasRotate ? 1 : 0, 1);
    if (hasRotate) {
        const int n = bitsFor({b, c});
        w.writeUB(static_cast<std::uint32_t>(n), 5);
        w.writeSB(b, n);  // RotateSkew0
        w.writeSB(c, n);  // RotateSkew1
    }
    const int n = bitsFor({m.tx, m.ty});
    w.writeUB(static_cast<std::uint32_t>(n), 5);
    w.writeSB(m.tx, n);
    w.writeSB(m.ty, n);
    w.align();
}

void writeColorTransform(BitWriter& w, const ColorTransform& cx) {
    const bool hasMult = cx.rMul != 256 || cx.gMul != 256 || cx.bMul != 256 || cx.aMul != 256;
    const bool hasAdd = cx.rAdd != 0 || cx.gAdd != 0 || cx.bAdd != 0 || cx.aAdd != 0;
    int n = 0;
    if (hasMult) n = std::max(n, bitsFor({cx.rMul, cx.gMul, cx.bMul, cx.aMul}));
    if (hasAdd) n = std::max(n, bitsFor({cx.rAdd, cx.gAdd, cx.bAdd, cx.aAdd}));
    n = std::max(n, 1);
    w.writeUB(hasAdd ? 1 : 0, 1);
    w.writeUB(hasMult ? 1 : 0, 1);
    w.writeUB(static_cast<std::uint32_t>(n), 4);
    if (n > 15) throw std::invalid_argument("colour transform value out of range");
    if (hasMult) {
        for (std::int32_t v : {cx.rMul, cx.gMul, cx.bMul, cx.aMul}) w.writeSB(v, n);
    }
    if (hasAdd) {
        for (std::int32_t v : {cx.rAdd, cx.gAdd, cx.bAdd, cx.aAdd}) w.writeSB(v, n);
    }
    w.align();
}

void putU8(Bytes& out, std::uint8_t v) { out.push_back(v); }

void putU16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putU32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void putString(Bytes& out, const std::string& s) {
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
}

Bytes makeTag(int code, const Bytes& body, bool forceLong) {
    Bytes out;
    if (!forceLong && body.size() < 0x3F) {
        putU16(out, static_cast<std::uint16_t>(code << 6 | static_cast<int>(body.size())));
    } else {
        putU16(out, static_cast<std::uint16_t>(code << 6 | 0x3F));
        putU32(out, static_cast<std::uint32_t>(body.size()));
    }
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes placeObject2(const PlaceObject& p) {
    std::uint8_t flags = 0;
    if (p.clipDepth >= 0) flags |= 0x40;
    if (!p.name.empty()) flags |= 0x20;
    if (p.colorTransform) flags |= 0x08;
    if (p.matrix) flags |= 0x04;
    if (p.characterId >= 0) flags |= 0x02;
    if (p.move) flags |= 0x01;
    Bytes body;
    putU8(body, flags);
    putU16(body, p.depth);
    if (p.characterId >= 0) putU16(body, static_cast<std::uint16_t>(p.characterId));
    BitWriter bits;
    if (p.matrix) writeMatrix(bits, *p.matrix);
    if (p.colorTransform) writeColorTransform(bits, *p.colorTransform);
    const Bytes packed = bits.take();
    body.insert(body.end(), packed.begin(), packed.end());
    if (!p.name.empty()) putString(body, p.name);
    if (p.clipDepth >= 0) putU16(body, static_cast<std::uint16_t>(p.clipDepth));
    return makeTag(kPlaceObject2, body);
}

Bytes removeObject2(std::uint16_t depth) {
    Bytes body;
    putU16(body, depth);
    return makeTag(kRemoveObject2, body);
}

Bytes makeFile(int widthPx, int heightPx, int frameRate, int frameCount, const Bytes& tags) {
    Bytes body;
    BitWriter bits;
    writeRect(bits, {0, widthPx * 20, 0, heightPx * 20});
    body = bits.take();
    putU16(body, static_cast<std::uint16_t>(frameRate << 8));
    putU16(body, static_cast<std::uint16_t>(frameCount));
    body.insert(body.end(), tags.begin(), tags.end());
    Bytes out = {'F', 'W', 'S', 8};
    putU32(out, static_cast<std::uint32_t>(8 + body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes defineBitsLossless2(std::uint16_t id, int width, int height,
                          const std::vector<std::uint32_t>& premultipliedArgb) {
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF ||
        premultipliedArgb.size() != static_cast<std::size_t>(width) * height)
        throw std::invalid_argument("bad bitmap size");
    Bytes raw;
    raw.reserve(premultipliedArgb.size() * 4);
    for (std::uint32_t px : premultipliedArgb) {
        raw.push_back(static_cast<std::uint8_t>(px >> 24));  // A
        raw.push_back(static_cast<std::uint8_t>(px >> 16));  // R
        raw.push_back(static_cast<std::uint8_t>(px >> 8));   // G
        raw.push_back(static_cast<std::uint8_t>(px));        // B
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(size);
    if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw std::runtime_error("zlib compress failed");
    packed.resize(size);
    Bytes body;
    putU16(body, id);
    putU8(body, 5);
    putU16(body, static_cast<std::uint16_t>(width));
    putU16(body, static_cast<std::uint16_t>(height));
    body.insert(body.end(), packed.begin(), packed.end());
    return makeTag(kDefineBitsLossless2, body, true);
}

namespace action {

namespace {
Bytes record(std::uint8_t code, const Bytes& payload) {
    Bytes out;
    putU8(out, code);
    putU16(out, static_cast<std::uint16_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}
}  // namespace

Bytes push(const std::vector<std::string>& strings) {
    Bytes payload;
    for (const std::string& s : strings) {
        putU8(payload, 0);  // type 0: string
        putString(payload, s);
    }
    return record(0x96, payload);
}

Bytes setVariable() { return {0x1D}; }

Bytes getUrl(const std::string& url, const std::string& target) {
    Bytes payload;
    putString(payload, url);
    putString(payload, target);
    return record(0x83, payload);
}

Bytes loadMovie() { return record(0x9A, {0x40}); }

Bytes stop() { return {0x07}; }

Bytes end() { return {0x00}; }

}  // namespace action

}  // namespace orvane::swfwrite
