#pragma once
// Painting the frame a Player shows into a QImage with QPainter: the stage
// scaled to the image with its proportions kept and centred, black outside,
// the stage background inside, then the display list from low to high depth
// with masks (clip depth) and colour transforms. Anti-aliased, bitmaps
// smoothed unless their fill says otherwise.
//
// The painter keeps colour-transformed copies of bitmaps between frames, so
// painting the same kind of frame again allocates no full-size images. Use
// one Painter from one thread at a time.

#include <QImage>
#include <QPainter>
#include <vector>

#include "render/swf/swf_player.h"

namespace orvane::swf {

// Stage twips to the pixels of a target of `size`: the stage scaled with
// its proportions kept and centred.
QTransform stageToDevice(const Movie& movie, QSize size);

class Painter {
   public:
    // Paints the whole target.
    void paint(const Player& player, QImage& target);
    // Paints only `area` of the target (device pixels), leaving the rest as
    // it is; inside `area` the pixels are those a whole paint gives.
    void paint(const Player& player, QImage& target, const QRegion& area);

   private:
    struct TintedImage {
        qint64 sourceKey = 0;
        ColorTransform transform;
        QImage image;
        std::int64_t lastUse = 0;
    };
    struct Mask {
        int untilDepth;
        QPainterPath path;  // device coordinates
    };

    void paintClip(QPainter& p, const Clip& clip, const QTransform& world, const ColorTransform& cx,
                   int level);
    void paintObject(QPainter& p, const DisplayObject& o, const QTransform& world,
                     const ColorTransform& cx, int level);
    void paintShape(QPainter& p, const Shape& shape, const QTransform& world,
                    const ColorTransform& cx);
    void paintBitmapFill(QPainter& p, const ShapeFill& fill, const QTransform& world,
                         const ColorTransform& cx);
    void paintPicture(QPainter& p, const QImage& picture, const QTransform& world,
                      const ColorTransform& cx, bool smooth);
    QBrush brushFor(const FillStyle& style, const ColorTransform& cx);
    const QImage& tinted(const QImage& source, const ColorTransform& cx);
    // Draws `source` (a rectangle of `image`) through `imageToDevice`.
    void drawImagePart(QPainter& p, const QImage& image, const QRectF& source,
                       const QTransform& imageToDevice);
    // The area a mask covers. `shapesLeft` bounds the shapes and loaded
    // pictures united into one mask: pictures that actions load into a mask's
    // clips at run time are not counted by the parser's check, and each union
    // costs more than the one before.
    QPainterPath maskPath(const DisplayObject& o, const QTransform& world, int level,
                          std::int64_t& shapesLeft) const;
    void applyMasks(QPainter& p, const std::vector<Mask>& masks);

    const Movie* m_movie = nullptr;
    std::vector<TintedImage> m_tinted;
    std::int64_t m_paintCount = 0;
};

}  // namespace orvane::swf
