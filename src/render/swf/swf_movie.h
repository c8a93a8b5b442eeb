#pragma once
// The parsed form of a SWF movie: header, dictionary (shapes, bitmaps,
// sprites) and the root timeline as lists of control tags per frame. A Movie
// is built once by parseMovie() and never changed afterwards, so players may
// share it.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <variant>
#include <vector>

namespace orvane::swf {

using Bytes = std::vector<std::uint8_t>;

// Colour transform with alpha: channel = clamp(c * mult / 256 + add).
struct ColorTransform {
    int multR = 256, multG = 256, multB = 256, multA = 256;
    int addR = 0, addG = 0, addB = 0, addA = 0;

    bool isIdentity() const {
        return multR == 256 && multG == 256 && multB == 256 && multA == 256 && addR == 0 &&
               addG == 0 && addB == 0 && addA == 0;
    }
    // Only the alpha is scaled: painting can use the painter's opacity.
    bool isAlphaOnly() const {
        return multR == 256 && multG == 256 && multB == 256 && addR == 0 && addG == 0 &&
               addB == 0 && addA == 0;
    }
    // This transform applied first, then `parent`.
    ColorTransform then(const ColorTransform& parent) const;
    QColor apply(const QColor& c) const;
    bool operator==(const ColorTransform&) const = default;
};

enum class SpreadMode { Pad, Reflect, Repeat };

struct Gradient {
    QTransform matrix;  // gradient square -16384..16384 to shape twips
    SpreadMode spread = SpreadMode::Pad;
    std::vector<std::pair<double, QColor>> stops;  // ratio 0..1
    double focalPoint = 0;
};

struct FillStyle {
    enum class Kind { Solid, LinearGradient, RadialGradient, FocalGradient, Bitmap };
    Kind kind = Kind::Solid;
    QColor color;
    Gradient gradient;
    std::uint16_t bitmapId = 0;
    QTransform bitmapMatrix;  // bitmap pixels to shape twips
    bool repeating = false;
    bool smoothed = true;
};

struct LineStyle {
    int width = 20;  // twips
    QColor color;
    std::optional<FillStyle> fill;  // DefineShape4 strokes may be filled
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    double miterLimit = 3;
};

// One filled region of a shape: the closed contours of one fill style.
struct ShapeFill {
    FillStyle style;
    QPainterPath path;  // twips
    // For bitmap fills whose outline is an axis-aligned rectangle: that
    // rectangle, so painting can draw the image directly.
    std::optional<QRectF> rect;
};

struct ShapeStroke {
    LineStyle style;
    QPainterPath path;  // twips, open or closed
};

struct ShapeLayer {
    std::vector<ShapeFill> fills;
    std::vector<ShapeStroke> strokes;
};

struct Shape {
    QRectF bounds;  // twips, as the file says
    std::vector<ShapeLayer> layers;
    QPainterPath coverage;  // union of all fills, for masks
    // What painting the fills and strokes may touch, twips, from the paths
    // themselves (the file's bounds may be wrong).
    QRectF extent;
};

struct Bitmap {
    QImage image;  // Format_ARGB32_Premultiplied, or Format_RGB32 when opaque
};

struct PlaceObject {
    int depth = 0;
    bool move = false;
    std::optional<std::uint16_t> characterId;
    std::optional<QTransform> matrix;
    std::optional<ColorTransform> colorTransform;
    std::optional<int> ratio;
    std::optional<QString> name;
    std::optional<int> clipDepth;
};

struct RemoveObject {
    int depth = 0;
};

struct DoAction {
    std::shared_ptr<const Bytes> code;
};

using ControlTag = std::variant<PlaceObject, RemoveObject, DoAction>;

struct Frame {
    std::vector<ControlTag> tags;
    QString label;
};

struct Timeline {
    // The frames the file holds; the declared frames after them are empty
    // (kept implicit so that a count in a header costs no memory).
    std::vector<Frame> frames;
    int frameCount = 1;  // declared, at least 1
    const Frame& frame(int index) const {
        static const Frame empty;
        return index >= 0 && std::size_t(index) < frames.size() ? frames[std::size_t(index)]
                                                                : empty;
    }
    int frameIndexOfLabel(const QString& label) const;  // -1 if none
};

struct Sprite {
    Timeline timeline;
};

using Character = std::variant<Shape, Bitmap, Sprite>;

// Limits that keep hostile files from exhausting the machine.
inline constexpr int kMaxStagePixels = 8192;
inline constexpr int kMaxFrames = 100000;
inline constexpr int kMaxNesting = 64;
inline constexpr std::int64_t kMaxBitmapPixels = 64LL * 1000 * 1000;
inline constexpr std::int64_t kMaxTotalBitmapPixels = 128LL * 1000 * 1000;
inline constexpr std::int64_t kMaxUncompressedBytes = 512LL * 1024 * 1024;
// Shapes that make one mask (a sprite used as a mask, counted from the file).
inline constexpr std::int64_t kMaxMaskShapes = 256;

class Movie {
   public:
    int version = 0;
    QRectF stage;  // twips
    double frameRate = 0;
    QColor background = Qt::white;
    std::unordered_map<std::uint16_t, Character> dictionary;
    Timeline root;

    int frameCount() const { return root.frameCount; }
    int stageWidthPixels() const { return int(stage.width() / 20.0 + 0.5); }
    int stageHeightPixels() const { return int(stage.height() / 20.0 + 0.5); }
    const Character* character(std::uint16_t id) const {
        auto it = dictionary.find(id);
        return it == dictionary.end() ? nullptr : &it->second;
    }
};

}  // namespace orvane::swf
