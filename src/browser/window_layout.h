#pragma once
// The main window's layout modes and the geometry of every part of its frame
// and body for a given window size. Pure rules; the main window places its
// widgets from them. Any thread.

#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace orvane {

// Edit_jiemian: start layout, full screen, restore.
enum class LayoutMode { Start, FullScreen, Restore };

QString layoutModeKeyword(LayoutMode mode);  // "kaishibuju", "quanpingbuju", "heshibuju"
std::optional<LayoutMode> layoutModeFromKeyword(const QString& keyword);

// The window rectangle for `mode` on a screen of `screen` pixels (at 0, 0).
QRect mainWindowGeometry(LayoutMode mode, QSize screen);

// A double-click on the title bar: full screen from the start layout, the
// start layout from any other mode.
LayoutMode modeAfterTitleDoubleClick(LayoutMode mode);

// The four title buttons, right to left.
enum class TitleButton { Close, FullScreen, Restore, StartLayout };
inline constexpr int kTitleButtonCount = 4;

// What the common layout needs besides the window size.
struct MainLayoutInput {
    QSize window;
    int leftCommandCount = 0;
    // The commands of the row under the panes.
    int bottomCommandCount = 0;
    // The start layout on a 1024 × 768 screen has no room for the summary and
    // help panels.
    bool hideLowerSidePanels = false;
};

// Every rectangle of the main window, in window coordinates. A rectangle that
// is empty (QRect()) is hidden.
struct MainLayout {
    // Title bar.
    QRect titleLeft;
    QRect titleMiddle;
    std::array<QRect, kTitleButtonCount> titleButtons;  // pictures, by TitleButton
    std::array<QRect, kTitleButtonCount> titleLabels;   // hot areas over them
    // Bottom strip.
    QRect bottomLeft;
    QRect bottomMiddle;
    QRect bottomRight;
    QRect bottomUnderPanels;
    // Body.
    std::vector<QRect> leftCommands;
    QRect previewBox;      // empty when there is no room
    QRect previewPicture;  // inside the preview box
    QRect panes;
    std::vector<QRect> bottomCommands;  // the row under the panes, left to right
    QRect photoPanel;
    QRect musicPanel;
    QRect lyricPanel;
    QRect summaryPanel;               // 其它相关
    QRect helpPanel;                  // 帮助信息
    std::array<QRect, 3> paneLabels;  // 相片区域, 音乐区域, 歌词区域
    std::array<QRect, 3> infoLabels;  // 软件简介, 帮助文件, 网站模板
};

// Sizes of the frame pictures cut from the main skin.
inline constexpr QSize kTitleLeftSize{330, 57};
inline constexpr QSize kTitleMiddleSize{50, 57};
inline constexpr std::array<QSize, kTitleButtonCount> kTitleButtonSizes{
    QSize{44, 57}, QSize{34, 57}, QSize{34, 57}, QSize{45, 57}};
inline constexpr int kBottomStripHeight = 40;
inline constexpr int kSidePanelWidth = 185;
inline constexpr int kPhotoPanelHeight = 103;
inline constexpr int kMediaPanelHeight = 177;
inline constexpr int kSummaryPanelHeight = 150;
// Below this the help panel shows too little text to be of use.
inline constexpr int kMinHelpPanelHeight = 40;
inline constexpr int kBottomCommandHeight = 27;
inline constexpr int kBottomCommandGap = 5;

MainLayout mainWindowLayout(const MainLayoutInput& input);

}  // namespace orvane
