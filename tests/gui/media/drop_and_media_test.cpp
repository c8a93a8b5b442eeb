// Songs and lyric files added through their commands, and files dropped
// from the file manager onto the main window.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "gui/media/media_commands.h"
#include "media_world.h"
#include "support/media_fixtures.h"

namespace orvane::testing {
namespace {

class DropAndMediaTest : public MediaWorld {};

TEST_F(DropAndMediaTest, SongsAndLyricsAreAddedBoundByPositionAndShownInTheirPanes) {
    open({});
    // The sample song beside the program is proposed.
    std::filesystem::create_directories(dir.path() / "yinyuegeci");
    makeMp3(dir.path() / "yinyuegeci" / "甜蜜蜜.mp3", {.seconds = 1.0});
    chooser->answers.push_back({song("one.mp3"), textFile("bad.mp3", "not a song")});
    command("添加音乐");
    ASSERT_EQ(chooser->filters.back(), QStringLiteral("添加音乐文件(MP3)|*.mp3;*.MP3;"));
    EXPECT_EQ(chooser->proposals.back(), toQString(dir.path() / "yinyuegeci" / "甜蜜蜜.mp3"));
    ASSERT_EQ(model().music.count(), 1);
    EXPECT_EQ(browser().currentPane(), PaneKind::Music);
    EXPECT_EQ(browser().pane(PaneKind::Music)->thumbnails().size(), 1u);
    ASSERT_EQ(messages().size(), 1);  // the song that could not be read
    EXPECT_EQ(messages()[0],
              textFile("bad.mp3", "not a song") + QStringLiteral(" 不是可读的 MP3 音乐"));

    chooser->answers.push_back({lyric("one.lrc"), lyric("two.lrc")});
    command("添加歌词");
    EXPECT_EQ(chooser->filters.back(), QStringLiteral("添加歌词文件(LRC)|*.lrc;*.LRC;"));
    EXPECT_TRUE(chooser->proposals.back().isEmpty());  // no sample lyric file
    ASSERT_EQ(model().lyrics.count(), 2);
    EXPECT_EQ(browser().currentPane(), PaneKind::Lyrics);
    EXPECT_EQ(model().music.at(0).boundLyricName, QStringLiteral("one"));
    EXPECT_EQ(browser().pane(PaneKind::Lyrics)->reportList()->topLevelItem(1)->text(4),
              QStringLiteral("未绑定音乐"));

    // Removing the song through TForm12 releases its lyric.
    modal.on(QStringLiteral("TForm12"), press("确定删除"));
    selectInList(1, {0});
    QImage shown(20, 20, QImage::Format_RGB32);
    shown.fill(Qt::red);
    browser().previewBox()->showPicture(QStringLiteral("        音乐缩略图预览"), shown);
    side(1, "删除");
    EXPECT_EQ(lastShown("TForm12").text, QStringLiteral("确定删除这个音乐文件吗？"));
    EXPECT_EQ(model().music.count(), 0);
    EXPECT_EQ(model().lyrics.at(0).boundMusic, QStringLiteral("wu"));
    EXPECT_EQ(browser().previewBox()->caption(), QStringLiteral("        缩略图预览"));
    EXPECT_TRUE(browser().previewBox()->picture().isNull());
    // Lyrics: nothing selected, then all of them through TForm13.
    modal.on(QStringLiteral("TForm13"), press("确定删除"));
    selectInList(2, {});
    side(2, "删除");
    EXPECT_EQ(messages().back(), QStringLiteral("没有选中歌词文件！"));
    side(2, "全删");
    EXPECT_EQ(lastShown("TForm13").text, QStringLiteral("确定删除全部歌词文件吗？"));
    EXPECT_EQ(model().lyrics.count(), 0);
}

TEST_F(DropAndMediaTest, MixedFilesDroppedOnTheMainWindowAreAddedByKind) {
    open({{"land", landscape("movie-land")}});
    const QString notes = textFile("notes.txt", "some notes");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(lyric("words.lrc")), QUrl::fromLocalFile(notes),
                  QUrl::fromLocalFile(song("tune.mp3")),
                  QUrl::fromLocalFile(photo("view.jpg", 400, 300))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&main(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(&main(), &drop);
    ASSERT_TRUE(drop.isAccepted());

    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages().isEmpty(); }, 20000));
    EXPECT_EQ(model().photos.count(), 1);
    EXPECT_EQ(model().music.count(), 1);
    EXPECT_EQ(model().lyrics.count(), 1);
    // The song and the lyric file were bound by position.
    EXPECT_EQ(model().music.at(0).boundLyricName, QStringLiteral("words"));
    EXPECT_EQ(browser().pane(PaneKind::Photos)->thumbnails().size(), 1u);
    EXPECT_EQ(browser().currentPane(), PaneKind::Photos);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], notes + QStringLiteral(" 不是相片、音乐或歌词文件"));

    // A drag of no files is not taken.
    QMimeData text;
    text.setText(QStringLiteral("just text"));
    QDragEnterEvent plain(QPoint(300, 300), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    plain.ignore();
    QApplication::sendEvent(&main(), &plain);
    EXPECT_FALSE(plain.isAccepted());
}

// Photos under every JPEG name, in any case, or under another name; a song
// named in upper case; text and empty files named as photos and a file of no
// kind: every file that is not added is named in the one message.
TEST_F(DropAndMediaTest, DroppedFilesAreTakenByContentAndEveryRefusedFileIsNamed) {
    open({{"land", landscape("movie-land")}});
    const QStringList photos = {
        photo("a.jpeg", 400, 300),      photo("b.jpe", 400, 300),
        photo("c.jfif", 400, 300),      photo("D.JPG", 400, 300),
        photo("e.Jpeg", 400, 300),      photo("really a jpeg.png", 400, 300),
        photo("no extension", 400, 300)};
    const QString notes = textFile("notes.txt", "some notes");
    const QString textJpg = textFile("text.jpg", "this is not a photo");
    const QString emptyJpg = textFile("empty.jpg", "");
    const QString gone = toQString(dir.path() / "photos" / "gone.jpg");
    QList<QUrl> urls;
    for (const QString& file : photos) urls << QUrl::fromLocalFile(file);
    for (const QString& file : {notes, textJpg, song("LOUD.MP3"), emptyJpg, lyric("WORDS.LRC")})
        urls << QUrl::fromLocalFile(file);
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(&main(), &drop);
    ASSERT_TRUE(drop.isAccepted());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages().isEmpty(); }, 20000));

    EXPECT_EQ(model().photos.count(), photos.size());
    EXPECT_EQ(model().music.count(), 1);
    EXPECT_EQ(model().lyrics.count(), 1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], notes + QStringLiteral(" 不是相片、音乐或歌词文件\n") + textJpg +
                                 QStringLiteral(" 不是可读的 JPEG 相片\n") + emptyJpg +
                                 QStringLiteral(" 不是可读的 JPEG 相片"));

    // Files the program is handed that do not exist are named too.
    MediaCommands* commands = main().findChild<MediaCommands*>();
    ASSERT_NE(commands, nullptr);
    commands->addFiles({gone, photo("f.JFIF", 400, 300)});
    EXPECT_EQ(model().photos.count(), photos.size() + 1);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[1], gone + QStringLiteral(" 不存在"));
}

}  // namespace
}  // namespace orvane::testing
