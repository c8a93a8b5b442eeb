#include "browser/window_layout.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr int kLeftColumnX = 3;
constexpr int kLeftCommandWidth = 170;
constexpr int kLeftCommandHeight = 25;
constexpr int kBodyTop = 60;
constexpr int kTitleLabelWidth = 32;
constexpr int kBottomLeftWidth = 710;
constexpr int kBottomEndWidth = 30;
constexpr int kPreviewCaptionHeight = 23;
constexpr int kPreviewPictureMaxHeight = 120;
constexpr int kStripLabelWidth = 70;
constexpr int kStripLabelHeight = 18;

QRect centred(QSize screen, int width, int height) {
    width = std::min(width, screen.width());
    height = std::min(height, screen.height());
    return {(screen.width() - width) / 2, (screen.height() - height) / 2, width, height};
}

}  // namespace

QString layoutModeKeyword(LayoutMode mode) {
    switch (mode) {
        case LayoutMode::Start:
            return QStringLiteral("kaishibuju");
        case LayoutMode::FullScreen:
            return QStringLiteral("quanpingbuju");
        case LayoutMode::Restore:
            return QStringLiteral("heshibuju");
    }
    return {};
}

std::optional<LayoutMode> layoutModeFromKeyword(const QString& keyword) {
    for (LayoutMode mode : {LayoutMode::Start, LayoutMode::FullScreen, LayoutMode::Restore})
        if (layoutModeKeyword(mode) == keyword) return mode;
    return std::nullopt;
}

QRect mainWindowGeometry(LayoutMode mode, QSize screen) {
    const int s = screen.width();
    const int h = screen.height();
    switch (mode) {
        case LayoutMode::FullScreen:
            return {0, 0, s, h};
        case LayoutMode::Restore:
            return centred(screen, s - 100, h - 100);
        case LayoutMode::Start:
            if (s == 1024 && h == 768) return centred(screen, s - s / 10 + 80, s / 2 + 49);
            if (s == 1920 && h == 1080) return centred(screen, s - s / 3, h - h / 3);
            if (s > 1920 || h > 1080) return centred(screen, 1280, 720);
            return centred(screen, s - s / 8 - 2, s / 2 - 5);
    }
    return {};
}

LayoutMode modeAfterTitleDoubleClick(LayoutMode mode) {
    return mode == LayoutMode::Start ? LayoutMode::FullScreen : LayoutMode::Start;
}

MainLayout mainWindowLayout(const MainLayoutInput& input) {
    const int w = input.window.width();
    const int ht = input.window.height();
    MainLayout out;

    // Title bar: the buttons stand right to left from the window's right edge;
    // each hot label ends where the picture to its right begins.
    out.titleLeft = QRect(QPoint(0, 0), kTitleLeftSize);
    int right = w;
    for (int i = 0; i < kTitleButtonCount; ++i) {
        const QSize size = kTitleButtonSizes[static_cast<std::size_t>(i)];
        out.titleButtons[static_cast<std::size_t>(i)] =
            QRect(right - size.width(), 0, size.width(), size.height());
        const int labelRight = i == 0 ? w - 45 + kTitleLabelWidth : right;
        out.titleLabels[static_cast<std::size_t>(i)] =
            QRect(labelRight - kTitleLabelWidth, 0, kTitleLabelWidth, size.height());
        right -= size.width();
    }
    out.titleMiddle = QRect(kTitleLeftSize.width(), 0, std::max(0, right - kTitleLeftSize.width()),
                            kTitleLeftSize.height());

    // Body: left column, panes, side panels.
    const int panesLeft = kLeftColumnX + kLeftCommandWidth + 2;
    const int panesWidth = std::max(0, w - panesLeft - kSidePanelWidth - 4);
    const int bodyHeight = std::max(0, ht - 100);
    const int bodyBottom = kBodyTop + bodyHeight;  // one past the last row
    const int stripTop = ht - kBottomStripHeight;
    // The bottom command row cannot stand in the bottom strip, where the pane
    // and info labels are: it stands right above the strip, under the panes,
    // which give up its height and 3 pixels above and below it. The side
    // panels keep the whole body height.
    const bool commandRow = input.bottomCommandCount > 0;
    const int rowSpace = commandRow ? kBottomCommandHeight + 6 : 0;
    const int panesHeight = std::max(0, bodyHeight - rowSpace);
    out.panes = QRect(panesLeft, kBodyTop, panesWidth, panesHeight);
    const int panesBottom = kBodyTop + panesHeight;  // one past the last row
    if (commandRow) {
        const int width = panesWidth / 8;
        for (int i = 0; i < input.bottomCommandCount; ++i)
            out.bottomCommands.emplace_back(panesLeft + i * (width + kBottomCommandGap),
                                            panesBottom + 3, width, kBottomCommandHeight);
    }

    int columnBottom = kBodyTop;  // one past the last command
    for (int i = 0; i < input.leftCommandCount; ++i) {
        const int top = kBodyTop + i * (kLeftCommandHeight + 1);
        out.leftCommands.emplace_back(kLeftColumnX, top, kLeftCommandWidth, kLeftCommandHeight);
        columnBottom = top + kLeftCommandHeight;
    }
    if (stripTop - columnBottom >= 51) {
        const int top = columnBottom + 9;
        const int height = panesBottom - 10 - top;
        if (height > kPreviewCaptionHeight) {
            out.previewBox = QRect(kLeftColumnX, top, kLeftCommandWidth, height);
            out.previewPicture =
                QRect(0, kPreviewCaptionHeight, kLeftCommandWidth,
                      std::min(height - kPreviewCaptionHeight, kPreviewPictureMaxHeight));
        }
    }

    const int sideLeft = panesLeft + panesWidth + 2;
    int top = kBodyTop;
    auto stack = [&](QRect& panel, int height) {
        panel = QRect(sideLeft, top, kSidePanelWidth, height);
        top += height + 2;
    };
    stack(out.photoPanel, kPhotoPanelHeight);
    stack(out.musicPanel, kMediaPanelHeight);
    stack(out.lyricPanel, kMediaPanelHeight);
    if (!input.hideLowerSidePanels) {
        const int remaining = bodyBottom - top;
        const int helpHeight = remaining - kSummaryPanelHeight - 2 - 3;
        if (helpHeight >= kMinHelpPanelHeight) {
            stack(out.summaryPanel, kSummaryPanelHeight);
            out.helpPanel = QRect(sideLeft, top, kSidePanelWidth, helpHeight);
        } else if (remaining > 0) {
            stack(out.summaryPanel, std::min(kSummaryPanelHeight, remaining));
        }
    }

    // Bottom strip and its labels.
    out.bottomLeft = QRect(0, stripTop, kBottomLeftWidth, kBottomStripHeight);
    out.bottomRight = QRect(w - kBottomEndWidth, stripTop, kBottomEndWidth, kBottomStripHeight);
    out.bottomMiddle =
        QRect(kBottomLeftWidth, stripTop, std::max(0, w - kBottomEndWidth - kBottomLeftWidth),
              kBottomStripHeight);
    out.bottomUnderPanels = QRect(sideLeft, stripTop, kSidePanelWidth + 2, kBottomStripHeight);

    const int labelTop = ht - 27;
    int x = panesLeft + 22;
    for (std::size_t i = 0; i < out.paneLabels.size(); ++i) {
        out.paneLabels[i] = QRect(x, labelTop, kStripLabelWidth, kStripLabelHeight);
        x += kStripLabelWidth + (i == 0 ? 6 : 7);
    }
    x = panesLeft + 273;
    for (QRect& label : out.infoLabels) {
        label = QRect(x, labelTop, kStripLabelWidth, kStripLabelHeight);
        x += kStripLabelWidth + 7;
    }
    return out;
}

}  // namespace orvane
