#include "audio/binding.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// A model with songs "s1"… and lyrics "l1"…, all unbound.
struct Fixture {
    ProjectModel model;
    MediaPanes panes;
    Fixture(int songs, int lyrics) {
        for (int i = 1; i <= songs; ++i) {
            MusicEntry s;
            s.fileName = QStringLiteral("s%1").arg(i);
            model.music.append(s);
        }
        for (int i = 1; i <= lyrics; ++i) {
            LyricEntry l;
            l.fileName = QStringLiteral("l%1").arg(i);
            model.lyrics.append(l);
        }
    }
    MusicEntry& song(int i) { return model.music.at(static_cast<std::size_t>(i)); }
    LyricEntry& lyric(int i) { return model.lyrics.at(static_cast<std::size_t>(i)); }
};

TEST(Binding, KeysAlwaysDiffer) {
    ProjectModel model;
    const QString a = makeBindingKey(model, 1);
    const QString b = makeBindingKey(model, 1);
    EXPECT_NE(a, b);
    EXPECT_NE(a, kNone);
    EXPECT_TRUE(a.contains(QStringLiteral("1-")));
}

TEST(Binding, AutomaticBindingPairsByPositionAndCountsLeftoverSongs) {
    Fixture f(3, 2);
    const auto message = autoBind(f.model, f.panes);
    EXPECT_TRUE(isBound(f.song(0), f.lyric(0)));
    EXPECT_TRUE(isBound(f.song(1), f.lyric(1)));
    EXPECT_FALSE(isBound(f.song(0), f.lyric(1)));
    EXPECT_EQ(f.song(2).boundLyric, kNone);
    EXPECT_EQ(f.song(1).boundLyricName, QStringLiteral("l2"));
    EXPECT_EQ(f.lyric(1).boundMusicName, QStringLiteral("s2"));
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message,
              QStringLiteral("添加的歌词数量与添加的音乐数量不一致,还有 1 个音乐没有绑定"));
    EXPECT_EQ(f.panes.musicBound, (QStringList{"l1", "l2", QStringLiteral("未绑定音乐")}));
    EXPECT_EQ(f.panes.lyricBound, (QStringList{"s1", "s2"}));

    Fixture g(2, 3);
    EXPECT_FALSE(autoBind(g.model, g.panes).has_value());
    EXPECT_EQ(g.lyric(2).boundMusic, kNone);
    EXPECT_EQ(g.panes.lyricBound[2], QStringLiteral("未绑定歌词"));
}

TEST(Binding, SharedLyricCountsItsSongsAndUnbindingOneSongKeepsIt) {
    Fixture f(2, 1);
    ASSERT_TRUE(bindSongManually(f.model, f.panes, 0, 0).has_value());
    ASSERT_TRUE(bindSongManually(f.model, f.panes, 1, 0).has_value());
    EXPECT_EQ(f.song(0).boundLyric, f.song(1).boundLyric);
    EXPECT_EQ(f.lyric(0).boundMusicName, QStringLiteral("绑定2个音乐"));
    EXPECT_EQ(f.panes.lyricBound[0], QStringLiteral("绑定2个音乐"));

    unbindSong(f.model, f.panes, 0);
    EXPECT_EQ(f.song(0).boundLyric, kNone);
    EXPECT_TRUE(isBound(f.song(1), f.lyric(0)));
    EXPECT_EQ(f.lyric(0).boundMusicName, QStringLiteral("绑定2个音乐"));  // until the next recount
    EXPECT_EQ(f.panes.musicBound[0], QStringLiteral("未绑定音乐"));

    unbindSong(f.model, f.panes, 1);  // the last song: the lyric is released
    EXPECT_EQ(f.lyric(0).boundMusic, kNone);
    EXPECT_EQ(f.lyric(0).boundMusicName, kNone);
}

TEST(Binding, MovingASongReleasesItsOldLyric) {
    Fixture f(1, 2);
    autoBind(f.model, f.panes);
    ASSERT_TRUE(isBound(f.song(0), f.lyric(0)));
    ASSERT_TRUE(bindSongManually(f.model, f.panes, 0, 1).has_value());
    EXPECT_TRUE(isBound(f.song(0), f.lyric(1)));
    EXPECT_EQ(f.song(0).boundLyricName, QStringLiteral("l2"));
    EXPECT_EQ(f.lyric(0).boundMusic, kNone);
    EXPECT_EQ(f.panes.lyricBound[0], QStringLiteral("未绑定音乐"));
    EXPECT_EQ(f.panes.lyricBound[1], QStringLiteral("s1"));
}

TEST(Binding, FromTheLyricSideReusesTheLyricsKey) {
    Fixture f(2, 1);
    ASSERT_TRUE(bindLyricManually(f.model, f.panes, 0, 1).has_value());
    EXPECT_TRUE(isBound(f.song(1), f.lyric(0)));
    const QString key = f.lyric(0).boundMusic;
    ASSERT_TRUE(bindLyricManually(f.model, f.panes, 0, 0).has_value());
    EXPECT_EQ(f.song(0).boundLyric, key);
    EXPECT_EQ(f.lyric(0).boundMusicName, QStringLiteral("绑定2个音乐"));
    auto none = bindLyricManually(f.model, f.panes, 0, std::nullopt);
    ASSERT_FALSE(none.has_value());
    EXPECT_EQ(none.error().message, QStringLiteral("没有选中音乐文件！"));
    EXPECT_EQ(bindSongManually(f.model, f.panes, 0, std::nullopt).error().message,
              QStringLiteral("没有选中歌词文件！"));
}

TEST(Binding, UnbindingASharedLyricUnbindsEverySong) {
    Fixture f(3, 1);
    bindSongManually(f.model, f.panes, 0, 0);
    bindSongManually(f.model, f.panes, 2, 0);
    unbindLyric(f.model, f.panes, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.song(i).boundLyric, kNone) << i;
    EXPECT_EQ(f.lyric(0).boundMusic, kNone);
    EXPECT_EQ(f.panes.musicBound[2], QStringLiteral("未绑定音乐"));
    EXPECT_EQ(f.panes.lyricBound[0], QStringLiteral("未绑定音乐"));
}

TEST(Binding, UnbindAllResetsBothSides) {
    Fixture f(2, 2);
    autoBind(f.model, f.panes);
    unbindAll(f.model, f.panes);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(f.song(i).boundLyric, kNone);
        EXPECT_EQ(f.song(i).boundLyricName, kNone);
        EXPECT_EQ(f.lyric(i).boundMusic, kNone);
        EXPECT_EQ(f.lyric(i).boundMusicName, kNone);
    }
}

TEST(Binding, PreconditionsOfEveryEntryPoint) {
    using A = BindingAction;
    using S = PaneSide;
    const QString noLyrics = QStringLiteral("没有找到歌词文件！");
    const QString noSongs = QStringLiteral("没有找到音乐文件！");
    const QString noSong = QStringLiteral("没有选中音乐文件！");
    const QString noLyric = QStringLiteral("没有选中歌词文件！");
    const struct {
        A action;
        S side;
        int songs;
        int lyrics;
        std::optional<int> selected;
        bool proceed;
        QString message;
    } cases[] = {
        {A::UnbindAll, S::Music, 0, 2, 0, false, {}},
        {A::UnbindAll, S::Lyrics, 2, 0, 0, false, {}},
        {A::UnbindAll, S::Music, 1, 1, std::nullopt, true, {}},
        {A::AutoBind, S::Music, 0, 2, std::nullopt, false, {}},
        {A::AutoBind, S::Music, 2, 0, std::nullopt, false, noLyrics},
        {A::AutoBind, S::Lyrics, 0, 2, std::nullopt, false, noSongs},
        {A::AutoBind, S::Lyrics, 2, 0, std::nullopt, false, {}},
        {A::AutoBind, S::Lyrics, 1, 1, std::nullopt, true, {}},
        {A::UnbindOne, S::Music, 0, 1, 0, false, {}},
        {A::UnbindOne, S::Music, 1, 0, 0, false, noLyrics},
        {A::UnbindOne, S::Music, 1, 1, std::nullopt, false, noSong},
        {A::UnbindOne, S::Lyrics, 0, 1, 0, false, noSongs},
        {A::UnbindOne, S::Lyrics, 1, 0, 0, false, {}},
        {A::UnbindOne, S::Lyrics, 1, 1, std::nullopt, false, noLyric},
        {A::Bind, S::Music, 0, 1, 0, false, {}},
        {A::Bind, S::Music, 1, 0, 0, false, noLyrics},
        {A::Bind, S::Music, 1, 1, std::nullopt, false, noSong},
        {A::Bind, S::Music, 1, 1, 0, true, {}},
        {A::Bind, S::Lyrics, 0, 1, 0, false, noSongs},
        {A::Bind, S::Lyrics, 1, 0, 0, false, {}},
        {A::Bind, S::Lyrics, 1, 1, std::nullopt, false, noLyric},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(n++);
        Fixture f(c.songs, c.lyrics);
        const BindingCheck check = checkBindingAction(c.action, c.side, f.model, c.selected);
        EXPECT_EQ(check.proceed, c.proceed);
        EXPECT_EQ(check.message, c.message);
    }
}

}  // namespace
}  // namespace orvane
