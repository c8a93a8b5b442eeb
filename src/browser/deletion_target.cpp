#include "browser/deletion_target.h"

#include <algorithm>

namespace orvane {

DeletionTarget deletionTarget(PaneKind pane, ViewMode mode, std::optional<int> pressed,
                              std::vector<int> selected, int rowCount) {
    DeletionTarget target;
    if (rowCount <= 0) return target;
    if (mode == ViewMode::Icons) {
        selected.clear();
        if (pressed) selected.push_back(*pressed);
    }
    std::erase_if(selected, [rowCount](int row) { return row < 0 || row >= rowCount; });
    std::ranges::sort(selected);
    const auto [first, last] = std::ranges::unique(selected);
    selected.erase(first, last);
    // Songs and lyric files are removed one at a time.
    if (pane != PaneKind::Photos && selected.size() > 1) selected.resize(1);
    if (selected.empty())
        target.message = nothingSelectedMessage(pane);
    else
        target.rows = std::move(selected);
    return target;
}

QString nothingSelectedMessage(PaneKind pane) {
    switch (pane) {
        case PaneKind::Photos:
            return QStringLiteral("没有选中相片文件！");
        case PaneKind::Music:
            return QStringLiteral("没有选中音乐文件！");
        case PaneKind::Lyrics:
            return QStringLiteral("没有选中歌词文件！");
    }
    return {};
}

QString deletionQuestion(PaneKind pane, bool all) {
    switch (pane) {
        case PaneKind::Photos:
            return all ? QStringLiteral("确定删除全部相片吗？")
                       : QStringLiteral("确定删除此张相片吗？");
        case PaneKind::Music:
            return all ? QStringLiteral("确定删除全部音乐文件吗？")
                       : QStringLiteral("确定删除这个音乐文件吗？");
        case PaneKind::Lyrics:
            return all ? QStringLiteral("确定删除全部歌词文件吗？")
                       : QStringLiteral("确定删除这个歌词文件吗？");
    }
    return {};
}

}  // namespace orvane
