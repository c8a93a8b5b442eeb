#include "audio/media_reorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "audio/binding.h"
#include "base/thumbnail_store.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

// Songs s1 s2 s3 and lyrics l1 l2 l3 bound by position, then s3 moved to l1:
// l1 serves two songs and l3 waits unbound. Every thumbnail file says whose
// it is ("song s1", "lyric l2").
struct BoundMedia {
    TempDir tmp;
    WorkingFolder wf{tmp.path()};
    ProjectModel model;
    MediaPanes panes;
    std::map<QString, QString> lyricOfSong;  // song name → bound lyric name, or ""
    std::map<QString, QString> musicCell;    // song name → its pane cell
    std::map<QString, QString> lyricCell;    // lyric name → its pane cell
    std::map<QString, LyricEntry> lyricRow;  // lyric name → its row

    BoundMedia() {
        for (int i = 1; i <= 3; ++i) {
            MusicEntry s;
            s.fileName = QStringLiteral("s%1").arg(i);
            s.location = QStringLiteral("/music/s%1.mp3").arg(i);
            model.music.append(s);
            LyricEntry l;
            l.fileName = QStringLiteral("l%1").arg(i);
            l.fontSize = 10 + i;
            model.lyrics.append(l);
            writeFile(wf.thumbnail(2, i), "song " + s.fileName.toStdString());
            writeFile(wf.thumbnail(3, i), "lyric " + l.fileName.toStdString());
        }
        autoBind(model, panes);
        EXPECT_TRUE(bindSongManually(model, panes, 2, 0).has_value());
        remember();
    }

    QString boundLyricName(int song) const {
        const int row = boundLyricRow(model, song);
        return row < 0 ? QString() : model.lyrics.at(static_cast<std::size_t>(row)).fileName;
    }

    void remember() {
        for (int i = 0; i < model.music.count(); ++i) {
            const QString name = model.music.at(static_cast<std::size_t>(i)).fileName;
            lyricOfSong[name] = boundLyricName(i);
            musicCell[name] = panes.musicBound.value(i);
        }
        for (int q = 0; q < model.lyrics.count(); ++q) {
            const LyricEntry& l = model.lyrics.at(static_cast<std::size_t>(q));
            lyricCell[l.fileName] = panes.lyricBound.value(q);
            lyricRow[l.fileName] = l;
        }
    }

    QStringList songs() const {
        QStringList out;
        for (const MusicEntry& s : model.music) out << s.fileName;
        return out;
    }
    QStringList lyrics() const {
        QStringList out;
        for (const LyricEntry& l : model.lyrics) out << l.fileName;
        return out;
    }

    // The files of one thumbnail folder, by name, with their content.
    std::map<std::string, std::string> thumbnails(int kind) const {
        std::map<std::string, std::string> out;
        for (const auto& e : fs::directory_iterator(wf.thumbnailFolder(kind)))
            out[e.path().filename().string()] = readFile(e.path());
        return out;
    }
    std::map<std::string, std::string> expectedThumbnails(int kind, const QStringList& names,
                                                          const char* word) const {
        std::map<std::string, std::string> out;
        for (int j = 0; j < names.size(); ++j)
            out[wf.thumbnail(kind, j + 1).filename().string()] =
                std::string(word) + " " + names[j].toStdString();
        return out;
    }
};

TEST(MediaReorderFixture, StartsWithASharedAndAnUnboundLyric) {
    BoundMedia m;
    EXPECT_EQ(m.panes.musicBound, (QStringList{"l1", "l2", "l1"}));
    EXPECT_EQ(m.panes.lyricBound, (QStringList{"绑定2个音乐", "s2", "未绑定音乐"}));
}

struct MediaCase {
    const char* name;
    std::function<Result<void>(BoundMedia&)> reorder;
    QStringList songs;
    QStringList lyrics;
};

void PrintTo(const MediaCase& c, std::ostream* os) { *os << c.name; }

class MediaReorder : public ::testing::TestWithParam<MediaCase> {};

TEST_P(MediaReorder, BindingsPaneCellsAndThumbnailsFollowTheirRows) {
    const MediaCase& c = GetParam();
    BoundMedia m;
    ASSERT_TRUE(c.reorder(m).has_value());

    ASSERT_EQ(m.songs(), c.songs);
    ASSERT_EQ(m.lyrics(), c.lyrics);
    for (int i = 0; i < m.model.music.count(); ++i) {
        const MusicEntry& s = m.model.music.at(static_cast<std::size_t>(i));
        EXPECT_EQ(s.index, QString::number(i + 1));
        EXPECT_EQ(m.boundLyricName(i), m.lyricOfSong[s.fileName]) << "song " << i + 1;
        EXPECT_EQ(m.panes.musicBound.value(i), m.musicCell[s.fileName]);
    }
    for (int q = 0; q < m.model.lyrics.count(); ++q) {
        LyricEntry l = m.model.lyrics.at(static_cast<std::size_t>(q));
        EXPECT_EQ(l.index, QString::number(q + 1));
        EXPECT_EQ(m.panes.lyricBound.value(q), m.lyricCell[l.fileName]);
        l.index = m.lyricRow[l.fileName].index;
        EXPECT_EQ(rowToTexts(l, lyricFields()), rowToTexts(m.lyricRow[l.fileName], lyricFields()));
    }
    EXPECT_EQ(m.panes.musicBound.size(), 3);
    EXPECT_EQ(m.panes.lyricBound.size(), 3);
    EXPECT_EQ(m.thumbnails(2), m.expectedThumbnails(2, c.songs, "song"));
    EXPECT_EQ(m.thumbnails(3), m.expectedThumbnails(3, c.lyrics, "lyric"));
}

const QStringList kSongs{"s1", "s2", "s3"};
const QStringList kLyrics{"l1", "l2", "l3"};

INSTANTIATE_TEST_SUITE_P(
    Cases, MediaReorder,
    ::testing::Values(
        MediaCase{"ExchangeFirstAndLastSong",
                  [](BoundMedia& m) { return exchangeSongs(m.model, m.wf, m.panes, 0, 2); },
                  {"s3", "s2", "s1"},
                  kLyrics},
        MediaCase{"MoveFirstSongToTheEnd",
                  [](BoundMedia& m) { return moveSong(m.model, m.wf, m.panes, 0, 2); },
                  {"s2", "s3", "s1"},
                  kLyrics},
        MediaCase{"ExchangeSharedAndUnboundLyric",
                  [](BoundMedia& m) { return exchangeLyrics(m.model, m.wf, m.panes, 2, 0); },
                  kSongs,
                  {"l3", "l2", "l1"}},
        MediaCase{"MoveLastLyricToTheFront",
                  [](BoundMedia& m) { return moveLyric(m.model, m.wf, m.panes, 2, 0); },
                  kSongs,
                  {"l3", "l1", "l2"}},
        MediaCase{"ReleaseWithoutExchange",
                  [](BoundMedia& m) { return exchangeSongs(m.model, m.wf, m.panes, 1, 1); }, kSongs,
                  kLyrics}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MediaReorderFiles, AMissingThumbnailIsPassedOverAndTheOthersFollow) {
    BoundMedia m;
    fs::remove(m.wf.thumbnail(2, 2));
    ASSERT_TRUE(moveSong(m.model, m.wf, m.panes, 1, 0).has_value());
    EXPECT_EQ(m.songs(), (QStringList{"s2", "s1", "s3"}));
    auto expected = m.expectedThumbnails(2, m.songs(), "song");
    expected.erase(m.wf.thumbnail(2, 1).filename().string());
    EXPECT_EQ(m.thumbnails(2), expected);
}

TEST(MediaReorderFiles, AThumbnailNameInTheWayChangesNothing) {
    BoundMedia m;
    writeFile(m.wf.renumberingThumbnail(3, 2), "left over");
    const auto before = m.thumbnails(3);
    const MediaPanes panes = m.panes;
    EXPECT_FALSE(exchangeLyrics(m.model, m.wf, m.panes, 0, 1).has_value());
    EXPECT_EQ(m.lyrics(), kLyrics);
    EXPECT_EQ(m.panes.lyricBound, panes.lyricBound);
    EXPECT_EQ(m.thumbnails(3), before);
}

QImage solid(QColor colour) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(ThumbnailStore, PicturesFollowTheFilesThroughReorderRewriteAndRemoval) {
    BoundMedia m;
    ASSERT_TRUE(solid(Qt::red).save(toQString(m.wf.thumbnail(2, 1)), "BMP"));
    ASSERT_TRUE(solid(Qt::green).save(toQString(m.wf.thumbnail(2, 2)), "BMP"));
    fs::create_directories(m.wf.thumbnailFolder(1));
    ASSERT_TRUE(solid(Qt::blue).save(toQString(m.wf.thumbnail(1, 1)), "BMP"));
    ThumbnailStore store(m.wf);
    const auto colour = [&](ThumbnailKind kind, int row) {
        return store.image(kind, row).pixelColor(3, 3);
    };

    EXPECT_EQ(colour(ThumbnailKind::Song, 0), QColor(Qt::red));
    EXPECT_EQ(colour(ThumbnailKind::Photo, 0), QColor(Qt::blue));
    // A second look at an unchanged file is the same picture, not a new read.
    EXPECT_EQ(store.image(ThumbnailKind::Song, 0).cacheKey(),
              store.image(ThumbnailKind::Song, 0).cacheKey());
    EXPECT_EQ(loadThumbnail(m.wf, ThumbnailKind::Song, 2).pixelColor(3, 3), QColor(Qt::green));

    ASSERT_TRUE(exchangeSongs(m.model, m.wf, m.panes, 0, 1).has_value());
    EXPECT_EQ(colour(ThumbnailKind::Song, 0), QColor(Qt::green));
    EXPECT_EQ(colour(ThumbnailKind::Song, 1), QColor(Qt::red));

    // Rewritten in place with a picture of the same size.
    ASSERT_TRUE(solid(Qt::yellow).save(toQString(m.wf.thumbnail(2, 1)), "BMP"));
    EXPECT_EQ(colour(ThumbnailKind::Song, 0), QColor(Qt::yellow));

    fs::remove(m.wf.thumbnail(2, 2));
    EXPECT_TRUE(store.image(ThumbnailKind::Song, 1).isNull());
    // Not a picture at all (the fixture's song 3 file is text).
    EXPECT_TRUE(store.image(ThumbnailKind::Song, 2).isNull());
    EXPECT_TRUE(store.image(ThumbnailKind::Lyric, 7).isNull());
}

}  // namespace
