#include "render/overlays/frame_overlays.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "effects/picture_effect.h"
#include "effects/text_effect.h"
#include "overlay_fixtures.h"
#include "render/overlays/karaoke_overlay.h"
#include "render/overlays/overlay_scale.h"

namespace orvane {
namespace {

using namespace orvane::testing;

TEST(FrameOverlays, AMovingTextIsDrawnWhereTheMotionModelPutsIt) {
    OverlayProject p;
    p.addText("测试文字", "00:01", "congzuoxiangyou");
    const TextEffect& row = p.model.textEffects.at(0);
    const QFontMetrics metrics(textEffectFont(row));
    const int w = metrics.horizontalAdvance(row.text);
    const int h = metrics.height();

    // Half the reference frame, and a PAL DVD frame (scaled unevenly).
    for (const QSize out : {QSize(960, 540), QSize(720, 576)}) {
        SCOPED_TRACE(::testing::Message() << out.width() << "x" << out.height());
        const OverlayScale scale(out);
        FrameOverlays overlays(p.model, out);
        EXPECT_FALSE(overlays.empty());

        QImage frame = blankFrame(out);
        overlays.paint(frame, 24);  // the album clock still shows 00:00
        EXPECT_TRUE(pixelBounds(frame, isBright).isEmpty());

        // Enters at frame 25 (00:01) at left −w, 3 pixels per frame on the
        // 1920-pixel frame; its fixed top 256 of the 289-pixel preview is 956.
        frame = blankFrame(out);
        overlays.paint(frame, 25);  // one step in: at most its last 3 columns show
        const QRect entering = pixelBounds(frame, isBright);
        EXPECT_TRUE(entering.isEmpty() || entering.right() <= 1);
        for (int n : {225, 425}) {
            SCOPED_TRACE(n);
            frame = blankFrame(out);
            overlays.paint(frame, n);
            const QRect expected(scale.point(QPoint(-w + 3 * (n - 24), 956)),
                                 scale.size(QSize(w, h)));
            const QRect lit = pixelBounds(frame, isBright);
            ASSERT_FALSE(lit.isEmpty());
            EXPECT_TRUE(expected.adjusted(-1, -1, 1, 1).contains(lit))
                << lit.x() << "," << lit.y() << " " << lit.width() << "x" << lit.height();
            EXPECT_GE(lit.width(), expected.width() * 6 / 10);
        }
        EXPECT_EQ(overlays.currentFrame(), 425);
    }
}

TEST(FrameOverlays, APictureWithAlphaIsDrawnOnlyWhileItsRowRuns) {
    OverlayProject p;
    // 80 × 40: the left half red at half opacity, the right half transparent.
    QImage picture(80, 40, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgba(255, 0, 0, 128));
    const QString file = p.write("deco.png", "");
    ASSERT_TRUE(picture.save(file));
    p.model.pictureEffects.append(makePictureEffect(file, "00:01", "00:02", "960,540", 1).value());

    const QSize out(480, 270);  // a quarter of the 1920 × 1080 frame
    const QColor grey(50, 50, 50);
    FrameOverlays overlays(p.model, out);
    const auto paintAt = [&](int n) {
        QImage frame = blankFrame(out, grey);
        overlays.paint(frame, n);
        return frame;
    };
    const auto untouched = [&](const QImage& frame) {
        return pixelBounds(frame, [&](QRgb c) { return differs(c, grey.rgb()); }).isEmpty();
    };
    EXPECT_TRUE(untouched(paintAt(0)));
    EXPECT_TRUE(untouched(paintAt(24)));
    // From 00:01 it is drawn at (240, 135), 20 × 10: the red half blended
    // with the frame, the transparent half leaving it as it was.
    const QImage running = paintAt(25);
    const QRgb inside = running.pixel(245, 140);
    EXPECT_NEAR(qRed(inside), 153, 4);
    EXPECT_NEAR(qGreen(inside), 25, 4);
    EXPECT_NEAR(qBlue(inside), 25, 4);
    EXPECT_EQ(running.pixel(255, 140), grey.rgb());
    const QRect drawn = pixelBounds(running, [&](QRgb c) { return differs(c, grey.rgb()); });
    EXPECT_TRUE(QRect(239, 134, 12, 12).contains(drawn));
    EXPECT_EQ(paintAt(49).pixel(245, 140), inside);  // the last frame of its span
    EXPECT_TRUE(untouched(paintAt(50)));             // 00:02: gone
    EXPECT_TRUE(untouched(paintAt(80)));
    EXPECT_TRUE(overlays.messages().isEmpty());
}

TEST(FrameOverlays, AnUnreadablePictureIsLeftOutAndReported) {
    OverlayProject p;
    const QString file = p.write("broken.png", "not a picture");
    p.model.pictureEffects.append(makePictureEffect(file, "00:00", "wu", "0,0", 1).value());
    FrameOverlays overlays(p.model, QSize(192, 108));
    ASSERT_EQ(overlays.messages().size(), 1);
    EXPECT_TRUE(overlays.messages()[0].contains("broken.png"));
    ASSERT_EQ(overlays.leftOut().size(), 1u);
    EXPECT_EQ(overlays.leftOut()[0].problem, Problem::PictureUnreadable);
    EXPECT_TRUE(overlays.leftOut()[0].subject.endsWith("broken.png"));
    EXPECT_TRUE(overlays.empty());
    QImage frame = blankFrame(QSize(192, 108));
    const QImage before = frame;
    overlays.paint(frame, 10);
    EXPECT_EQ(frame, before);
}

TEST(FrameOverlays, TheKaraokeSweepGrowsOverTheLineFrameByFrame) {
    OverlayProject p;
    p.addSong(200);
    p.addKaraoke("karaoke.add('00:02.000', '00:03.000', '你好', '500,500');\n");
    p.model.settings.lyricKind = LyricKind::Karaoke;
    const QSize out(960, 540);
    FrameOverlays overlays(p.model, out);
    // The same model's karaoke state, for the sweep widths in 1920 pixels.
    std::vector<UserError> messages;
    KaraokeOverlay karaoke(p.model, {}, {180, 811, 931, 1920}, messages);
    ASSERT_TRUE(karaoke.enabled());

    const QRect band(0, 811 / 2, out.width(), 120);
    const int x0 = 180 / 2;
    int lastRight = -1;
    QRect unsung;
    for (int n = 1; n <= 80; ++n) {
        karaoke.advanceFrame();
        QImage frame = blankFrame(out);
        overlays.paint(frame, n);
        SCOPED_TRACE(n);
        const QRect white = pixelBounds(frame, isBright, band);
        const QRect blue = pixelBounds(frame, isSungBlue, band);
        const int sweep = karaoke.timeline().rowA().sweep.rect.width() / 2;
        if (n < 25) {
            EXPECT_TRUE(white.isEmpty());  // shown from 00:01, a second before
        }
        if (n >= 25 && n < 50) {
            EXPECT_FALSE(white.isEmpty());
            EXPECT_GE(white.left(), x0);
            EXPECT_TRUE(blue.isEmpty());
            unsung = white;
        }
        if (n >= 50) {
            EXPECT_GT(sweep, 0);
            // Sung pixels never pass the sweep's edge, and the edge only moves right.
            if (!blue.isEmpty()) {
                EXPECT_GE(blue.left(), x0);
                EXPECT_LE(blue.right(), x0 + sweep);
                EXPECT_GE(blue.right(), lastRight);
                lastRight = blue.right();
            }
        }
        if (n == 61) {
            // The first unit is done: the sweep stands at its cumulative width.
            const KscUnit& first = karaoke.timeline().document().lines[0].units[0];
            EXPECT_EQ(sweep, first.cumulativeWidth / 2);
            EXPECT_GE(blue.right(), x0 + sweep - 8);
        }
    }
    // By 00:03 the whole line is sung: the blue covers what was white.
    ASSERT_FALSE(unsung.isEmpty());
    EXPECT_NEAR(lastRight, unsung.right(), 2);
}

TEST(FrameOverlays, EachSongsKaraokeIsDrawnInTheLookOfItsOwnRow) {
    OverlayProject p;
    p.addSong(60);
    p.addSong(60);
    const std::string line = "karaoke.add('00:01.000', '00:01.800', 'ab', '400,400');\n";
    p.addKaraoke(line);
    p.addKaraoke(line);
    p.model.karaoke.at(1).fillColorValue = "255";  // sung in red
    p.model.settings.lyricKind = LyricKind::Karaoke;
    const QSize out(480, 270);
    FrameOverlays overlays(p.model, out);
    const auto isSungRed = [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; };
    const auto paintAt = [&](int n) {
        QImage frame = blankFrame(out);
        overlays.paint(frame, n);
        return frame;
    };
    // The first song sweeps from its 00:01; the second song's karaoke clock
    // stays at 00:00 for 48 frames, so its 00:01 is album frame 60 + 49.
    const QImage first = paintAt(40);
    EXPECT_FALSE(pixelBounds(first, isSungBlue).isEmpty());
    EXPECT_TRUE(pixelBounds(first, isSungRed).isEmpty());
    const QImage between = paintAt(100);
    EXPECT_TRUE(pixelBounds(between, isSungBlue).isEmpty());
    EXPECT_TRUE(pixelBounds(between, isSungRed).isEmpty());
    const QImage second = paintAt(125);
    EXPECT_TRUE(pixelBounds(second, isSungBlue).isEmpty());
    EXPECT_FALSE(pixelBounds(second, isSungRed).isEmpty());
}

TEST(FrameOverlays, TheLyricLineIsDrawnCentredAtTheBottom) {
    OverlayProject p;
    p.addSong(100, p.addLyric("[00:01.00]一句歌词\n"));
    const QSize out(480, 270);
    FrameOverlays overlays(p.model, out);
    QImage frame = blankFrame(out);
    overlays.paint(frame, 24);
    EXPECT_TRUE(pixelBounds(frame, isBright).isEmpty());
    overlays.paint(frame, 25);
    const QRect lit = pixelBounds(frame, isBright);
    ASSERT_FALSE(lit.isEmpty());
    EXPECT_NEAR(lit.center().x(), 240, 3);
    EXPECT_LE(lit.bottom(), 270 - 10 / 4);
    EXPECT_GT(lit.top(), 200);
}

TEST(FrameOverlays, FramesGoForwardAndKeepTheOutputSize) {
    OverlayProject p;
    p.addText("t", "00:00", "congzuoxiangyou");
    FrameOverlays overlays(p.model, QSize(192, 108));
    QImage frame = blankFrame(QSize(192, 108));
    overlays.paint(frame, 5);
    overlays.paint(frame, 5);  // the same frame again is allowed
    EXPECT_THROW(overlays.paint(frame, 4), OrvaneError);
    QImage other = blankFrame(QSize(100, 100));
    EXPECT_THROW(overlays.paint(other, 6), OrvaneError);
    EXPECT_EQ(overlays.currentFrame(), 5);
}

TEST(FrameOverlays, AnEmptyProjectDrawsNothing) {
    OverlayProject p;
    p.addSong(100);
    FrameOverlays overlays(p.model, QSize(192, 108));
    EXPECT_TRUE(overlays.empty());
    QImage frame = blankFrame(QSize(192, 108), Qt::darkGreen);
    const QImage before = frame;
    overlays.paint(frame, 30);
    EXPECT_EQ(frame, before);
}

}  // namespace
}  // namespace orvane
