#include "audio/karaoke_timeline.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "audio/script_converter.h"

namespace orvane {
namespace {

KscDocument twoLines(ScriptConverter& converter, const char* firstText = "你好") {
    return parseKsc({QStringLiteral("karaoke.add('00:02.000', '00:03.000', '%1', '500,500');")
                         .arg(QString::fromUtf8(firstText)),
                     QStringLiteral("karaoke.add('00:04.000', '00:05.500', '[ab]c', '1000,20');")},
                    {60, QStringLiteral("jianti")}, converter);
}

TEST(KaraokeTimeline, AlbumGeometryFromTheDefaultPreviewPositions) {
    const KaraokeGeometry g = albumKaraokeGeometry(75, 338, 388);
    EXPECT_EQ(g.rowALeft, 180);
    EXPECT_EQ(g.rowATop, 811);
    EXPECT_EQ(g.rowBTop, 931);
}

TEST(KaraokeTimeline, LinesAppearSweepAndHideFrameByFrame) {
    ScriptConverter converter;
    KaraokeTimeline timeline(albumKaraokeGeometry(75, 338, 388));
    std::vector<int> loaded;
    KaraokeAlbumClock clock(timeline, {200, 100}, 2, [&](int row) -> std::optional<KscDocument> {
        loaded.push_back(row);
        return twoLines(converter, row == 0 ? "你好" : "再见");
    });
    clock.start();
    const KscDocument& doc = timeline.document();
    const QFontMetrics metrics(kscMeasuringFont(60));
    const auto advanceTo = [&](int counter) {
        while (clock.counter() < counter) clock.advanceFrame();
    };

    advanceTo(24);  // 00:00
    EXPECT_FALSE(timeline.rowA().base.visible);
    advanceTo(25);  // 00:01: line 1 appears on row A
    const KaraokeLabel& baseA = timeline.rowA().base;
    EXPECT_TRUE(baseA.visible);
    EXPECT_EQ(baseA.text, QStringLiteral("你好     "));
    EXPECT_EQ(baseA.rect,
              QRect(180, 811, metrics.horizontalAdvance(baseA.text) + 10, metrics.height() + 10));
    EXPECT_FALSE(timeline.rowA().sweep.visible);
    EXPECT_EQ(timeline.rowA().sweep.rect.width(), 0);

    advanceTo(50);  // 00:02: the sweep starts and takes its first step
    EXPECT_TRUE(timeline.rowA().sweep.visible);
    EXPECT_TRUE(timeline.sweeping());
    const KscUnit& u0 = doc.lines[0].units[0];
    ASSERT_EQ(u0.frames, 12);
    EXPECT_EQ(timeline.rowA().sweep.rect.width(), u0.advance);
    advanceTo(61);  // 12th frame of unit 0: snapped to its cumulative width
    EXPECT_EQ(timeline.rowA().sweep.rect.width(), u0.cumulativeWidth);
    advanceTo(73);  // the last unit done: sweeping ends
    EXPECT_FALSE(timeline.sweeping());
    EXPECT_GE(timeline.rowA().sweep.rect.width(), doc.lines[0].units[1].cumulativeWidth);

    advanceTo(75);  // 00:03: line 2 appears on row B, right-aligned
    const KaraokeLabel& baseB = timeline.rowB().base;
    EXPECT_TRUE(baseB.visible);
    EXPECT_EQ(baseB.rect.right() + 1, 1920 - 20);
    EXPECT_EQ(baseB.rect.top(), 931);
    advanceTo(100);  // 00:04: row B sweeps, row A is completed at once
    EXPECT_EQ(timeline.rowA().sweep.rect.width(), baseA.rect.width());
    EXPECT_EQ(timeline.sweepLine(), 1);
    // "ab" lasts 25 frames, "c" (20 ms, 0 frames) one: the sweep does not stall.
    advanceTo(124);
    EXPECT_EQ(timeline.rowB().sweep.rect.width(), doc.lines[1].units[0].cumulativeWidth);
    EXPECT_TRUE(timeline.sweeping());
    advanceTo(125);
    EXPECT_FALSE(timeline.sweeping());

    advanceTo(149);
    EXPECT_TRUE(timeline.rowA().base.visible);
    advanceTo(150);  // 00:06: the hide time of the last line clears everything
    EXPECT_FALSE(timeline.rowA().base.visible);
    EXPECT_TRUE(timeline.rowB().base.text.isEmpty());

    // Frame 200 ends song 1: row 2 is parsed and its clock shows 00:00 for 48 frames.
    advanceTo(199);
    EXPECT_EQ(loaded, (std::vector<int>{0}));
    clock.advanceFrame();
    EXPECT_EQ(loaded, (std::vector<int>{0, 1}));
    EXPECT_EQ(clock.counter(), -24);
    EXPECT_EQ(clock.clock(), QStringLiteral("00:00"));
    int frames00 = 1;
    for (clock.advanceFrame(); clock.clock() == QStringLiteral("00:00"); clock.advanceFrame())
        ++frames00;
    EXPECT_EQ(frames00, 49);  // the rollover frame and 48 more
    while (clock.counter() < 25) clock.advanceFrame();
    EXPECT_EQ(timeline.rowA().base.text, QStringLiteral("再见     "));

    // The last song ends the karaoke.
    while (clock.running()) clock.advanceFrame();
    EXPECT_EQ(clock.row(), 2);
    EXPECT_FALSE(timeline.rowA().base.visible);
}

TEST(KaraokeTimeline, EditorTicksSweepOnePixelPerTick) {
    ScriptConverter converter;
    KaraokeTimeline timeline;
    timeline.load(twoLines(converter), 100);  // 100 ticks per second: 500 ms = 50 ticks
    timeline.applyClock(QStringLiteral("00:01"));
    timeline.applyClock(QStringLiteral("00:02"));
    ASSERT_TRUE(timeline.sweeping());
    for (int t = 0; t < 10; ++t) timeline.sweepStep();
    const int first = timeline.document().lines[0].units[0].cumulativeWidth;
    EXPECT_EQ(timeline.rowA().sweep.rect.width(), std::min(10, first));
    for (int t = 10; t < 50; ++t) timeline.sweepStep();
    EXPECT_EQ(timeline.rowA().sweep.rect.width(), first);
}

}  // namespace
}  // namespace orvane
