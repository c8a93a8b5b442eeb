#include "render/swf/byte_reader.h"

#include <QStringDecoder>
#include <bit>
#include <cstring>

namespace orvane::swf {

void ByteReader::need(std::size_t count) const {
    if (count > m_data.size() - m_pos) throw ReadError("the data ends too early");
}

void ByteReader::seek(std::size_t pos) {
    if (pos > m_data.size()) throw ReadError("the data ends too early");
    m_pos = pos;
    m_bitCount = 0;
}

void ByteReader::skip(std::size_t count) {
    need(count);
    m_pos += count;
    m_bitCount = 0;
}

std::uint8_t ByteReader::u8() {
    need(1);
    m_bitCount = 0;
    return m_data[m_pos++];
}

std::uint16_t ByteReader::u16() {
    need(2);
    m_bitCount = 0;
    std::uint16_t v = std::uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::uint32_t ByteReader::u32() {
    need(4);
    m_bitCount = 0;
    std::uint32_t v = std::uint32_t(m_data[m_pos]) | std::uint32_t(m_data[m_pos + 1]) << 8 |
                      std::uint32_t(m_data[m_pos + 2]) << 16 |
                      std::uint32_t(m_data[m_pos + 3]) << 24;
    m_pos += 4;
    return v;
}

float ByteReader::f32() { return std::bit_cast<float>(u32()); }

double ByteReader::f64() {
    const std::uint64_t high = u32();
    const std::uint64_t low = u32();
    return std::bit_cast<double>(high << 32 | low);
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count) {
    need(count);
    m_bitCount = 0;
    auto result = m_data.subspan(m_pos, count);
    m_pos += count;
    return result;
}

QString ByteReader::string(int version) {
    m_bitCount = 0;
    const std::uint8_t* begin = m_data.data() + m_pos;
    const void* zero = std::memchr(begin, 0, m_data.size() - m_pos);
    if (!zero) throw ReadError("a text is not terminated");
    const std::size_t length = static_cast<const std::uint8_t*>(zero) - begin;
    m_pos += length + 1;
    const QByteArrayView raw(reinterpret_cast<const char*>(begin), qsizetype(length));
    if (version >= 6) return QString::fromUtf8(raw);
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid()) return QString::fromLatin1(raw);
    return decoder(raw);
}

std::uint32_t ByteReader::ub(int bits) {
    std::uint32_t value = 0;
    for (int i = 0; i < bits; ++i) {
        if (m_bitCount == 0) {
            need(1);
            m_bitBuffer = m_data[m_pos++];
            m_bitCount = 8;
        }
        --m_bitCount;
        value = (value << 1) | ((m_bitBuffer >> m_bitCount) & 1u);
    }
    return value;
}

std::int32_t ByteReader::sb(int bits) {
    if (bits == 0) return 0;
    const std::uint32_t raw = ub(bits);
    if (bits < 32 && (raw & (1u << (bits - 1)))) return std::int32_t(raw | (~0u << bits));
    return std::int32_t(raw);
}

QRectF ByteReader::rect() {
    alignToByte();
    const int n = int(ub(5));
    const double xmin = sb(n), xmax = sb(n), ymin = sb(n), ymax = sb(n);
    alignToByte();
    return QRectF(QPointF(xmin, ymin), QPointF(xmax, ymax));
}

QTransform ByteReader::matrix() {
    alignToByte();
    double scaleX = 1, scaleY = 1, skew0 = 0, skew1 = 0;
    if (ub(1)) {
        const int n = int(ub(5));
        scaleX = fb(n);
        scaleY = fb(n);
    }
    if (ub(1)) {
        const int n = int(ub(5));
        skew0 = fb(n);
        skew1 = fb(n);
    }
    const int n = int(ub(5));
    const double tx = sb(n), ty = sb(n);
    alignToByte();
    return QTransform(scaleX, skew0, skew1, scaleY, tx, ty);
}

ColorTransform ByteReader::colorTransform(bool withAlpha) {
    alignToByte();
    ColorTransform cx;
    const bool hasAdd = ub(1);
    const bool hasMult = ub(1);
    const int n = int(ub(4));
    if (hasMult) {
        cx.multR = sb(n);
        cx.multG = sb(n);
        cx.multB = sb(n);
        if (withAlpha) cx.multA = sb(n);
    }
    if (hasAdd) {
        cx.addR = sb(n);
        cx.addG = sb(n);
        cx.addB = sb(n);
        if (withAlpha) cx.addA = sb(n);
    }
    alignToByte();
    return cx;
}

QColor ByteReader::rgb() {
    const int r = u8(), g = u8(), b = u8();
    return QColor(r, g, b);
}

QColor ByteReader::rgba() {
    const int r = u8(), g = u8(), b = u8(), a = u8();
    return QColor(r, g, b, a);
}

}  // namespace orvane::swf
