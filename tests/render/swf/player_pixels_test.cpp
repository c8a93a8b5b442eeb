// Pixels of small movies built here: positions, fills, masks, fades, the
// "show all" scaling, sprite timelines, and frame jumps against stepping.

#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>
#include <cmath>

#include "render/swf/flash_player.h"
#include "render/swf/swf_test_writer.h"
#include "support/test_support.h"
#include "templates/package.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace orvane::testing::swfw;

QTransform twips(double dxPx, double dyPx) {
    return QTransform::fromTranslate(dxPx * 20, dyPx * 20);
}

::testing::AssertionResult colourNear(const QImage& image, int x, int y, QColor expected,
                                      int tolerance = 6) {
    const QColor actual = image.pixelColor(x, y);
    const int diff = std::max({std::abs(actual.red() - expected.red()),
                               std::abs(actual.green() - expected.green()),
                               std::abs(actual.blue() - expected.blue())});
    if (diff <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is " << actual.name().toStdString() << ", expected "
           << expected.name().toStdString();
}

class PlayerPixels : public ::testing::Test {
   protected:
    FlashPlayer& load(const Bytes& movie) {
        const fs::path path = dir.path() / "movie.swf";
        writeFile(path, std::string(movie.begin(), movie.end()));
        auto ok = player.Movie(path);
        EXPECT_TRUE(ok.has_value()) << (ok ? "" : ok.error().message.toStdString());
        return player;
    }
    QImage frame(int n, int w = 200, int h = 100) {
        EXPECT_TRUE(player.FrameNum(n).has_value());
        return player.render(w, h);
    }

    TempDir dir;
    FlashPlayer player;
};

TEST_F(PlayerPixels, RectangleAtItsPositionAndColourAndMovedByMatrix) {
    MovieWriter m(200, 100);
    m.background(Qt::white);
    m.rectShape(1, QRectF(20, 10, 60, 50), solidFill(QColor(255, 0, 0)));
    m.place(Place(1).id(1));
    m.showFrame();
    m.place(Place(1).moving().at(twips(100, 30)));
    m.showFrame();
    load(m.finish(2));
    ASSERT_EQ(player.TotalFrames().value(), 2);

    QImage f0 = frame(0);
    EXPECT_TRUE(colourNear(f0, 21, 11, Qt::red));
    EXPECT_TRUE(colourNear(f0, 78, 58, Qt::red));
    EXPECT_TRUE(colourNear(f0, 18, 30, Qt::white));
    EXPECT_TRUE(colourNear(f0, 82, 30, Qt::white));
    EXPECT_TRUE(colourNear(f0, 50, 62, Qt::white));

    QImage f1 = frame(1);
    EXPECT_TRUE(colourNear(f1, 50, 30, Qt::white));
    EXPECT_TRUE(colourNear(f1, 121, 41, Qt::red));
    EXPECT_TRUE(colourNear(f1, 178, 88, Qt::red));
    EXPECT_TRUE(colourNear(f1, 182, 60, Qt::white));

    // "Show all": a 400 x 400 output scales the stage by 2 and centres it.
    QImage big = player.render(400, 400);
    EXPECT_TRUE(colourNear(big, 200, 50, Qt::black));   // bar above the stage
    EXPECT_TRUE(colourNear(big, 200, 350, Qt::black));  // bar below
    EXPECT_TRUE(colourNear(big, 250, 100 + 90, Qt::red));
    EXPECT_TRUE(colourNear(big, 10, 110, Qt::white));
}

TEST_F(PlayerPixels, BitmapFillsArePlacedByTheirMatrix) {
    // 4 x 2 picture: left half blue, right half green.
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x) picture.setPixelColor(x, y, Qt::green);
    MovieWriter m(200, 100);
    m.background(Qt::white);
    m.losslessBitmap(1, picture);
    // Shown 10 times enlarged with its top-left corner at (40, 20) px.
    const QTransform toShape = QTransform::fromScale(200, 200) * twips(40, 20);
    m.rectShape(2, QRectF(40, 20, 40, 20), bitmapFill(1, toShape, 0x43));
    // A repeating fill of the same picture, 1:1, over a strip 4 pictures wide.
    m.rectShape(3, QRectF(100, 60, 16, 2),
                bitmapFill(1, QTransform::fromScale(20, 20) * twips(100, 60), 0x42));
    m.place(Place(1).id(2));
    m.place(Place(2).id(3));
    m.showFrame();
    load(m.finish(1));
    QImage f = player.render(200, 100);
    EXPECT_TRUE(colourNear(f, 45, 25, Qt::blue));
    EXPECT_TRUE(colourNear(f, 58, 38, Qt::blue));
    EXPECT_TRUE(colourNear(f, 62, 25, Qt::green));
    EXPECT_TRUE(colourNear(f, 78, 38, Qt::green));
    EXPECT_TRUE(colourNear(f, 38, 25, Qt::white));
    EXPECT_TRUE(colourNear(f, 50, 42, Qt::white));
    for (int tile = 0; tile < 4; ++tile) {
        EXPECT_TRUE(colourNear(f, 100 + 4 * tile, 60, Qt::blue, 12)) << "tile " << tile;
        EXPECT_TRUE(colourNear(f, 103 + 4 * tile, 60, Qt::green, 12)) << "tile " << tile;
    }

    // The same picture as a JPEG bitmap lands in the same place.
    MovieWriter j(200, 100);
    QImage big = picture.scaled(40, 20);
    j.jpegBitmap(1, big);
    j.rectShape(2, QRectF(40, 20, 40, 20),
                bitmapFill(1, QTransform::fromScale(20, 20) * twips(40, 20), 0x41));
    j.place(Place(1).id(2));
    j.showFrame();
    load(j.finish(1));
    QImage g = player.render(200, 100);
    EXPECT_TRUE(colourNear(g, 45, 30, Qt::blue, 24));
    EXPECT_TRUE(colourNear(g, 75, 30, Qt::green, 24));
}

TEST_F(PlayerPixels, StillPictureOnASmallerOutputLooksTheSameEveryFrame) {
    // A still picture drawn at half size: from the second frame on the
    // painter draws a downscaled copy; it must land where the first did.
    QImage picture(80, 40, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < 40; ++y)
        for (int x = 40; x < 80; ++x) picture.setPixelColor(x, y, Qt::green);
    MovieWriter m(200, 100);
    m.background(Qt::white);
    m.losslessBitmap(1, picture);
    m.rectShape(2, QRectF(60, 30, 80, 40),
                bitmapFill(1, QTransform::fromScale(20, 20) * twips(60, 30), 0x41));
    m.place(Place(1).id(2));
    for (int f = 0; f < 3; ++f) m.showFrame();
    load(m.finish(3));
    const QImage first = frame(0, 100, 50);
    EXPECT_TRUE(colourNear(first, 35, 25, Qt::blue));
    EXPECT_TRUE(colourNear(first, 65, 25, Qt::green));
    EXPECT_TRUE(colourNear(first, 28, 25, Qt::white));
    for (int f = 1; f < 3; ++f) {
        const QImage later = frame(f, 100, 50);
        int differing = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x)
                differing += !colourNear(later, x, y, first.pixelColor(x, y), 40);
        EXPECT_LE(differing, 60) << "frame " << f;  // edge pixels may round differently
        EXPECT_TRUE(colourNear(later, 35, 25, Qt::blue));
        EXPECT_TRUE(colourNear(later, 65, 25, Qt::green));
    }
}

TEST_F(PlayerPixels, MaskShowsOnlyTheDepthsItCovers) {
    MovieWriter m(200, 100);
    m.background(Qt::white);
    m.rectShape(1, QRectF(0, 0, 100, 100), solidFill(Qt::black));  // mask: left half
    m.rectShape(2, QRectF(0, 0, 200, 100), solidFill(Qt::blue));   // masked
    m.rectShape(3, QRectF(150, 0, 50, 50), solidFill(Qt::red));    // above the mask range
    m.place(Place(1).id(1).masking(2));
    m.place(Place(2).id(2));
    m.place(Place(3).id(3));
    m.showFrame();
    load(m.finish(1));
    QImage f = player.render(200, 100);
    EXPECT_TRUE(colourNear(f, 50, 50, Qt::blue));
    EXPECT_TRUE(colourNear(f, 120, 70, Qt::white));  // outside the mask, not the mask colour
    EXPECT_TRUE(colourNear(f, 175, 25, Qt::red));
}

TEST_F(PlayerPixels, AlphaFadeFollowsTheColourTransform) {
    MovieWriter m(100, 100);
    m.background(Qt::white);
    m.rectShape(1, QRectF(0, 0, 100, 100), solidFill(Qt::red));
    const int alphas[] = {0, 64, 128, 192, 256};
    for (int i = 0; i < 5; ++i) {
        ColorTransform cx;
        cx.multA = alphas[i];
        Place p = Place(1).tint(cx);
        if (i == 0)
            p.characterId = 1;
        else
            p.move = true;
        m.place(p);
        m.showFrame();
    }
    load(m.finish(5));
    for (int i = 0; i < 5; ++i) {
        QImage f = frame(i, 100, 100);
        const int g = 255 - 255 * alphas[i] / 256;
        EXPECT_TRUE(colourNear(f, 50, 50, QColor(255, g, g), 4)) << "frame " << i;
    }
}

TEST_F(PlayerPixels, ColourTransformWithAddTermsTintsBitmapsAndShapes) {
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(QColor(100, 100, 100));
    MovieWriter m(100, 100);
    m.losslessBitmap(1, picture);
    m.rectShape(2, QRectF(0, 0, 50, 100), bitmapFill(1, QTransform::fromScale(500, 1000), 0x41));
    m.rectShape(3, QRectF(50, 0, 50, 100), solidFill(QColor(100, 100, 100)));
    ColorTransform cx;  // red doubled, blue + 50
    cx.multR = 512;
    cx.addB = 50;
    m.place(Place(1).id(2).tint(cx));
    m.place(Place(2).id(3).tint(cx));
    m.showFrame();
    load(m.finish(1));
    QImage f = player.render(100, 100);
    EXPECT_TRUE(colourNear(f, 25, 50, QColor(200, 100, 150), 3));
    EXPECT_TRUE(colourNear(f, 75, 50, QColor(200, 100, 150), 3));
}

TEST_F(PlayerPixels, LinearGradientRunsAcrossTheShape) {
    MovieWriter m(200, 100);
    // The gradient square (32768 wide) scaled onto 200 px = 4000 twips, centred.
    const QTransform g =
        QTransform::fromScale(4000.0 / 32768, 1) * QTransform::fromTranslate(2000, 1000);
    m.rectShape(1, QRectF(0, 0, 200, 100), linearGradientFill(g, {{0, Qt::red}, {255, Qt::blue}}));
    m.place(Place(1).id(1));
    m.showFrame();
    load(m.finish(1));
    QImage f = player.render(200, 100);
    EXPECT_TRUE(colourNear(f, 1, 50, Qt::red, 8));
    EXPECT_TRUE(colourNear(f, 198, 50, Qt::blue, 8));
    EXPECT_TRUE(colourNear(f, 100, 50, QColor(128, 0, 127), 8));
}

// A movie with everything that keeps state between frames: moving and
// fading shapes, removals and re-placements, a looping sprite, a mask.
Bytes busyMovie() {
    MovieWriter m(160, 90);
    m.background(QColor(20, 20, 60));
    m.rectShape(1, QRectF(0, 0, 30, 30), solidFill(Qt::yellow));
    m.rectShape(2, QRectF(0, 0, 20, 20), solidFill(Qt::cyan));
    m.rectShape(3, QRectF(0, 0, 20, 20), solidFill(Qt::magenta));
    m.rectShape(4, QRectF(40, 0, 80, 90), solidFill(Qt::black));
    m.rectShape(5, QRectF(0, 0, 160, 90), solidFill(QColor(0, 160, 0)));
    TagList s;  // three frames: cyan, magenta, gone
    s.place(Place(1).id(2));
    s.showFrame();
    s.place(Place(1).id(3).moving());
    s.showFrame();
    s.remove(1);
    s.showFrame();
    m.sprite(10, 3, s);
    for (int f = 0; f < 30; ++f) {
        ColorTransform cx;
        cx.multA = 256 - f * 8;
        Place p = Place(2).at(twips(f * 4, f * 2)).tint(cx);
        if (f == 0 || f == 12)
            p.characterId = 1;
        else
            p.move = true;
        if (f == 10) m.remove(2);
        if (f != 10 && f != 11) m.place(p);
        if (f == 0) {
            m.place(Place(1).id(4).masking(2));
            m.place(Place(5).id(10).at(twips(120, 50)).named(QStringLiteral("spin")));
        }
        if (f == 5) m.place(Place(4).id(5).at(twips(0, 80)));
        if (f == 20) m.remove(4);
        m.showFrame();
    }
    return m.finish(30);
}

TEST_F(PlayerPixels, JumpsGiveTheSameFramesAsStepping) {
    load(busyMovie());
    std::vector<QImage> stepped;
    for (int n = 0; n < 30; ++n) stepped.push_back(frame(n, 160, 90));
    // The sprite really loops and the mask really masks.
    EXPECT_TRUE(colourNear(stepped[0], 125, 55, Qt::cyan));
    EXPECT_TRUE(colourNear(stepped[1], 125, 55, Qt::magenta));
    EXPECT_TRUE(colourNear(stepped[2], 125, 55, QColor(20, 20, 60)));
    EXPECT_TRUE(colourNear(stepped[3], 125, 55, Qt::cyan));
    EXPECT_TRUE(colourNear(stepped[0], 10, 10, QColor(20, 20, 60)));  // yellow outside the mask
    EXPECT_TRUE(colourNear(stepped[6], 10, 85, QColor(0, 160, 0)));   // green strip under no mask

    const int jumps[] = {29, 3, 17, 16, 0, 25, 11, 10, 12, 5, 29, 1};
    for (int n : jumps) {
        const QImage jumped = frame(n, 160, 90);
        EXPECT_EQ(jumped, stepped[std::size_t(n)]) << "frame " << n;
    }
    EXPECT_EQ(frame(500, 160, 90), stepped[29]);  // past the end: the last frame
}

// Painting into the same picture every frame skips frames that did not
// change; the pixels must be those of a fresh picture, also when someone
// drew over the picture in between.
TEST_F(PlayerPixels, ReusedPictureShowsTheSameFramesAsFreshOnes) {
    load(busyMovie());
    QImage reused(160, 90, QImage::Format_RGB32);
    for (int n = 0; n < 30; ++n) {
        ASSERT_TRUE(player.FrameNum(n).has_value());
        player.paint(reused);
        const QImage fresh = player.render(160, 90);
        ASSERT_EQ(reused, fresh) << "frame " << n;
        player.paint(reused);  // the same frame again
        ASSERT_EQ(reused, fresh) << "frame " << n << " painted twice";
        if (n % 3 == 0) {
            reused.fill(Qt::red);  // drawn over: the next paint must paint
            player.paint(reused);
            ASSERT_EQ(reused, fresh) << "frame " << n << " after drawing over it";
        }
        if (n % 5 == 0) {
            QImage shared = reused;  // a copy painted over leaves `reused` as it was
            shared.fill(Qt::blue);
            player.paint(reused);
            ASSERT_EQ(reused, fresh) << "frame " << n << " after its copy changed";
        }
    }
}

TEST_F(PlayerPixels, CompressedMovieShowsTheSameFrames) {
    load(busyMovie());
    const QImage plain = frame(7, 160, 90);
    const Bytes compressed = busyMovie();
    const fs::path path = dir.path() / "compressed.swf";
    Bytes body(compressed.begin() + 8, compressed.end());
    uLongf size = compressBound(uLong(body.size()));
    Bytes packed(size);
    compress(packed.data(), &size, body.data(), uLong(body.size()));
    packed.resize(size);
    Bytes cws(compressed.begin(), compressed.begin() + 8);
    cws[0] = 'C';
    cws.insert(cws.end(), packed.begin(), packed.end());
    writeFile(path, std::string(cws.begin(), cws.end()));
    ASSERT_TRUE(player.Movie(path).has_value());
    EXPECT_EQ(frame(7, 160, 90), plain);
}

}  // namespace
}  // namespace orvane
