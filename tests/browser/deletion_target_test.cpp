// What "删除" of a pane works on: the list's selected rows in list view (all
// of them for photos, one for songs and lyric files), the pressed thumbnail
// in icon view, the pane's message when nothing is chosen.

#include "browser/deletion_target.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace orvane {
namespace {

TEST(DeletionTargetTest, RowsOrMessageByPaneAndViewMode) {
    struct Case {
        const char* name;
        PaneKind pane;
        ViewMode mode;
        std::optional<int> pressed;
        std::vector<int> selected;
        int rowCount;
        std::vector<int> rows;
        const char* message;
    };
    const Case cases[] = {
        {"empty pane", PaneKind::Photos, ViewMode::List, std::nullopt, {}, 0, {}, ""},
        {"empty pane, pressed", PaneKind::Music, ViewMode::Icons, 0, {}, 0, {}, ""},
        {"list, none", PaneKind::Photos, ViewMode::List, 2, {}, 3, {}, "没有选中相片文件！"},
        {"list, several photos",
         PaneKind::Photos,
         ViewMode::List,
         std::nullopt,
         {2, 0, 2},
         3,
         {0, 2},
         ""},
        {"list, the pressed one does not count",
         PaneKind::Photos,
         ViewMode::List,
         1,
         {2},
         3,
         {2},
         ""},
        {"icons, pressed", PaneKind::Photos, ViewMode::Icons, 1, {0, 2}, 3, {1}, ""},
        {"icons, none",
         PaneKind::Music,
         ViewMode::Icons,
         std::nullopt,
         {1},
         3,
         {},
         "没有选中音乐文件！"},
        {"icons, none",
         PaneKind::Lyrics,
         ViewMode::Icons,
         std::nullopt,
         {},
         3,
         {},
         "没有选中歌词文件！"},
        {"list, one song", PaneKind::Music, ViewMode::List, std::nullopt, {1}, 3, {1}, ""},
        {"stale pressed item",
         PaneKind::Lyrics,
         ViewMode::Icons,
         5,
         {},
         3,
         {},
         "没有选中歌词文件！"},
    };
    for (const Case& c : cases) {
        const DeletionTarget target =
            deletionTarget(c.pane, c.mode, c.pressed, c.selected, c.rowCount);
        EXPECT_EQ(target.rows, c.rows) << c.name;
        EXPECT_EQ(target.message, QString::fromUtf8(c.message)) << c.name;
    }
}

TEST(DeletionTargetTest, QuestionsOfEachPane) {
    EXPECT_EQ(deletionQuestion(PaneKind::Photos, false), QStringLiteral("确定删除此张相片吗？"));
    EXPECT_EQ(deletionQuestion(PaneKind::Photos, true), QStringLiteral("确定删除全部相片吗？"));
    EXPECT_EQ(deletionQuestion(PaneKind::Music, false), QStringLiteral("确定删除这个音乐文件吗？"));
    EXPECT_EQ(deletionQuestion(PaneKind::Music, true), QStringLiteral("确定删除全部音乐文件吗？"));
    EXPECT_EQ(deletionQuestion(PaneKind::Lyrics, false),
              QStringLiteral("确定删除这个歌词文件吗？"));
    EXPECT_EQ(deletionQuestion(PaneKind::Lyrics, true), QStringLiteral("确定删除全部歌词文件吗？"));
}

}  // namespace
}  // namespace orvane
