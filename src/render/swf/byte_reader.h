#pragma once
// Bounds-checked little-endian byte and bit reading over a SWF buffer. Any
// read past the end throws ReadError, which the parser turns into a clear
// message; nothing is ever read outside the buffer.

#include <QColor>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "render/swf/swf_movie.h"

namespace orvane::swf {

class ReadError : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
};

class ByteReader {
   public:
    explicit ByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    void seek(std::size_t pos);
    void skip(std::size_t count);

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int16_t s16() { return std::int16_t(u16()); }
    float f32();
    double f64();  // SWF order: high 32-bit word first
    std::span<const std::uint8_t> bytes(std::size_t count);
    // A 0-terminated string; UTF-8 from version 6, Windows-1252 before.
    QString string(int version);

    // Bit fields, most significant bit first; alignToByte() drops the rest
    // of a partly read byte.
    std::uint32_t ub(int bits);
    std::int32_t sb(int bits);
    double fb(int bits) { return sb(bits) / 65536.0; }
    void alignToByte() { m_bitCount = 0; }

    QRectF rect();
    QTransform matrix();
    ColorTransform colorTransform(bool withAlpha);
    QColor rgb();
    QColor rgba();

   private:
    void need(std::size_t count) const;

    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
    std::uint32_t m_bitBuffer = 0;
    int m_bitCount = 0;
};

}  // namespace orvane::swf
