// The music and lyric previews on a clock the test moves: the refusals, the
// lyric line shown for the second its tag names (and kept until another row
// is found), the line styled by the lyric's attributes in the 679-pixel
// area, and the return to "00:00" with an empty line when the song ends.

#include <QLabel>
#include <QListWidget>

#include "base/fonts.h"
#include "gui/lyrics/lyric_label.h"
#include "gui/lyrics/media_preview_window.h"
#include "lyric_windows_fixture.h"
#include "support/media_fixtures.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class MediaPreviewTest : public LyricWindowsTest {
   protected:
    void addSong(const char* name, double seconds) {
        const fs::path file = dir.path() / (std::string(name) + ".mp3");
        Mp3Options options;
        options.seconds = seconds;
        makeMp3(file, options);
        ProjectModel next = session->model();
        MusicEntry song;
        song.fileName = QString::fromLatin1(name);
        song.location = toQString(file);
        next.music.append(song);
        session->commit(std::move(next));
    }
    void addLyric(const char* name, const std::string& content) {
        const fs::path file = dir.path() / (std::string(name) + ".lrc");
        writeFile(file, content);
        ProjectModel next = session->model();
        LyricEntry lyric;
        lyric.fileName = QString::fromLatin1(name);
        lyric.location = toQString(file);
        lyric.bold = true;
        lyric.hAlign = LyricHAlign::Centre;
        lyric.vAlign = LyricVAlign::Bottom;
        next.lyrics.append(lyric);
        session->commit(std::move(next));
    }
    // Moves the clock to `ms` after the start and runs one refresh.
    void at(MediaPreviewWindow& window, std::int64_t ms) {
        clock->now = ms;
        window.refresh();
    }
};

TEST_F(MediaPreviewTest, TheLyricPreviewRefusesWithoutLyricsOrSongsOrChoices) {
    std::unique_ptr<MediaPlayer> player = manualPlayer();
    MediaPreviewWindow lyricPreview(MediaPreviewWindow::Variant::Lyric, *session, skin, *player,
                                    messageWindow);
    MediaPreviewWindow musicPreview(MediaPreviewWindow::Variant::Music, *session, skin, *player,
                                    messageWindow);
    answerNextMessage();
    lyricPreview.openPreview();
    answerNextMessage();
    musicPreview.openPreview();
    addLyric("words", "[00:01.00]one\n");
    answerNextMessage();
    lyricPreview.openPreview();
    EXPECT_EQ(messages,
              QStringList({"没有添加歌词文件,不能歌词预览！", "没有添加音乐文件,不能音乐预览！",
                           "没有找到音乐文件,添加音乐文件后再进行歌词预览！"}));

    // Inside the window: play with nothing chosen, then with a lyric only.
    addSong("tune", 2.0);
    messages.clear();
    whenShown(QStringLiteral("TForm29"), [&](QWidget* w) {
        answerNextMessage();
        lyricPreview.play();
        lyricPreview.chooseLyric(0);
        answerNextMessage();
        lyricPreview.play();
        EXPECT_FALSE(lyricPreview.playing());
        click(w, "Button_fanhui");
    });
    lyricPreview.openPreview();
    EXPECT_EQ(messages, QStringList({"没有选择歌词文件！",
                                     "没有选择音乐文件！选择音乐文件后再进行歌词预览"}));
}

TEST_F(MediaPreviewTest, TheLineOfTheCurrentSecondIsShownStyledUntilTheSongEnds) {
    addSong("tune", 5.0);
    addLyric("words", "[ti:Song]\n[00:00.50]never\n[00:01.40]first line\n[00:03.00]second line\n");
    std::unique_ptr<MediaPlayer> player = manualPlayer();
    MediaPreviewWindow window(MediaPreviewWindow::Variant::Lyric, *session, skin, *player,
                              messageWindow);
    whenShown(QStringLiteral("TForm29"), [&](QWidget* w) {
        EXPECT_EQ(find<QListWidget>(w, "ListBox_yinyue")->count(), 1);
        EXPECT_EQ(find<QListWidget>(w, "ListBox_geci")->count(), 1);
        window.chooseLyric(0);
        window.chooseSong(0);
        EXPECT_EQ(window.totalLabel()->text(), "00:05");
        window.play();
        ASSERT_TRUE(window.playing());

        // 00:00 finds the empty first row before the line tagged 00:00.50.
        at(window, 600);
        EXPECT_EQ(window.elapsedLabel()->text(), "00:00");
        EXPECT_EQ(window.shownLine(), "");
        // The line tagged 00:01.40 is shown from the start of second 1.
        at(window, 1000);
        EXPECT_EQ(window.shownLine(), "first line");
        // Second 2 has no row: the line stays.
        at(window, 2500);
        EXPECT_EQ(window.elapsedLabel()->text(), "00:02");
        EXPECT_EQ(window.shownLine(), "first line");
        at(window, 3100);
        EXPECT_EQ(window.shownLine(), "second line");

        // Size 10 in the 679-pixel area is 10 × 679 div 513 = 13; centred at
        // the bottom of the 679 × 390 area.
        const LyricLabelWidget* label = window.lyricLabel();
        EXPECT_EQ(label->textFont().pixelSize(), pointsToPixels(13));
        EXPECT_TRUE(label->textFont().bold());
        EXPECT_EQ(label->x(), (679 - label->width()) / 2);
        EXPECT_EQ(label->y(), 390 - label->height() - 10);

        // The song ends: back to 00:00 with no line.
        at(window, 5600);
        EXPECT_FALSE(window.playing());
        EXPECT_EQ(window.elapsedLabel()->text(), "00:00");
        EXPECT_EQ(window.shownLine(), "");
        EXPECT_TRUE(player->fileName().isEmpty());
        click(w, "Button_fanhui");
    });
    window.openPreview();
}

TEST_F(MediaPreviewTest, AnotherSongKeepsTheChosenLyricAndClosingStopsThePlayer) {
    addSong("first", 3.0);
    addSong("second", 4.0);
    addLyric("words", "[00:01.00]hello\n");
    std::unique_ptr<MediaPlayer> player = manualPlayer();
    MediaPreviewWindow window(MediaPreviewWindow::Variant::Music, *session, skin, *player,
                              messageWindow);
    whenShown(QStringLiteral("TForm28"), [&](QWidget* w) {
        window.chooseLyric(0);
        window.chooseSong(0);
        window.chooseSong(1);
        EXPECT_EQ(window.totalLabel()->text(), "00:04");
        window.play();
        at(window, 1200);
        EXPECT_EQ(window.shownLine(), "hello");
        EXPECT_EQ(player->mode(), MediaPlayer::Mode::Playing);
        EXPECT_TRUE(player->fileName().endsWith("second.mp3"));
        w->close();  // the close mark
    });
    window.openPreview();
    EXPECT_FALSE(window.playing());
    EXPECT_NE(player->mode(), MediaPlayer::Mode::Playing);
    EXPECT_EQ(window.shownLine(), "");
}

}  // namespace
}  // namespace orvane
