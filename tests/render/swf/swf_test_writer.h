#pragma once
// A small SWF writer for the player tests: enough to build movies with
// rectangles and polygons (solid, gradient and bitmap fills), bitmaps,
// sprites, placements, masks, colour transforms and actions.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvane::testing::swfw {

using Bytes = std::vector<std::uint8_t>;

class BitWriter {
   public:
    void ub(std::uint32_t value, int bits);
    void sb(std::int32_t value, int bits) {
        ub(std::uint32_t(value) & (bits == 32 ? ~0u : ((1u << bits) - 1)), bits);
    }
    void align();
    void u8(int v);
    void u16(int v);
    void u32(std::uint32_t v);
    void string(const QString& s);
    void append(const Bytes& b);
    void rgba(const QColor& c);
    Bytes& bytes() {
        align();
        return m_bytes;
    }

   private:
    Bytes m_bytes;
    int m_bitPos = 0;  // bits used in the last byte (0 = byte aligned)
};

int bitsForSigned(std::int64_t v);
Bytes rect(double x0, double x1, double y0, double y1);  // twips
Bytes matrix(const QTransform& t);                       // translation in twips
struct ColorTransform {
    int multR = 256, multG = 256, multB = 256, multA = 256;
    int addR = 0, addG = 0, addB = 0, addA = 0;
};
Bytes colorTransform(const ColorTransform& cx);

// Fill style bodies (DefineShape3 colours are RGBA).
Bytes solidFill(const QColor& c);
Bytes bitmapFill(int bitmapId, const QTransform& bitmapMatrix, int type = 0x41);
Bytes linearGradientFill(const QTransform& m, const std::vector<std::pair<int, QColor>>& stops);

// Actions, ended by action End when taken.
class Actions {
   public:
    Actions& pushString(const QString& s);
    Actions& pushNumber(double d);
    Actions& pushConstant(int index);
    Actions& constantPool(const std::vector<QString>& pool);
    Actions& setVariable(const QString& name, const QString& value);  // push, push, SetVariable
    Actions& getVariable();
    Actions& setVariableOp();
    Actions& stop();
    Actions& play();
    Actions& gotoFrame(int frame);
    Actions& setTarget(const QString& path);
    Actions& fsCommand(const QString& command, const QString& args);
    Actions& loadMovie(const QString& url, const QString& target);
    Actions& jump(int offset);
    Actions& raw(const Bytes& b);
    Bytes take() const;

   private:
    void record(int code, const Bytes& payload);
    Bytes m_bytes;
};

struct Place {
    explicit Place(int d) : depth(d) {}
    Place& id(int c) {
        characterId = c;
        return *this;
    }
    Place& moving() {
        move = true;
        return *this;
    }
    Place& at(const QTransform& m) {
        matrix = m;
        return *this;
    }
    Place& tint(const ColorTransform& c) {
        colorTransform = c;
        return *this;
    }
    Place& withRatio(int r) {
        ratio = r;
        return *this;
    }
    Place& named(const QString& n) {
        name = n;
        return *this;
    }
    Place& masking(int d) {
        clipDepth = d;
        return *this;
    }

    int depth = 1;
    std::optional<int> characterId;
    bool move = false;
    std::optional<QTransform> matrix;
    std::optional<ColorTransform> colorTransform;
    std::optional<int> ratio;
    std::optional<QString> name;
    std::optional<int> clipDepth;
};

class TagList {
   public:
    void tag(int code, const Bytes& body);
    void place(const Place& p);
    void remove(int depth);
    void showFrame() { tag(1, {}); }
    void doAction(const Actions& a) { tag(12, a.take()); }
    void frameLabel(const QString& label);
    Bytes& bytes() { return m_bytes; }

   private:
    Bytes m_bytes;
};

class MovieWriter : public TagList {
   public:
    MovieWriter(int widthPx, int heightPx, int frameRate = 25, int version = 8);
    void background(const QColor& c);
    // A shape of one polygon (pixels) with one fill style body, optionally stroked.
    void polygonShape(int id, const std::vector<QPointF>& pointsPx, const Bytes& fill,
                      std::optional<std::pair<int, QColor>> line = std::nullopt);
    void rectShape(int id, const QRectF& px, const Bytes& fill);
    void losslessBitmap(int id, const QImage& image);  // DefineBitsLossless2
    void jpegBitmap(int id, const QImage& image);      // DefineBitsJPEG2
    void sprite(int id, int frameCount, TagList& tags);
    Bytes finish(int frameCount, bool compressed = false);

   private:
    int m_width, m_height, m_rate, m_version;
};

QByteArray jpegBytes(const QImage& image, int quality = 95);

}  // namespace orvane::testing::swfw
