// The binding commands of the music and lyric panes: the preconditions and
// their messages before any window opens, the question window QuestionWindow with
// its caption per action, the bind window ListChoiceWindow that stays open without a
// choice, and the results in the model and the panes' bound columns.

#include <QTreeWidget>

#include "media_world.h"

namespace orvane::testing {
namespace {

class BindingWindowsTest : public MediaWorld {
   protected:
    void SetUp() override { open({}); }

    // A project of `songs` songs and `lyrics` lyric files, none bound.
    void project(int songs, int lyrics) {
        ProjectModel next = model();
        next.music.clear();
        next.lyrics.clear();
        for (int i = 0; i < songs; ++i) {
            MusicEntry song;
            song.fileName = QStringLiteral("song%1").arg(i + 1);
            song.fileType = QStringLiteral(".mp3");
            next.music.append(song);
        }
        for (int i = 0; i < lyrics; ++i) {
            LyricEntry lyric;
            lyric.fileName = QStringLiteral("lyric%1").arg(i + 1);
            lyric.fileType = QStringLiteral(".lrc");
            next.lyrics.append(lyric);
        }
        session->commit(std::move(next));
        browser().refreshAll();
    }
};

TEST_F(BindingWindowsTest, EachCommandChecksItsPreconditionsBeforeAnyWindowOpens) {
    struct Case {
        int pane;
        const char* command;
        int songs, lyrics;
        bool select;
        const char* window;  // what shows: "" nothing, "TForm8" a message, or the window
        const char* text;    // the message or question
        const char* caption;
    };
    const Case cases[] = {
        {1, "全解绑", 0, 2, true, "", "", ""},
        {2, "全解绑", 2, 0, true, "", "", ""},
        {1, "全解绑", 2, 2, false, "TForm14", "确定全部解除绑定吗？", "全部解绑"},
        {1, "自动绑", 0, 2, true, "", "", ""},
        {1, "自动绑", 2, 0, true, "TForm8", "没有找到歌词文件！", ""},
        {2, "自动绑", 0, 2, true, "TForm8", "没有找到音乐文件！", ""},
        {2, "自动绑", 2, 0, true, "", "", ""},
        {2, "自动绑", 2, 2, false, "TForm14",
         "自动绑定会先解绑所有的绑定,然后按顺序重新自动绑定。确定自动绑定吗？", "自动绑定"},
        {1, "解绑", 0, 2, true, "", "", ""},
        {1, "解绑", 2, 0, true, "TForm8", "没有找到歌词文件！", ""},
        {1, "解绑", 2, 2, false, "TForm8", "没有选中音乐文件！", ""},
        {1, "解绑", 2, 2, true, "TForm14", "确定解除绑定吗？", "解除绑定"},
        {2, "解绑", 0, 2, true, "TForm8", "没有找到音乐文件！", ""},
        {2, "解绑", 2, 0, true, "", "", ""},
        {2, "解绑", 2, 2, false, "TForm8", "没有选中歌词文件！", ""},
        {2, "解绑", 2, 2, true, "TForm14", "确定解除绑定吗？", "解除绑定"},
        {1, "绑定", 0, 2, true, "", "", ""},
        {1, "绑定", 2, 0, true, "TForm8", "没有找到歌词文件！", ""},
        {1, "绑定", 2, 2, false, "TForm8", "没有选中音乐文件！", ""},
        {1, "绑定", 2, 2, true, "TForm15", "从下面列表中选择一个文件绑定", "绑定"},
        {2, "绑定", 0, 2, true, "TForm8", "没有找到音乐文件！", ""},
        {2, "绑定", 2, 0, true, "", "", ""},
        {2, "绑定", 2, 2, false, "TForm8", "没有选中歌词文件！", ""},
        {2, "绑定", 2, 2, true, "TForm15", "从下面列表中选择一个文件绑定", "绑定"},
    };
    modal.on(QStringLiteral("TForm14"), press("取消"));
    modal.on(QStringLiteral("TForm15"), press("取消"));
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.pane) + " " + c.command + " songs " +
                                  std::to_string(c.songs) + " lyrics " + std::to_string(c.lyrics) +
                                  (c.select ? " selected" : " none selected");
        project(c.songs, c.lyrics);
        const bool rows = (c.pane == 1 ? c.songs : c.lyrics) > 0;
        selectInList(c.pane, c.select && rows ? std::vector<int>{1} : std::vector<int>{});
        const ProjectModel before = model();
        modal.shown.clear();
        side(c.pane, c.command);

        if (std::string(c.window).empty()) {
            EXPECT_TRUE(modal.shown.empty()) << label;
            continue;
        }
        ASSERT_EQ(modal.shown.size(), 1u) << label;
        EXPECT_EQ(modal.shown[0].window, QString::fromUtf8(c.window)) << label;
        EXPECT_EQ(modal.shown[0].text, QString::fromUtf8(c.text)) << label;
        if (std::string(c.window) != "TForm8")
            EXPECT_EQ(modal.shown[0].caption, QString::fromUtf8(c.caption)) << label;
        // Nothing was answered with a yes: nothing changed.
        EXPECT_EQ(model().music.rows(), before.music.rows()) << label;
        EXPECT_EQ(model().lyrics.rows(), before.lyrics.rows()) << label;
    }
}

TEST_F(BindingWindowsTest, AutomaticBindingBindsByPositionAndNamesTheSongsLeftOver) {
    project(3, 2);
    modal.on(QStringLiteral("TForm14"), press("确定"));
    side(1, "自动绑");
    EXPECT_EQ(
        messages(),
        QStringList{QStringLiteral("添加的歌词数量与添加的音乐数量不一致,还有 1 个音乐没有绑定")});
    EXPECT_EQ(model().music.at(0).boundLyricName, QStringLiteral("lyric1"));
    EXPECT_EQ(model().music.at(1).boundLyricName, QStringLiteral("lyric2"));
    EXPECT_EQ(model().music.at(2).boundLyric, QStringLiteral("wu"));
    EXPECT_EQ(model().lyrics.at(1).boundMusicName, QStringLiteral("song2"));
    // The lists show what the binding wrote.
    EXPECT_EQ(browser().pane(PaneKind::Music)->reportList()->topLevelItem(0)->text(5),
              QStringLiteral("lyric1"));
    EXPECT_EQ(browser().pane(PaneKind::Lyrics)->reportList()->topLevelItem(1)->text(4),
              QStringLiteral("song2"));

    // Unbinding everything.
    side(2, "全解绑");
    EXPECT_EQ(model().music.at(0).boundLyric, QStringLiteral("wu"));
    EXPECT_EQ(model().lyrics.at(0).boundMusic, QStringLiteral("wu"));
}

TEST_F(BindingWindowsTest, TheBindWindowStaysOpenWithoutAChoiceAndBindsTheChosenFile) {
    project(2, 3);
    int lyricsListed = -1;
    modal.on(QStringLiteral("TForm15"), [&](QWidget* w) {
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("ListView_bangding"));
        lyricsListed = list->topLevelItemCount();
        EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("歌词文件名"));
        buttonOf(w, QStringLiteral("确定"))->click();  // nothing chosen: the message
        EXPECT_TRUE(w->isVisible());
        list->topLevelItem(2)->setSelected(true);
        buttonOf(w, QStringLiteral("确定"))->click();
    });
    selectInList(1, {1});
    side(1, "绑定");
    EXPECT_EQ(lyricsListed, 3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("没有选中歌词文件！")});
    EXPECT_FALSE(windows->window(QStringLiteral("TForm15"))->isVisible());
    EXPECT_EQ(model().music.at(1).boundLyricName, QStringLiteral("lyric3"));
    EXPECT_EQ(model().lyrics.at(2).boundMusicName, QStringLiteral("song2"));
    EXPECT_EQ(browser().pane(PaneKind::Music)->reportList()->topLevelItem(1)->text(5),
              QStringLiteral("lyric3"));

    // From the lyric side: lyric 3 also takes song 1.
    modal.on(QStringLiteral("TForm15"), [](QWidget* w) {
        w->findChild<QTreeWidget*>()->topLevelItem(0)->setSelected(true);
        buttonOf(w, QStringLiteral("确定"))->click();
    });
    selectInList(2, {2});
    side(2, "绑定");
    EXPECT_EQ(model().music.at(0).boundLyric, model().lyrics.at(2).boundMusic);
    EXPECT_EQ(model().lyrics.at(2).boundMusicName, QStringLiteral("绑定2个音乐"));
}

}  // namespace
}  // namespace orvane::testing
