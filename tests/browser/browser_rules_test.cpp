// The rules of the media panes: the icon grid, the scroll bar, the drop
// target, the hint texts and fade, the preview box.

#include <gtest/gtest.h>

#include "browser/drop_target.h"
#include "browser/hint_fade.h"
#include "browser/hint_texts.h"
#include "browser/icon_grid.h"
#include "browser/pane_scroll_bar.h"
#include "browser/pane_traits.h"
#include "browser/preview_fit.h"
#include "support/test_support.h"

namespace orvane {
namespace {

struct GridCase {
    const char* name;
    PaneKind pane;
    QSize paneSize;
    int count;
    int columns;
    int index;
    QPoint position;
    int contentHeight;
};

TEST(IconGridTest, ColumnsPositionsAndContentHeight) {
    const GridCase cases[] = {
        {"photo pane of 450 after the bar: two columns",
         PaneKind::Photos,
         {464, 550},
         5,
         2,
         3,
         {210, 210},
         600},
        {"music pane of 450 after the bar: two columns",
         PaneKind::Music,
         {464, 550},
         5,
         2,
         4,
         {10, 350},
         550},
        {"the main layout: 880 wide, four photo columns",
         PaneKind::Photos,
         {880, 550},
         9,
         4,
         8,
         {10, 410},
         600},
        {"five lyric columns in 880", PaneKind::Lyrics, {880, 550}, 6, 5, 5, {10, 180}, 550},
        {"narrower than one pitch: one row", PaneKind::Photos, {150, 300}, 3, 0, 2, {410, 10}, 300},
        {"one photo: content as tall as the pane",
         PaneKind::Photos,
         {880, 550},
         1,
         4,
         0,
         {10, 10},
         550},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const IconGrid grid = arrangeGrid(c.count, paneTraits(c.pane).thumbSize, c.paneSize, 14);
        EXPECT_EQ(grid.columns, c.columns);
        ASSERT_EQ(grid.positions.size(), static_cast<std::size_t>(c.count));
        EXPECT_EQ(grid.positions[static_cast<std::size_t>(c.index)], c.position);
        EXPECT_EQ(grid.contentHeight, c.contentHeight);
    }
}

TEST(IconGridTest, PitchIs200ForPhotosAnd170ForSongsAndLyrics) {
    EXPECT_EQ(arrangeGrid(2, paneTraits(PaneKind::Photos).thumbSize, {880, 550}, 14).pitch,
              QSize(200, 200));
    EXPECT_EQ(arrangeGrid(2, paneTraits(PaneKind::Music).thumbSize, {880, 550}, 14).pitch,
              QSize(170, 170));
    EXPECT_EQ(arrangeGrid(2, paneTraits(PaneKind::Lyrics).thumbSize, {880, 550}, 14).pitch,
              QSize(170, 170));
}

TEST(ScrollBarTest, ShowsOnlyForTallerContentWithAThumbOfAtLeast17) {
    struct Case {
        int pane, content;
        bool visible;
        int middle, travel, overflow;
    };
    const Case cases[] = {
        {550, 550, false, 550, -34, 0},  // fits: hidden
        {550, 600, true, 500, 16, 50},    {550, 1000, true, 100, 416, 450},
        {550, 1083, true, 17, 499, 533},   // 2 × 550 − 1083 = 17
        {550, 2000, true, 17, 499, 1450},  // never below 17
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        const ScrollBarLayout bar = scrollBarFor(c.pane, c.content);
        EXPECT_EQ(bar.visible, c.visible);
        EXPECT_EQ(bar.middleHeight, c.middle);
        EXPECT_EQ(bar.travel, c.travel);
        EXPECT_EQ(bar.overflow, c.overflow);
        EXPECT_EQ(bar.capTop, 0);
    }
}

TEST(ScrollBarTest, DraggingMapsTheBarOntoTheContent) {
    struct Case {
        const char* name;
        int content;
        int middleTop;  // where the drag would put the middle piece
        int capTop;
        int contentTop;
    };
    const Case cases[] = {
        {"at rest", 2000, 17, 0, 0},
        {"dragged above the pane: restacked from 0", 2000, -40, 0, 0},
        {"dragged to the bottom shows the end", 2000, 5000, 499, -1450},
        {"half way", 2000, 17 + 250, 250, -727},  // 249 × 1450 div 499 − 1450
        {"short content, bottom", 600, 900, 16, -50},
        {"short content, half way", 600, 17 + 8, 8, -25},
        // 20 pixels of overflow: the travel is negative, the drag scrolls
        {"tiny overflow, down 10", 570, 27, 0, -10},
        {"tiny overflow, down 100", 570, 117, 0, -20},
        {"tiny overflow, up", 570, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScrollBarLayout bar = scrollBarFor(550, c.content);
        const ScrollPosition pos = dragScrollBar(bar, 550, c.middleTop);
        EXPECT_EQ(pos.capTop, c.capTop);
        EXPECT_EQ(pos.contentTop, c.contentTop);
        EXPECT_GE(pos.contentTop, -bar.overflow);
        EXPECT_LE(pos.contentTop, 0);
    }
}

TEST(DropTargetTest, ExchangesOnlyWithinFortyNinePixels) {
    const IconGrid grid = arrangeGrid(6, QSize(180, 180), {880, 550}, 14);
    const QPoint second = grid.positions[1];
    const QPoint sixth = grid.positions[5];  // second row
    struct Case {
        const char* name;
        QPoint dropped;
        std::optional<int> partner;
    };
    const Case cases[] = {
        {"49 right and 49 below", second + QPoint(49, 49), 1},
        {"49 left and 49 above", second - QPoint(49, 49), 1},
        {"50 right", second + QPoint(50, 0), std::nullopt},
        {"50 below", second + QPoint(0, 50), std::nullopt},
        {"50 left", second - QPoint(50, 0), std::nullopt},
        {"on the next row", sixth + QPoint(10, -30), 5},
        {"back on its own place", grid.positions[0], std::nullopt},
        {"between two", second + QPoint(100, 0), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dropPartner(0, c.dropped, grid.positions), c.partner);
    }
}

TEST(HintTextsTest, PhotoHintDescribesTheRow) {
    PhotoEntry photo;
    photo.fileName = QStringLiteral("海边");
    photo.fileType = QStringLiteral(".jpg");
    photo.width = QStringLiteral("400");
    photo.height = QStringLiteral("300");
    photo.orientation = QStringLiteral("heng_zhao");
    EXPECT_EQ(photoHintTexts(photo, 2),
              (QStringList{QStringLiteral("海边"), QStringLiteral(".JPG"),
                           QStringLiteral("400*300"), QStringLiteral("横照相片"), "3"}));
    photo.orientation = QStringLiteral("shu_zhao");
    EXPECT_EQ(photoHintTexts(photo, 0)[3], QStringLiteral("竖照相片"));
}

TEST(HintTextsTest, TextHintStaysOnTheScreen) {
    const QSize window(200, 40);
    const QSize screen(1024, 768);
    struct Case {
        const char* name;
        QPoint cursor;
        QPoint expected;
    };
    const Case cases[] = {
        {"below and left of the cursor", {300, 300}, {280, 310}},
        {"left edge", {10, 300}, {8, 310}},
        {"right edge", {1000, 300}, {819, 310}},
        {"bottom edge: above the cursor", {300, 740}, {280, 698}},
        {"top edge", {300, -30}, {280, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textHintPosition(c.cursor, window, screen), c.expected);
    }
    EXPECT_EQ(paneHintPosition({300, 300}), QPoint(280, 310));
}

TEST(HintFadeTest, WaitsFadesInHoldsAndFadesOut) {
    HintFade fade;
    EXPECT_FALSE(fade.running());
    fade.show();
    EXPECT_EQ(fade.interval(), 2000);
    EXPECT_EQ(fade.opacity(), 0);
    EXPECT_FALSE(fade.visible());
    int ticks = 0;
    while (fade.phase() == HintFade::Phase::FadingIn) {
        fade.tick();
        ++ticks;
        EXPECT_TRUE(fade.visible());
        if (fade.phase() == HintFade::Phase::FadingIn) {
            EXPECT_EQ(fade.interval(), 1);
        }
    }
    EXPECT_EQ(ticks, 26);  // 10 per tick until past 254
    EXPECT_EQ(fade.opacity(), 255);
    EXPECT_EQ(fade.interval(), 2000);  // fully shown for two seconds
    ticks = 0;
    while (fade.running()) {
        fade.tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 26);
    EXPECT_EQ(fade.opacity(), 0);
    EXPECT_FALSE(fade.visible());
}

TEST(HintFadeTest, HideClosesAtOnceAndShowStartsOver) {
    HintFade fade;
    fade.show();
    for (int i = 0; i < 5; ++i) fade.tick();
    fade.hide();
    EXPECT_FALSE(fade.running());
    EXPECT_FALSE(fade.visible());
    fade.tick();
    EXPECT_FALSE(fade.visible());
    fade.show();
    EXPECT_EQ(fade.opacity(), 0);
    EXPECT_EQ(fade.interval(), 2000);
}

TEST(PreviewTest, FitsLandscapeByWidthAndPortraitByHeight) {
    struct Case {
        QSize source, box;
        bool landscape;
        QSize expected;
    };
    const Case cases[] = {
        {{400, 300}, {200, 200}, true, {200, 150}},
        {{400, 300}, {200, 100}, true, {133, 100}},  // capped by the height
        {{300, 400}, {200, 200}, false, {150, 200}},
        {{100, 400}, {50, 300}, false, {50, 200}},   // capped by the width
        {{150, 150}, {240, 180}, true, {180, 180}},  // a square counts as landscape
        {{0, 0}, {240, 180}, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.width());
        EXPECT_EQ(previewFit(c.source, c.box, c.landscape), c.expected);
    }
}

TEST(PreviewTest, RowFollowsTheViewMode) {
    EXPECT_EQ(chosenRow(ViewMode::Icons, 3, 1, true), 3);
    EXPECT_EQ(chosenRow(ViewMode::Icons, std::nullopt, 1, true), 0);
    EXPECT_EQ(chosenRow(ViewMode::Icons, std::nullopt, 1, false), std::nullopt);
    EXPECT_EQ(chosenRow(ViewMode::List, 3, 1, true), 1);
    EXPECT_EQ(chosenRow(ViewMode::List, 3, std::nullopt, true), std::nullopt);
}

TEST(PaneTraitsTest, ReportListsHaveTheirColumns) {
    EXPECT_EQ(reportColumns(PaneKind::Photos).size(), 8);
    EXPECT_EQ(reportColumns(PaneKind::Music).size(), 6);
    EXPECT_EQ(reportColumns(PaneKind::Lyrics).size(), 11);
    EXPECT_EQ(reportColumns(PaneKind::Music)[5], QStringLiteral("绑定歌词"));
    EXPECT_EQ(reportColumns(PaneKind::Lyrics)[10], QStringLiteral("歌词上中下"));
    for (PaneKind kind : kPaneKinds) EXPECT_EQ(reportColumns(kind)[0], QStringLiteral("序号"));
}

}  // namespace
}  // namespace orvane
