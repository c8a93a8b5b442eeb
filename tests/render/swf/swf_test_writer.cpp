#include "render/swf/swf_test_writer.h"

#include <zlib.h>

#include <QBuffer>
#include <cmath>
#include <cstring>

namespace orvane::testing::swfw {

void BitWriter::ub(std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        if (m_bitPos == 0) m_bytes.push_back(0);
        if ((value >> i) & 1u) m_bytes.back() |= std::uint8_t(0x80 >> m_bitPos);
        m_bitPos = (m_bitPos + 1) % 8;
    }
}

void BitWriter::align() { m_bitPos = 0; }
void BitWriter::u8(int v) {
    align();
    m_bytes.push_back(std::uint8_t(v));
}
void BitWriter::u16(int v) {
    u8(v & 0xFF);
    u8((v >> 8) & 0xFF);
}
void BitWriter::u32(std::uint32_t v) {
    u16(int(v & 0xFFFF));
    u16(int(v >> 16));
}
void BitWriter::string(const QString& s) {
    align();
    const QByteArray utf8 = s.toUtf8();
    m_bytes.insert(m_bytes.end(), utf8.begin(), utf8.end());
    m_bytes.push_back(0);
}
void BitWriter::append(const Bytes& b) {
    align();
    m_bytes.insert(m_bytes.end(), b.begin(), b.end());
}
void BitWriter::rgba(const QColor& c) {
    u8(c.red());
    u8(c.green());
    u8(c.blue());
    u8(c.alpha());
}

int bitsForSigned(std::int64_t v) {
    int n = 1;
    while (!(v >= -(std::int64_t(1) << (n - 1)) && v < (std::int64_t(1) << (n - 1)))) ++n;
    return n;
}

Bytes rect(double x0, double x1, double y0, double y1) {
    const std::int32_t v[4] = {std::int32_t(x0), std::int32_t(x1), std::int32_t(y0),
                               std::int32_t(y1)};
    int n = 1;
    for (auto x : v) n = std::max(n, bitsForSigned(x));
    BitWriter w;
    w.ub(std::uint32_t(n), 5);
    for (auto x : v) w.sb(x, n);
    return w.bytes();
}

Bytes matrix(const QTransform& t) {
    BitWriter w;
    auto fixed = [](double d) { return std::int32_t(std::lround(d * 65536.0)); };
    const bool hasScale = t.m11() != 1 || t.m22() != 1;
    w.ub(hasScale, 1);
    if (hasScale) {
        const int n = std::max(bitsForSigned(fixed(t.m11())), bitsForSigned(fixed(t.m22())));
        w.ub(std::uint32_t(n), 5);
        w.sb(fixed(t.m11()), n);
        w.sb(fixed(t.m22()), n);
    }
    const bool hasRotate = t.m12() != 0 || t.m21() != 0;
    w.ub(hasRotate, 1);
    if (hasRotate) {
        const int n = std::max(bitsForSigned(fixed(t.m12())), bitsForSigned(fixed(t.m21())));
        w.ub(std::uint32_t(n), 5);
        w.sb(fixed(t.m12()), n);  // RotateSkew0
        w.sb(fixed(t.m21()), n);  // RotateSkew1
    }
    const auto tx = std::int32_t(std::lround(t.dx())), ty = std::int32_t(std::lround(t.dy()));
    const int n = std::max(bitsForSigned(tx), bitsForSigned(ty));
    w.ub(std::uint32_t(n), 5);
    w.sb(tx, n);
    w.sb(ty, n);
    return w.bytes();
}

Bytes colorTransform(const ColorTransform& cx) {
    BitWriter w;
    const int values[8] = {cx.multR, cx.multG, cx.multB, cx.multA,
                           cx.addR,  cx.addG,  cx.addB,  cx.addA};
    int n = 1;
    for (int v : values) n = std::max(n, bitsForSigned(v));
    w.ub(1, 1);
    w.ub(1, 1);
    w.ub(std::uint32_t(n), 4);
    for (int v : values) w.sb(v, n);
    return w.bytes();
}

Bytes solidFill(const QColor& c) {
    BitWriter w;
    w.u8(0x00);
    w.rgba(c);
    return w.bytes();
}

Bytes bitmapFill(int bitmapId, const QTransform& bitmapMatrix, int type) {
    BitWriter w;
    w.u8(type);
    w.u16(bitmapId);
    w.append(matrix(bitmapMatrix));
    return w.bytes();
}

Bytes linearGradientFill(const QTransform& m, const std::vector<std::pair<int, QColor>>& stops) {
    BitWriter w;
    w.u8(0x10);
    w.append(matrix(m));
    w.u8(int(stops.size()));
    for (const auto& [ratio, c] : stops) {
        w.u8(ratio);
        w.rgba(c);
    }
    return w.bytes();
}

void Actions::record(int code, const Bytes& payload) {
    m_bytes.push_back(std::uint8_t(code));
    if (code >= 0x80) {
        m_bytes.push_back(std::uint8_t(payload.size() & 0xFF));
        m_bytes.push_back(std::uint8_t(payload.size() >> 8));
        m_bytes.insert(m_bytes.end(), payload.begin(), payload.end());
    }
}

Actions& Actions::pushString(const QString& s) {
    BitWriter w;
    w.u8(0);
    w.string(s);
    record(0x96, w.bytes());
    return *this;
}

Actions& Actions::pushNumber(double d) {
    BitWriter w;
    w.u8(6);
    std::uint64_t bits;
    std::memcpy(&bits, &d, 8);
    w.u32(std::uint32_t(bits >> 32));
    w.u32(std::uint32_t(bits));
    record(0x96, w.bytes());
    return *this;
}

Actions& Actions::pushConstant(int index) {
    record(0x96, {8, std::uint8_t(index)});
    return *this;
}

Actions& Actions::constantPool(const std::vector<QString>& pool) {
    BitWriter w;
    w.u16(int(pool.size()));
    for (const QString& s : pool) w.string(s);
    record(0x88, w.bytes());
    return *this;
}

Actions& Actions::setVariable(const QString& name, const QString& value) {
    pushString(name);
    pushString(value);
    record(0x1D, {});
    return *this;
}

Actions& Actions::getVariable() {
    record(0x1C, {});
    return *this;
}
Actions& Actions::setVariableOp() {
    record(0x1D, {});
    return *this;
}
Actions& Actions::stop() {
    record(0x07, {});
    return *this;
}
Actions& Actions::play() {
    record(0x06, {});
    return *this;
}
Actions& Actions::gotoFrame(int frame) {
    record(0x81, {std::uint8_t(frame & 0xFF), std::uint8_t(frame >> 8)});
    return *this;
}
Actions& Actions::setTarget(const QString& path) {
    BitWriter w;
    w.string(path);
    record(0x8B, w.bytes());
    return *this;
}
Actions& Actions::fsCommand(const QString& command, const QString& args) {
    BitWriter w;
    w.string(QStringLiteral("FSCommand:") + command);
    w.string(args);
    record(0x83, w.bytes());
    return *this;
}
Actions& Actions::loadMovie(const QString& url, const QString& target) {
    pushString(url);
    pushString(target);
    record(0x9A, {0x40});
    return *this;
}
Actions& Actions::jump(int offset) {
    record(0x99, {std::uint8_t(offset & 0xFF), std::uint8_t((offset >> 8) & 0xFF)});
    return *this;
}
Actions& Actions::raw(const Bytes& b) {
    m_bytes.insert(m_bytes.end(), b.begin(), b.end());
    return *this;
}
Bytes Actions::take() const {
    Bytes b = m_bytes;
    b.push_back(0);
    return b;
}

void TagList::tag(int code, const Bytes& body) {
    const bool longForm =
        body.size() >= 0x3F || code == 20 || code == 21 || code == 35 || code == 36;
    const int header = code << 6 | (longForm ? 0x3F : int(body.size()));
    m_bytes.push_back(std::uint8_t(header & 0xFF));
    m_bytes.push_back(std::uint8_t(header >> 8));
    if (longForm) {
        const auto n = std::uint32_t(body.size());
        for (int i = 0; i < 4; ++i) m_bytes.push_back(std::uint8_t(n >> (8 * i)));
    }
    m_bytes.insert(m_bytes.end(), body.begin(), body.end());
}

void TagList::place(const Place& p) {
    BitWriter w;
    int flags = 0;
    if (p.move) flags |= 0x01;
    if (p.characterId) flags |= 0x02;
    if (p.matrix) flags |= 0x04;
    if (p.colorTransform) flags |= 0x08;
    if (p.ratio) flags |= 0x10;
    if (p.name) flags |= 0x20;
    if (p.clipDepth) flags |= 0x40;
    w.u8(flags);
    w.u16(p.depth);
    if (p.characterId) w.u16(*p.characterId);
    if (p.matrix) w.append(matrix(*p.matrix));
    if (p.colorTransform) w.append(colorTransform(*p.colorTransform));
    if (p.ratio) w.u16(*p.ratio);
    if (p.name) w.string(*p.name);
    if (p.clipDepth) w.u16(*p.clipDepth);
    tag(26, w.bytes());
}

void TagList::remove(int depth) {
    BitWriter w;
    w.u16(depth);
    tag(28, w.bytes());
}

void TagList::frameLabel(const QString& label) {
    BitWriter w;
    w.string(label);
    tag(43, w.bytes());
}

MovieWriter::MovieWriter(int widthPx, int heightPx, int frameRate, int version)
    : m_width(widthPx), m_height(heightPx), m_rate(frameRate), m_version(version) {
    tag(69, {0, 0, 0, 0});
}

void MovieWriter::background(const QColor& c) {
    tag(9, {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())});
}

void MovieWriter::polygonShape(int id, const std::vector<QPointF>& pointsPx, const Bytes& fill,
                               std::optional<std::pair<int, QColor>> line) {
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (QPointF p : pointsPx) {
        x0 = std::min(x0, p.x() * 20);
        x1 = std::max(x1, p.x() * 20);
        y0 = std::min(y0, p.y() * 20);
        y1 = std::max(y1, p.y() * 20);
    }
    BitWriter w;
    w.u16(id);
    w.append(rect(x0, x1, y0, y1));
    w.u8(1);
    w.append(fill);
    if (line) {
        w.u8(1);
        w.u16(line->first);
        w.rgba(line->second);
    } else {
        w.u8(0);
    }
    w.ub(1, 4);
    w.ub(line ? 1 : 0, 4);
    // Style change: move to the first point, fill1 = 1 (clockwise outline), line.
    const auto px = [](double v) { return std::int32_t(std::lround(v * 20)); };
    const std::int32_t sx = px(pointsPx[0].x()), sy = px(pointsPx[0].y());
    w.ub(0, 1);
    w.ub(line ? 0x0D : 0x05, 5);  // line style, fill style 1, move to
    const int n = std::max(bitsForSigned(sx), bitsForSigned(sy));
    w.ub(std::uint32_t(n), 5);
    w.sb(sx, n);
    w.sb(sy, n);
    w.ub(1, 1);  // fill1
    if (line) w.ub(1, 1);
    std::int32_t cx = sx, cy = sy;
    for (std::size_t i = 1; i <= pointsPx.size(); ++i) {
        const QPointF p = pointsPx[i % pointsPx.size()];
        const std::int32_t nx = px(p.x()), ny = px(p.y());
        const std::int32_t dx = nx - cx, dy = ny - cy;
        const int bits = std::max({bitsForSigned(dx), bitsForSigned(dy), 2});
        w.ub(1, 1);  // edge
        w.ub(1, 1);  // straight
        w.ub(std::uint32_t(bits - 2), 4);
        w.ub(1, 1);  // general line
        w.sb(dx, bits);
        w.sb(dy, bits);
        cx = nx;
        cy = ny;
    }
    w.ub(0, 6);  // end of shape
    tag(32, w.bytes());
}

void MovieWriter::rectShape(int id, const QRectF& r, const Bytes& fill) {
    polygonShape(id, {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}, fill);
}

void MovieWriter::losslessBitmap(int id, const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Bytes pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);  // unpremultiplied by pixel(); store premultiplied
            const QRgb pm = qPremultiply(p);
            pixels.insert(pixels.end(), {std::uint8_t(qAlpha(pm)), std::uint8_t(qRed(pm)),
                                         std::uint8_t(qGreen(pm)), std::uint8_t(qBlue(pm))});
        }
    }
    uLongf size = compressBound(uLong(pixels.size()));
    Bytes packed(size);
    compress(packed.data(), &size, pixels.data(), uLong(pixels.size()));
    packed.resize(size);
    BitWriter w;
    w.u16(id);
    w.u8(5);
    w.u16(image.width());
    w.u16(image.height());
    w.append(packed);
    tag(36, w.bytes());
}

QByteArray jpegBytes(const QImage& image, int quality) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return data;
}

void MovieWriter::jpegBitmap(int id, const QImage& image) {
    const QByteArray jpeg = jpegBytes(image);
    BitWriter w;
    w.u16(id);
    w.append(Bytes(jpeg.begin(), jpeg.end()));
    tag(21, w.bytes());
}

void MovieWriter::sprite(int id, int frameCount, TagList& tags) {
    BitWriter w;
    w.u16(id);
    w.u16(frameCount);
    w.append(tags.bytes());
    w.u16(0);  // End
    tag(39, w.bytes());
}

Bytes MovieWriter::finish(int frameCount, bool compressed) {
    BitWriter body;
    body.append(rect(0, m_width * 20, 0, m_height * 20));
    body.u16(m_rate << 8);
    body.u16(frameCount);
    body.append(bytes());
    body.u16(0);
    const Bytes& b = body.bytes();
    Bytes out = {std::uint8_t(compressed ? 'C' : 'F'), 'W', 'S', std::uint8_t(m_version)};
    const auto length = std::uint32_t(b.size() + 8);
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(length >> (8 * i)));
    if (!compressed) {
        out.insert(out.end(), b.begin(), b.end());
        return out;
    }
    uLongf size = compressBound(uLong(b.size()));
    Bytes packed(size);
    compress(packed.data(), &size, b.data(), uLong(b.size()));
    packed.resize(size);
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

}  // namespace orvane::testing::swfw
