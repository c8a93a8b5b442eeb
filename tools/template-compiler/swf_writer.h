#pragma once
// Writes SWF files of the subset that Orvane's player reads: bit-packed
// structures (RECT, MATRIX, CXFORMWITHALPHA, shape records), tags with
// their record headers, and the file header. Pure byte work, no Qt.

#include <cstdint>
#include <string>
#include <vector>

// Its own namespace: the player's orvane::swf has types of the same names
// (FillStyle, LineStyle, ColorTransform, PlaceObject) with other layouts, and
// binaries link both.
namespace orvane::swfwrite {

using Bytes = std::vector<std::uint8_t>;

// Bit fields packed most-significant bit first; align() pads to a byte.
class BitWriter {
   public:
    void writeUB(std::uint32_t value, int bits);
    void writeSB(std::int32_t value, int bits);
    void align();
    const Bytes& bytes() const { return m_bytes; }
    Bytes take();

   private:
    Bytes m_bytes;
    int m_bitPos = 0;  // bits used in the last byte, 0 = none
};

// Bits needed to hold a signed (two's complement) or unsigned value.
int signedBits(std::int32_t value);
int unsignedBits(std::uint32_t value);

struct Rect {
    std::int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;  // twips
};

// x' = a·x + c·y + tx, y' = b·x + d·y + ty; tx, ty in twips.
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1;
    std::int32_t tx = 0, ty = 0;
    bool operator==(const Matrix&) const = default;
};

// Multipliers in 8.8 (256 = 1.0), adds in 0..255 units.
struct ColorTransform {
    std::int32_t rMul = 256, gMul = 256, bMul = 256, aMul = 256;
    std::int32_t rAdd = 0, gAdd = 0, bAdd = 0, aAdd = 0;
    bool operator==(const ColorTransform&) const = default;
    bool isIdentity() const { return *this == ColorTransform{}; }
};

void writeRect(BitWriter& w, const Rect& r);
void writeMatrix(BitWriter& w, const Matrix& m);
void writeColorTransform(BitWriter& w, const ColorTransform& cx);

// 16.16 fixed point as written in MATRIX fields.
std::int32_t toFixed16(double value);

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

// Little-endian byte appenders.
void putU8(Bytes& out, std::uint8_t v);
void putU16(Bytes& out, std::uint16_t v);
void putU32(Bytes& out, std::uint32_t v);
void putString(Bytes& out, const std::string& s);  // with its 0 byte

// One tag with its record header; `forceLong` writes the long form.
Bytes makeTag(int code, const Bytes& body, bool forceLong = false);

enum TagCode : int {
    kEnd = 0,
    kShowFrame = 1,
    kSetBackgroundColor = 9,
    kDoAction = 12,
    kPlaceObject2 = 26,
    kRemoveObject2 = 28,
    kDefineShape3 = 32,
    kDefineBitsLossless2 = 36,
    kDefineSprite = 39,
    kFrameLabel = 43,
    kFileAttributes = 69,
};

// A PlaceObject2 record; absent optional fields keep the old value.
struct PlaceObject {
    std::uint16_t depth = 1;
    bool move = false;
    int characterId = -1;  // < 0: absent
    const Matrix* matrix = nullptr;
    const ColorTransform* colorTransform = nullptr;
    std::string name;    // empty: absent
    int clipDepth = -1;  // < 0: absent
};
Bytes placeObject2(const PlaceObject& p);
Bytes removeObject2(std::uint16_t depth);

// The whole file: FWS header, version 8, then the tags as given (the caller
// puts FileAttributes first and End last).
Bytes makeFile(int widthPx, int heightPx, int frameRate, int frameCount, const Bytes& tags);

// DefineBitsLossless2, format 5, from premultiplied ARGB32 pixels in the
// host's native 0xAARRGGBB words, row after row.
Bytes defineBitsLossless2(std::uint16_t id, int width, int height,
                          const std::vector<std::uint32_t>& premultipliedArgb);

// AVM1 action bytes.
namespace action {
Bytes push(const std::vector<std::string>& strings);
Bytes setVariable();
Bytes getUrl(const std::string& url, const std::string& target);
Bytes loadMovie();  // GetURL2 with the load-target flag; pops target then url
Bytes stop();
Bytes end();
}  // namespace action

}  // namespace orvane::swfwrite
