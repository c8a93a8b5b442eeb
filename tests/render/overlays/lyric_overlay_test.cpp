#include "render/overlays/lyric_overlay.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "base/fonts.h"
#include "overlay_fixtures.h"

namespace orvane {
namespace {

using testing::OverlayProject;

struct Expected {
    int frame;
    int song;  // position in the song order
    const char* caption;
    bool running;
};

void expectFrames(LyricOverlay& lyric, const std::vector<Expected>& expected) {
    int frame = 0;
    for (const Expected& e : expected) {
        while (frame < e.frame) {
            lyric.advanceFrame();
            ++frame;
        }
        SCOPED_TRACE(::testing::Message() << "frame " << e.frame);
        EXPECT_EQ(lyric.songPosition(), e.song);
        EXPECT_EQ(lyric.caption(), QString::fromUtf8(e.caption));
        EXPECT_EQ(lyric.running(), e.running);
    }
}

TEST(LyricOverlay, TheLyricSwitchesAtEachSongsFrameCount) {
    OverlayProject p;
    const int first = p.addLyric("[00:01.00]甲\n[00:03.00]乙\n");
    const int second = p.addLyric("[00:01.00]丙\n[00:02.50]丁\n");
    p.addSong(100, first);
    p.addSong(75, second);
    std::vector<UserError> messages;
    LyricOverlay lyric(p.model, {}, messages);
    ASSERT_TRUE(lyric.enabled());
    expectFrames(lyric, {
                            {0, 0, "", true},
                            {24, 0, "", true},
                            {25, 0, "甲", true},  // song clock 00:01
                            {74, 0, "甲", true},
                            {75, 0, "乙", true},  // 00:03
                            {99, 0, "乙", true},  // the song's last frame
                            {100, 1, "", true},   // 100th counted frame: next song, empty line
                            {124, 1, "", true},
                            {125, 1, "丙", true},  // the next song's own 00:01
                            {150, 1, "丁", true},
                            {174, 1, "丁", true},
                            {175, 2, "", false},  // after the last song the lyrics stop
                            {400, 2, "", false},
                        });
    EXPECT_TRUE(messages.empty());
}

TEST(LyricOverlay, ASongOfThreeMinutesTwentyEndsItsLyricAfterItsFiveThousandthFrame) {
    OverlayProject p;
    p.addSong(5000, p.addLyric("[03:19.00]最后一句\n"));
    p.addSong(5000, p.addLyric("[00:01.00]第二首\n"));
    std::vector<UserError> messages;
    LyricOverlay lyric(p.model, {}, messages);
    expectFrames(lyric, {
                            {4975, 0, "最后一句", true},
                            {4999, 0, "最后一句", true},
                            {5000, 1, "", true},
                            {5024, 1, "", true},
                            {5025, 1, "第二首", true},
                        });
}

TEST(LyricOverlay, SongsFollowTheGivenOrderAndShowOnlyTheirOwnLyric) {
    OverlayProject p;
    const int shared = p.addLyric("[00:01.00]共\n");
    p.addSong(40, shared);
    p.addSong(40);  // no lyric bound
    p.addSong(40, shared);
    std::vector<UserError> messages;
    // The songs repeated to fill the album: 0 1 2 0.
    LyricOverlay lyric(p.model, {0, 1, 2, 0}, messages);
    expectFrames(lyric, {
                            {25, 0, "共", true},
                            {39, 0, "共", true},
                            {65, 1, "", true},     // a song without a lyric shows none
                            {105, 2, "共", true},  // a lyric shared by two songs
                            {145, 3, "共", true},
                            {160, 4, "", false},
                        });
}

TEST(LyricOverlay, AnUnreadableLyricLeavesItsSongWithoutLinesAndIsReported) {
    OverlayProject p;
    const int missing = p.addLyric("", "gone.lrc");
    const int good = p.addLyric("[00:01.00]好\n");
    p.addSong(30, missing);
    p.addSong(30, good);
    std::vector<UserError> messages;
    LyricOverlay lyric(p.model, {}, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].message.contains("gone.lrc"));
    // The facts, for the windows to word.
    EXPECT_EQ(messages[0].problem, Problem::LyricUnreadable);
    EXPECT_TRUE(messages[0].subject.endsWith("gone.lrc"));
    expectFrames(lyric, {{5, 0, "", true}, {55, 1, "好", true}});
}

TEST(LyricOverlay, TheLyricKindDecidesWhetherLrcLinesAreDrawn) {
    struct Case {
        const char* kind;
        bool karaokeRows;
        bool drawn;
    };
    const Case cases[] = {
        {"shiyong_lrc", true, true},
        {"shiyong_lrcksc", true, true},
        {"shiyong_ksc", true, false},
        {"shiyong_ksc", false, true},
    };
    for (const Case& c : cases) {
        OverlayProject p;
        p.addSong(50, p.addLyric("[00:00.00]x\n"));
        if (c.karaokeRows) p.addKaraoke("");
        p.model.settings.lyricKind = enumFromLegacy<LyricKind>(QLatin1String(c.kind)).value();
        std::vector<UserError> messages;
        const LyricOverlay lyric(p.model, {}, messages);
        EXPECT_EQ(lyric.enabled(), c.drawn) << c.kind;
    }
    OverlayProject noSongs;
    noSongs.addLyric("[00:00.00]x\n");
    std::vector<UserError> messages;
    EXPECT_FALSE(LyricOverlay(noSongs.model, {}, messages).enabled());
}

TEST(LyricOverlay, TheLabelIsStyledAtTheAlbumScaleAndPlacedInTheFrame) {
    OverlayProject p;
    const int row = p.addLyric("[00:01.00]歌词一行\n");
    p.model.lyrics.at(0).fontSize = 20;
    p.addSong(100, row);
    std::vector<UserError> messages;
    LyricOverlay lyric(p.model, {}, messages);
    for (int i = 0; i < 25; ++i) lyric.advanceFrame();
    const std::optional<LyricLabel> label = lyric.label();
    ASSERT_TRUE(label);
    EXPECT_EQ(label->font.pixelSize(), pointsToPixels(20 * 1920 / 513));
    const QFontMetrics metrics(label->font);
    const int w = metrics.horizontalAdvance("歌词一行");
    EXPECT_EQ(label->rect,
              QRect((1920 - w) / 2, 1080 - metrics.height() - 10, w, metrics.height()));
}

}  // namespace
}  // namespace orvane
