#include "audio/media_import.h"

#include <gtest/gtest.h>

#include <QImage>

#include "audio/media_thumbnail.h"
#include "support/media_fixtures.h"
#include "support/test_support.h"

namespace orvane {
namespace {

class Recorder : public Progress {
   public:
    void start(int steps, const QString& = {}) override { total = steps; }
    void advance(int steps) override { done += steps; }
    void notice(const QString& text) override { messages << text; }
    int total = 0;
    int done = 0;
    QStringList messages;
};

struct ImportFixture {
    testing::TempDir dir;
    WorkingFolder folder{dir.path()};
    ProjectModel model;
    MediaPanes panes;
    Recorder progress;

    QString song(const std::string& name, double seconds) {
        const fs::path file = dir.path() / "in" / name;
        testing::makeMp3(file, {seconds, 22050, false, true, 1});
        return toQString(file);
    }
    QString lyricPath(const std::string& name) {
        const fs::path file = dir.path() / "in" / name;
        testing::writeFile(file, "[00:01.00]x\n");
        return toQString(file);
    }
    QStringList lyricPaths(int n) {
        QStringList paths;
        for (int i = 1; i <= n; ++i) paths << lyricPath("lyric" + std::to_string(i) + ".lrc");
        return paths;
    }
    std::string thumb(MediaKind kind, int n) {
        return testing::readFile(folder.thumbnail(static_cast<int>(kind), n));
    }
};

TEST(MediaImport, SongsGetTheirFieldsAndBadFilesAreSkipped) {
    ImportFixture f;
    const fs::path bad = f.dir.path() / "in" / "坏的.mp3";
    testing::writeFile(bad, "not sound");
    const QStringList paths = {f.song("甜蜜蜜.MP3", 2.5), toQString(bad), f.song("b.mp3", 1.0)};
    const MediaImportReport report =
        importSongs(f.model, f.folder, f.panes, paths, f.progress).value();

    EXPECT_EQ(report.added, 2);
    ASSERT_EQ(report.skipped.size(), 1);
    EXPECT_EQ(report.skipped[0].file, toQString(bad));
    EXPECT_EQ(report.skipped[0].reason, RefusalReason::UnreadableSong);
    EXPECT_TRUE(report.skipped[0].detail.contains(toQString(bad)));
    EXPECT_EQ(f.progress.messages, QStringList{report.skipped[0].detail});
    EXPECT_EQ(f.progress.done, f.progress.total - 1);  // the skipped file has no pane row
    ASSERT_EQ(f.model.music.size(), 2u);
    const MusicEntry& first = f.model.music.at(0);
    EXPECT_EQ(first.index, QStringLiteral("1"));
    EXPECT_EQ(first.fileName, QStringLiteral("甜蜜蜜"));
    EXPECT_EQ(first.fileType, QStringLiteral(".MP3"));
    EXPECT_EQ(first.location, paths[0]);
    EXPECT_EQ(first.duration, QStringLiteral("00:00:02"));
    EXPECT_EQ(first.frameCount, 50);
    EXPECT_EQ(first.boundLyric, kNone);
    EXPECT_EQ(f.model.music.at(1).index, QStringLiteral("2"));
    EXPECT_EQ(musicPaneRow(first, f.panes.musicBound[0]),
              (QStringList{"1", QStringLiteral("甜蜜蜜"), ".MP3", "00:00:02", paths[0],
                           QStringLiteral("未绑定歌词")}));

    const QImage thumbnail(toQString(f.folder.thumbnail(2, 1)));
    EXPECT_EQ(thumbnail.size(), QSize(130, 115));
    EXPECT_TRUE(fs::exists(f.folder.thumbnail(2, 2)));
    EXPECT_FALSE(fs::exists(f.folder.thumbnail(2, 3)));
}

TEST(MediaImport, NewSongsBindToWaitingLyricsByPosition) {
    ImportFixture f;
    ASSERT_TRUE(importLyrics(f.model, f.folder, f.panes, f.lyricPaths(3), f.progress));
    // Lyric 2 is already bound to some other song: its partner stays unbound.
    f.model.lyrics.at(1).boundMusic = QStringLiteral("elsewhere");
    f.model.lyrics.at(1).boundMusicName = QStringLiteral("other");
    ASSERT_TRUE(importSongs(f.model, f.folder, f.panes,
                            {f.song("a.mp3", 1.0), f.song("b.mp3", 1.0)}, f.progress));
    EXPECT_TRUE(isBound(f.model.music.at(0), f.model.lyrics.at(0)));
    EXPECT_EQ(f.model.music.at(0).boundLyricName, QStringLiteral("lyric1"));
    EXPECT_EQ(f.model.lyrics.at(0).boundMusicName, QStringLiteral("a"));
    EXPECT_EQ(f.model.music.at(1).boundLyric, kNone);
    EXPECT_EQ(f.panes.musicBound,
              (QStringList{QStringLiteral("lyric1"), QStringLiteral("未绑定歌词")}));
    EXPECT_EQ(f.panes.lyricBound, (QStringList{"a", "other", QStringLiteral("未绑定歌词")}));

    EXPECT_EQ(musicHintTexts(f.model.music.at(0), 0),
              (QStringList{"a", ".MP3", "00:00:01", QStringLiteral("已绑定歌词"), "lyric1", "1"}));
    EXPECT_EQ(musicHintTexts(f.model.music.at(1), 1),
              (QStringList{"b", ".MP3", "00:00:01", QStringLiteral("未绑定歌词"),
                           QStringLiteral("无"), "2"}));
    EXPECT_EQ(
        lyricHintTexts(f.model.lyrics.at(2), 2),
        (QStringList{"lyric3", ".LRC", QStringLiteral("未绑定音乐"), QStringLiteral("无"), "3"}));

    // A lyric added later binds to the song still waiting at its position.
    f.model.lyrics.at(1).boundMusic = kNone;
    ASSERT_TRUE(importLyrics(f.model, f.folder, f.panes, {f.lyricPath("x.lrc")}, f.progress));
    EXPECT_TRUE(isBound(f.model.music.at(1), f.model.lyrics.at(1)));
    EXPECT_EQ(f.model.lyrics.at(3).fileName, QStringLiteral("x"));
    EXPECT_EQ(f.panes.lyricBound[3], QStringLiteral("未绑定音乐"));
    const LyricEntry& l = f.model.lyrics.at(3);
    EXPECT_EQ(lyricPaneRow(l, f.panes.lyricBound[3]),
              (QStringList{"4", "x", ".lrc", l.location, QStringLiteral("未绑定音乐"), "clWhite",
                           "10", QStringLiteral("黑体"), QStringLiteral("[粗体]"),
                           QStringLiteral("歌词居中"), QStringLiteral("歌词在下面")}));
}

TEST(MediaImport, RemovingASongRenamesTheThumbnailsAndReleasesItsLyric) {
    ImportFixture f;
    ASSERT_TRUE(importLyrics(f.model, f.folder, f.panes, f.lyricPaths(2), f.progress));
    ASSERT_TRUE(importSongs(
        f.model, f.folder, f.panes,
        {f.song("one.mp3", 1.0), f.song("two.mp3", 1.0), f.song("three.mp3", 1.0)}, f.progress));
    const std::string third = f.thumb(MediaKind::Song, 3);
    EXPECT_NE(third, f.thumb(MediaKind::Song, 2));

    EXPECT_EQ(removeSong(f.model, f.folder, f.panes, std::nullopt).error().message,
              QStringLiteral("没有选中音乐文件！"));
    ASSERT_TRUE(removeSong(f.model, f.folder, f.panes, 1).has_value());
    ASSERT_EQ(f.model.music.size(), 2u);
    EXPECT_EQ(f.model.music.at(1).index, QStringLiteral("2"));
    EXPECT_EQ(f.model.music.at(1).fileName, QStringLiteral("three"));
    EXPECT_EQ(f.thumb(MediaKind::Song, 2), third);
    EXPECT_FALSE(fs::exists(f.folder.thumbnail(2, 3)));
    EXPECT_EQ(f.model.lyrics.at(1).boundMusic, kNone);
    EXPECT_EQ(f.panes.lyricBound[1], QStringLiteral("未绑定音乐"));
    EXPECT_EQ(f.panes.musicBound.size(), 2);

    removeAllSongs(f.model, f.folder, f.panes);
    EXPECT_TRUE(f.model.music.empty());
    EXPECT_EQ(f.model.lyrics.at(0).boundMusic, kNone);
    EXPECT_TRUE(fs::is_empty(f.folder.thumbnailFolder(2)));
    EXPECT_EQ(f.model.settings.syncMode, SyncMode::Photos);
}

TEST(MediaImport, RemovingASongKeepsALyricAnotherSongStillUses) {
    ImportFixture f;
    ASSERT_TRUE(importLyrics(f.model, f.folder, f.panes, f.lyricPaths(1), f.progress));
    ASSERT_TRUE(importSongs(f.model, f.folder, f.panes,
                            {f.song("a.mp3", 1.0), f.song("b.mp3", 1.0)}, f.progress));
    f.model.music.at(1).boundLyric = f.model.music.at(0).boundLyric;
    ASSERT_TRUE(removeSong(f.model, f.folder, f.panes, 0).has_value());
    EXPECT_TRUE(isBound(f.model.music.at(0), f.model.lyrics.at(0)));
    EXPECT_EQ(f.model.lyrics.at(0).boundMusicName, QStringLiteral("b"));
}

TEST(MediaImport, RemovingLyricsUnbindsTheirSongs) {
    ImportFixture f;
    ASSERT_TRUE(importSongs(f.model, f.folder, f.panes,
                            {f.song("a.mp3", 1.0), f.song("b.mp3", 1.0)}, f.progress));
    ASSERT_TRUE(importLyrics(f.model, f.folder, f.panes, f.lyricPaths(3), f.progress));
    const std::string last = f.thumb(MediaKind::Lyric, 3);
    ASSERT_TRUE(removeLyric(f.model, f.folder, f.panes, 0).has_value());
    EXPECT_EQ(f.model.music.at(0).boundLyric, kNone);
    EXPECT_EQ(f.panes.musicBound[0], QStringLiteral("未绑定歌词"));
    EXPECT_TRUE(isBound(f.model.music.at(1), f.model.lyrics.at(0)));
    EXPECT_EQ(f.thumb(MediaKind::Lyric, 2), last);
    EXPECT_EQ(f.model.lyrics.at(1).index, QStringLiteral("2"));

    removeAllLyrics(f.model, f.folder, f.panes);
    EXPECT_TRUE(f.model.lyrics.empty());
    EXPECT_EQ(f.model.music.at(1).boundLyric, kNone);
    EXPECT_EQ(f.panes.musicBound,
              (QStringList{QStringLiteral("未绑定音乐"), QStringLiteral("未绑定音乐")}));
    EXPECT_TRUE(fs::is_empty(f.folder.thumbnailFolder(3)));
}

TEST(MediaImport, AFailedImportLeavesTheProjectAsItWas) {
    ImportFixture f;
    ASSERT_TRUE(importLyrics(f.model, f.folder, f.panes, f.lyricPaths(1), f.progress));
    const MediaPanes before = f.panes;
    // A file where the thumbnail folder should be: no thumbnail can be written.
    fs::remove_all(f.folder.thumbnailFolder(2));
    testing::writeFile(f.folder.thumbnailFolder(2), "in the way");
    EXPECT_THROW(importSongs(f.model, f.folder, f.panes, {f.song("a.mp3", 1.0)}, f.progress),
                 OrvaneError);
    EXPECT_TRUE(f.model.music.empty());
    EXPECT_EQ(f.model.lyrics.at(0).boundMusic, kNone);
    EXPECT_EQ(f.panes.lyricBound, before.lyricBound);
    EXPECT_EQ(f.panes.musicBound, before.musicBound);
}

TEST(MediaImport, NamesLoseTheirExtensionInCharactersNotBytes) {
    EXPECT_EQ(mediaDisplayName(QStringLiteral("/music/月亮代表我的心.mp3")),
              QStringLiteral("月亮代表我的心"));
    EXPECT_EQ(mediaDisplayName(QStringLiteral("/a/歌词.lrc")), QStringLiteral("歌词"));
    // Songs are known by their content too, so a name need not end in ".mp3".
    EXPECT_EQ(mediaDisplayName(QStringLiteral("/a/x.flac")), QStringLiteral("x"));
    EXPECT_EQ(mediaDisplayName(QStringLiteral("/a/ab")), QStringLiteral("ab"));
    EXPECT_EQ(mediaFileType(QStringLiteral("/a.b/song.Mp3")), QStringLiteral(".Mp3"));
    EXPECT_EQ(mediaFileType(QStringLiteral("/a.b/song")), QString());
}

TEST(MediaThumbnail, CaptionIsCentredOrLeftAligned) {
    const QImage shortName = paintMediaThumbnail(MediaKind::Song, QStringLiteral("ab"));
    const QImage longName =
        paintMediaThumbnail(MediaKind::Song, QStringLiteral("一二三四五六七八九十一二三四"));
    const auto firstWhiteColumn = [](const QImage& image) {
        for (int x = 0; x < image.width(); ++x)
            for (int y = 98; y < 110; ++y)
                if (qGray(image.pixel(x, y)) > 200) return x;
        return -1;
    };
    EXPECT_GT(firstWhiteColumn(shortName), 50);
    const int longStart = firstWhiteColumn(longName);
    EXPECT_GE(longStart, 5);
    EXPECT_LT(longStart, 10);
    EXPECT_NE(paintMediaThumbnail(MediaKind::Lyric, QStringLiteral("ab")), shortName);
}

}  // namespace
}  // namespace orvane
