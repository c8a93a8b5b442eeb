// The main window's geometry per layout mode and screen, and the common
// layout's rules for the frame and the side panels.

#include "browser/window_layout.h"

#include <gtest/gtest.h>

#include "browser/skin_slices.h"

namespace orvane {
namespace {

struct GeometryCase {
    LayoutMode mode;
    QSize screen;
    QRect expected;
};

TEST(MainWindowGeometry, FollowsTheTableForEveryModeAndScreen) {
    const GeometryCase cases[] = {
        {LayoutMode::Start, {1024, 768}, {11, 103, 1002, 561}},
        {LayoutMode::Start, {1366, 768}, {86, 45, 1194, 678}},
        {LayoutMode::Start, {1920, 1080}, {320, 180, 1280, 720}},
        {LayoutMode::Start, {2560, 1440}, {640, 360, 1280, 720}},
        {LayoutMode::Start, {1920, 1200}, {320, 240, 1280, 720}},  // taller than 1080
        {LayoutMode::Start, {1280, 1024}, {81, 194, 1118, 635}},
        {LayoutMode::Restore, {1366, 768}, {50, 50, 1266, 668}},
        {LayoutMode::Restore, {1920, 1080}, {50, 50, 1820, 980}},
        {LayoutMode::FullScreen, {1366, 768}, {0, 0, 1366, 768}},
        {LayoutMode::FullScreen, {2560, 1440}, {0, 0, 2560, 1440}},
    };
    for (const GeometryCase& c : cases) {
        EXPECT_EQ(mainWindowGeometry(c.mode, c.screen), c.expected)
            << layoutModeKeyword(c.mode).toStdString() << " on " << c.screen.width() << "x"
            << c.screen.height();
    }
}

TEST(MainWindowGeometry, NeverLargerThanAPortraitScreen) {
    // On a narrow, tall screen the start layout's height (from the width)
    // still fits, and the window never leaves the screen.
    const QRect r = mainWindowGeometry(LayoutMode::Start, {800, 300});
    EXPECT_LE(r.width(), 800);
    EXPECT_LE(r.height(), 300);
    EXPECT_GE(r.left(), 0);
    EXPECT_GE(r.top(), 0);
}

TEST(LayoutModes, KeywordsAndTheTitleDoubleClick) {
    for (LayoutMode m : {LayoutMode::Start, LayoutMode::FullScreen, LayoutMode::Restore})
        EXPECT_EQ(layoutModeFromKeyword(layoutModeKeyword(m)), m);
    EXPECT_EQ(layoutModeKeyword(LayoutMode::Start), "kaishibuju");
    EXPECT_EQ(layoutModeKeyword(LayoutMode::FullScreen), "quanpingbuju");
    EXPECT_EQ(layoutModeKeyword(LayoutMode::Restore), "heshibuju");
    EXPECT_FALSE(layoutModeFromKeyword(QStringLiteral("quanping")));

    // Twice from the start layout comes back to it; from restore it goes to
    // the start layout.
    EXPECT_EQ(modeAfterTitleDoubleClick(modeAfterTitleDoubleClick(LayoutMode::Start)),
              LayoutMode::Start);
    EXPECT_EQ(modeAfterTitleDoubleClick(LayoutMode::Restore), LayoutMode::Start);
}

MainLayout layoutFor(QSize window, bool hideLower = false) {
    return mainWindowLayout({window, 15, 0, hideLower});
}

TEST(MainLayout, TitleButtonsStandRightToLeftWithTheirHotLabels) {
    const MainLayout l = layoutFor({1194, 678});
    const auto close = static_cast<std::size_t>(TitleButton::Close);
    const auto full = static_cast<std::size_t>(TitleButton::FullScreen);
    const auto restore = static_cast<std::size_t>(TitleButton::Restore);
    const auto start = static_cast<std::size_t>(TitleButton::StartLayout);
    EXPECT_EQ(l.titleButtons[close], QRect(1150, 0, 44, 57));
    EXPECT_EQ(l.titleButtons[full], QRect(1116, 0, 34, 57));
    EXPECT_EQ(l.titleButtons[restore], QRect(1082, 0, 34, 57));
    EXPECT_EQ(l.titleButtons[start], QRect(1037, 0, 45, 57));
    EXPECT_EQ(l.titleLabels[close], QRect(1149, 0, 32, 57));
    // Each other label ends where the picture to its right begins.
    EXPECT_EQ(l.titleLabels[full].right() + 1, l.titleButtons[close].left());
    EXPECT_EQ(l.titleLabels[restore].right() + 1, l.titleButtons[full].left());
    EXPECT_EQ(l.titleLabels[start].right() + 1, l.titleButtons[restore].left());
    // The middle piece fills the gap from the left piece to the buttons.
    EXPECT_EQ(l.titleMiddle, QRect(330, 0, 1037 - 330, 57));
}

TEST(MainLayout, BodyAndBottomStrip) {
    const MainLayout l = layoutFor({1194, 678});
    EXPECT_EQ(l.leftCommands.front(), QRect(3, 60, 170, 25));
    EXPECT_EQ(l.leftCommands[1].top(), 86);  // one pixel between commands
    EXPECT_EQ(l.panes, QRect(175, 60, 1194 - 175 - 185 - 4, 578));
    EXPECT_EQ(l.photoPanel, QRect(l.panes.right() + 3, 60, 185, 103));
    EXPECT_EQ(l.musicPanel.top(), 60 + 103 + 2);
    EXPECT_EQ(l.lyricPanel.top(), l.musicPanel.bottom() + 3);
    EXPECT_EQ(l.bottomLeft, QRect(0, 638, 710, 40));
    EXPECT_EQ(l.bottomRight, QRect(1164, 638, 30, 40));
    EXPECT_EQ(l.bottomMiddle, QRect(710, 638, 1164 - 710, 40));
    EXPECT_EQ(l.bottomUnderPanels, QRect(l.photoPanel.left(), 638, 187, 40));
    EXPECT_EQ(l.paneLabels[0], QRect(175 + 22, 651, 70, 18));
    EXPECT_EQ(l.infoLabels[0].left(), 175 + 273);
    // The preview box: 9 below the last command, down to 10 above the panes'
    // bottom; its picture at most 120 high.
    const int columnBottom = l.leftCommands.back().bottom() + 1;
    EXPECT_EQ(l.previewBox.top(), columnBottom + 9);
    EXPECT_EQ(l.previewBox.bottom() + 1, l.panes.bottom() + 1 - 10);
    EXPECT_EQ(l.previewPicture.height(), 120);
}

TEST(MainLayout, LowerSidePanelsGiveWayWhenThereIsNoRoom) {
    // Full screen 1920 × 1080: every panel, help down to the panes' bottom
    // less 3.
    const MainLayout big = layoutFor({1920, 1080});
    EXPECT_EQ(big.summaryPanel.height(), 150);
    EXPECT_EQ(big.helpPanel.bottom() + 1, big.panes.bottom() + 1 - 3);
    // 1366 × 768 start layout: the summary shrinks, no help.
    const MainLayout mid = layoutFor({1194, 678});
    EXPECT_EQ(mid.summaryPanel.bottom() + 1, mid.panes.bottom() + 1);
    EXPECT_LT(mid.summaryPanel.height(), 150);
    EXPECT_TRUE(mid.helpPanel.isEmpty());
    // 1024 × 768 start layout: both hidden.
    const MainLayout small = layoutFor({1002, 561}, true);
    EXPECT_TRUE(small.summaryPanel.isEmpty());
    EXPECT_TRUE(small.helpPanel.isEmpty());
    // A window too low for the preview box hides it.
    const MainLayout low = layoutFor({1002, 480});
    EXPECT_TRUE(low.previewBox.isEmpty());
}

// The main window's columns: twelve commands on the left, seven in the row
// under the panes.
MainLayout withCommandRow(QSize window, bool hideLower = false) {
    return mainWindowLayout({window, 12, 7, hideLower});
}

TEST(MainLayout, TheCommandRowStandsUnderThePanesAboveTheStrip) {
    const MainLayout l = withCommandRow({1194, 678});
    ASSERT_EQ(l.bottomCommands.size(), 7u);
    // Each (pane width div 8) wide and 27 high, 5 apart from the panes' left.
    const int width = l.panes.width() / 8;
    for (std::size_t i = 0; i < l.bottomCommands.size(); ++i)
        EXPECT_EQ(l.bottomCommands[i], QRect(l.panes.left() + static_cast<int>(i) * (width + 5),
                                             678 - 40 - 30, width, 27))
            << i;
    // The panes give up the row's height and 3 pixels on each side of it; the
    // side panels keep the whole body.
    EXPECT_EQ(l.panes.height(), 578 - 33);
    EXPECT_EQ(l.bottomCommands.front().bottom() + 1 + 3, l.bottomLeft.top());
    EXPECT_EQ(l.summaryPanel, layoutFor({1194, 678}).summaryPanel);
    // The preview box still ends 10 pixels above the panes' bottom.
    EXPECT_EQ(l.previewBox.bottom() + 1, l.panes.bottom() + 1 - 10);
}

// Nothing overlaps and the preview box has a picture, on every screen the
// start layout knows and in full screen.
TEST(MainLayout, CommandRowAndPreviewBoxFitOnEveryScreen) {
    struct Case {
        QSize window;
        bool hideLower;
    };
    const Case cases[] = {
        {{1002, 561}, true},                          // start layout on 1024 × 768
        {{1024, 768}, false},  {{1194, 678}, false},  // start layout on 1366 × 768
        {{1280, 720}, false},                         // start layout on 1920 × 1080
        {{1920, 1080}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1x%2").arg(c.window.width()).arg(c.window.height()).toStdString());
        const MainLayout l = withCommandRow(c.window, c.hideLower);
        ASSERT_FALSE(l.previewBox.isEmpty());
        EXPECT_GE(l.previewPicture.height(), 60);
        std::vector<QRect> parts = l.leftCommands;
        parts.insert(parts.end(), l.bottomCommands.begin(), l.bottomCommands.end());
        parts.insert(parts.end(), l.paneLabels.begin(), l.paneLabels.end());
        parts.insert(parts.end(), l.infoLabels.begin(), l.infoLabels.end());
        for (const QRect& r : {l.previewBox, l.panes, l.photoPanel, l.musicPanel, l.lyricPanel,
                               l.summaryPanel, l.helpPanel})
            if (!r.isEmpty()) parts.push_back(r);
        const QRect window(QPoint(0, 0), c.window);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_TRUE(window.contains(parts[i])) << i;
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                EXPECT_FALSE(parts[i].intersects(parts[j])) << i << " and " << j;
        }
        // The row stays within the panes' width and above the bottom strip.
        EXPECT_LE(l.bottomCommands.back().right(), l.panes.right());
        EXPECT_LT(l.bottomCommands.back().bottom(), l.bottomLeft.top());
    }
}

TEST(SkinSlices, EverySliceLiesInsideTheSkin) {
    const QRect skin(QPoint(0, 0), kSkinSize);
    for (int p = 0; p <= static_cast<int>(SkinPart::SmallBottom); ++p) {
        const QRect r = skinSlice(static_cast<SkinPart>(p));
        EXPECT_TRUE(skin.contains(r)) << p;
        EXPECT_FALSE(r.isEmpty()) << p;
    }
    EXPECT_EQ(skinSlice(SkinPart::BottomLeft), QRect(20, 635, 710, 40));
    EXPECT_EQ(skinSlice(SkinPart::SmallBottom), QRect(0, 670, 50, 5));
}

}  // namespace
}  // namespace orvane
