// The media panes on an imported project: one icon and one list row per
// table row in each pane, the drop that exchanges two items (49 pixels off)
// or not (50), the refresh on a commit, the hint, the scroll bar and the
// preview of a pressed thumbnail.

#include "gui/panes/media_browser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "audio/media_import.h"
#include "gui/panes/pane_hint_window.h"
#include "gui/panes/preview_box.h"
#include "job_fixtures.h"
#include "photos/photo_import.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class MediaBrowserTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writePhotoStore(w.folder);
        w.open();
    }

    void importPhotos(int count) {
        QStringList files;
        for (int i = 0; i < count; ++i)
            files << w.photo("p" + std::to_string(photoSerial++) + ".jpg", 400, 300,
                             QColor::fromHsv(i * 50, 200, 200));
        w.apply([files](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
            auto report = orvane::importPhotos(model, folder, files, progress);
            return report ? Result<void>() : std::unexpected(report.error());
        });
    }
    void importMedia(MediaPanes& panes, int songs, int lyrics) {
        QStringList songFiles;
        QStringList lyricFiles;
        for (int i = 0; i < songs; ++i) songFiles << w.song("s" + std::to_string(i) + ".mp3", 0.3);
        for (int i = 0; i < lyrics; ++i) lyricFiles << w.lyric("l" + std::to_string(i) + ".lrc");
        w.apply([&](ProjectModel& model, const WorkingFolder& folder, Progress& progress) {
            auto a = importSongs(model, folder, panes, songFiles, progress);
            if (!a) return Result<void>(std::unexpected(a.error()));
            auto b = importLyrics(model, folder, panes, lyricFiles, progress);
            return b ? Result<void>() : std::unexpected(b.error());
        });
    }

    static QLabel* thumb(MediaPane* pane, int i) {
        return pane->findChild<QLabel*>(paneTraits(pane->kind()).thumbPrefix + QString::number(i));
    }
    static void send(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
                     Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    // Hovers, presses thumbnail `from` at (30, 30) and releases it with its
    // corner moved to `to` (content coordinates).
    static void drag(MediaPane* pane, int from, QPoint to) {
        QLabel* t = thumb(pane, from);
        const QPoint grab(30, 30);
        send(t, QEvent::MouseMove, grab, Qt::NoButton, Qt::NoButton);
        send(t, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        send(t, QEvent::MouseMove, grab + (to - t->pos()), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(t->pos(), to);
        send(t, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    }
    static QStringList photoNames(const ProjectModel& model) {
        QStringList out;
        for (const PhotoEntry& p : model.photos) out << p.fileName;
        return out;
    }

    JobWorld w;
    int photoSerial = 0;
};

TEST_F(MediaBrowserTest, EveryPaneShowsOneIconAndOneListRowPerRowInBothViews) {
    MediaBrowser browser(*w.session);
    importPhotos(3);
    importMedia(browser.mediaPanes(), 2, 3);
    const ProjectModel& model = w.session->model();
    const int rows[] = {model.photos.count(), model.music.count(), model.lyrics.count()};
    ASSERT_EQ(rows[0], 3);
    ASSERT_EQ(rows[1], 2);
    ASSERT_EQ(rows[2], 3);
    browser.show();
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        browser.showPane(p);
        MediaPane* pane = browser.pane(p);
        EXPECT_TRUE(pane->isVisible());
        EXPECT_FALSE(browser.pane((p + 1) % 3)->isVisible());
        for (int i = 0; i < rows[p]; ++i) {
            QLabel* t = thumb(pane, i);
            ASSERT_NE(t, nullptr) << i;
            EXPECT_TRUE(t->isVisible());
            EXPECT_FALSE(t->pixmap().isNull()) << "thumbnail " << i << " not loaded";
        }
        EXPECT_EQ(thumb(pane, rows[p]), nullptr);
        EXPECT_EQ(pane->thumbnails().size(), static_cast<std::size_t>(rows[p]));
        // The icons stand in the grid: 880 − 14 wide holds 4 photo or 5 other columns.
        const int pitch = p == 0 ? 200 : 170;
        EXPECT_EQ(thumb(pane, 1)->pos(), QPoint(10 + pitch, 10));

        browser.showList();
        QTreeWidget* list = pane->reportList();
        EXPECT_TRUE(list->isVisible());
        EXPECT_EQ(browser.viewMode(), ViewMode::List);
        ASSERT_EQ(list->topLevelItemCount(), rows[p]);
        EXPECT_EQ(list->columnCount(), reportColumns(pane->kind()).size());
        EXPECT_EQ(list->headerItem()->text(1), reportColumns(pane->kind())[1]);
        for (int i = 0; i < rows[p]; ++i)
            EXPECT_EQ(list->topLevelItem(i)->text(0), QString::number(i + 1));
        browser.showIcons();
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(browser.viewMode(), ViewMode::Icons);
    }
    // The lists show the rows' own texts.
    EXPECT_EQ(browser.pane(PaneKind::Photos)->reportList()->topLevelItem(2)->text(1),
              model.photos.at(2).fileName);
    EXPECT_EQ(browser.pane(PaneKind::Music)->reportList()->topLevelItem(1)->text(1),
              model.music.at(1).fileName);
    // The bound column is the one the import wrote into the browser's panes.
    ASSERT_FALSE(browser.mediaPanes().musicBound.isEmpty());
    EXPECT_EQ(browser.pane(PaneKind::Music)->reportList()->topLevelItem(0)->text(5),
              browser.mediaPanes().musicBound[0]);
    // A pane label shows its pane's icons, and the view mode is what shows:
    // a command never works on the selection of a hidden list.
    browser.showList();
    browser.showPane(PaneKind::Photos);
    EXPECT_FALSE(browser.pane(PaneKind::Photos)->reportList()->isVisible());
    EXPECT_EQ(browser.viewMode(), ViewMode::Icons);
}

TEST_F(MediaBrowserTest, APhotoDropped49PixelsOffExchangesAnd50DoesNot) {
    importPhotos(3);
    MediaBrowser browser(*w.session);
    browser.show();
    MediaPane* pane = browser.pane(PaneKind::Photos);
    const QStringList before = photoNames(w.session->model());
    const QPoint home0 = thumb(pane, 0)->pos();
    const QPoint home1 = thumb(pane, 1)->pos();

    drag(pane, 0, home1 + QPoint(50, 0));
    EXPECT_EQ(photoNames(w.session->model()), before);
    EXPECT_EQ(thumb(pane, 0)->pos(), home0) << "the thumbnail returns home";
    drag(pane, 0, home1 + QPoint(0, 50));
    EXPECT_EQ(photoNames(w.session->model()), before);
    EXPECT_FALSE(browser.state().exchanged);

    const QImage firstPicture = thumb(pane, 0)->pixmap().toImage();
    drag(pane, 0, home1 + QPoint(49, 49));
    const QStringList after = photoNames(w.session->model());
    EXPECT_EQ(after, (QStringList{before[1], before[0], before[2]}));
    EXPECT_TRUE(browser.state().exchanged);
    EXPECT_EQ(browser.state().exchangePartner, 1);
    EXPECT_EQ(thumb(pane, 0)->pos(), home0);
    // The pane refreshed from the commit: names, list rows and pictures follow.
    EXPECT_EQ(thumb(pane, 0)->accessibleName(), before[1]);
    EXPECT_EQ(pane->reportList()->topLevelItem(0)->text(1), before[1]);
    EXPECT_EQ(thumb(pane, 1)->pixmap().toImage(), firstPicture);
    EXPECT_EQ(browser.pressedItem(), 0);
}

TEST_F(MediaBrowserTest, SongsAndLyricsExchangeThroughTheSessionToo) {
    MediaBrowser browser(*w.session);
    importMedia(browser.mediaPanes(), 2, 2);
    browser.show();
    const quint64 musicRevision = w.session->revision(ProjectTable::Music);
    const QString first = w.session->model().music.at(0).fileName;
    const QString second = w.session->model().music.at(1).fileName;

    browser.showPane(PaneKind::Music);
    MediaPane* music = browser.pane(PaneKind::Music);
    drag(music, 1, thumb(music, 0)->pos() + QPoint(-49, 20));
    EXPECT_EQ(w.session->model().music.at(0).fileName, second);
    EXPECT_EQ(w.session->model().music.at(0).index, QStringLiteral("1"));
    EXPECT_EQ(w.session->revision(ProjectTable::Music), musicRevision + 1);
    EXPECT_EQ(thumb(music, 0)->accessibleName(), second);
    EXPECT_EQ(music->reportList()->topLevelItem(1)->text(1), first);

    browser.showPane(PaneKind::Lyrics);
    MediaPane* lyrics = browser.pane(PaneKind::Lyrics);
    const QString lyricFirst = w.session->model().lyrics.at(0).fileName;
    drag(lyrics, 0, thumb(lyrics, 1)->pos() + QPoint(0, 50));
    EXPECT_EQ(w.session->model().lyrics.at(0).fileName, lyricFirst);
    drag(lyrics, 0, thumb(lyrics, 1)->pos() + QPoint(0, 49));
    EXPECT_EQ(w.session->model().lyrics.at(1).fileName, lyricFirst);
}

TEST_F(MediaBrowserTest, PanesFollowEveryCommit) {
    MediaBrowser browser(*w.session);
    browser.show();
    EXPECT_TRUE(browser.pane(PaneKind::Photos)->thumbnails().empty());
    importPhotos(2);
    EXPECT_EQ(browser.pane(PaneKind::Photos)->thumbnails().size(), 2u);
    importPhotos(3);
    EXPECT_EQ(browser.pane(PaneKind::Photos)->thumbnails().size(), 5u);
    EXPECT_EQ(browser.pane(PaneKind::Photos)->reportList()->topLevelItemCount(), 5);
    EXPECT_EQ(thumb(browser.pane(PaneKind::Photos), 4)->pos(), QPoint(10, 210));  // second row

    ProjectModel emptied = w.session->model();
    emptied.photos.clear();
    w.session->commit(std::move(emptied));
    EXPECT_TRUE(browser.pane(PaneKind::Photos)->thumbnails().empty());
    EXPECT_EQ(thumb(browser.pane(PaneKind::Photos), 0), nullptr);
    EXPECT_EQ(browser.pane(PaneKind::Photos)->reportList()->topLevelItemCount(), 0);
}

TEST_F(MediaBrowserTest, HoverShowsTheRowsHintAndLeavingClosesIt) {
    importPhotos(2);
    MediaBrowser browser(*w.session);
    browser.show();
    MediaPane* pane = browser.pane(PaneKind::Photos);
    send(thumb(pane, 1), QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::NoButton);
    PaneHintWindow* hint = pane->hintWindow();
    EXPECT_EQ(hint->objectName(), QStringLiteral("TForm31"));
    EXPECT_EQ(hint->windowTitle(), QStringLiteral("相片控件渐变提示信息"));
    const PhotoEntry& photo = w.session->model().photos.at(1);
    EXPECT_EQ(hint->texts(),
              (QStringList{photo.fileName, photo.fileType.toUpper(), QStringLiteral("400*300"),
                           QStringLiteral("横照相片"), QStringLiteral("2")}));
    EXPECT_TRUE(hint->fade().running());
    EXPECT_EQ(pane->hoveredItem(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(thumb(pane, 1), &leave);
    EXPECT_FALSE(hint->fade().running());
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(MediaBrowserTest, PressingAThumbnailPreviewsItsPhoto) {
    importPhotos(2);
    MediaBrowser browser(*w.session);
    browser.show();
    MediaPane* pane = browser.pane(PaneKind::Photos);
    QLabel* t = thumb(pane, 1);
    // A press before the mouse moved over a thumbnail is not handled.
    send(t, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(browser.pressedItem(), std::nullopt);
    send(t, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    send(t, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(browser.pressedItem(), 1);
    EXPECT_EQ(browser.currentRow(PaneKind::Photos), 1);
    PreviewBox* box = browser.previewBox();
    EXPECT_EQ(box->caption(), QStringLiteral("        相片缩略图预览"));
    // 400 × 300 fitted into the 240 × 180 picture.
    EXPECT_EQ(box->picture().size(), QSize(240, 180));

    // Without its thumbnail file the row is selected but not previewed.
    fs::remove(w.folder.thumbnail(1, 1));
    box->clearPicture();
    send(thumb(pane, 0), QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    send(thumb(pane, 0), QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(browser.pressedItem(), 0);
    EXPECT_TRUE(box->picture().isNull());
}

TEST_F(MediaBrowserTest, TheScrollBarShowsTheLastRowAtTheBottom) {
    importPhotos(5);
    MediaBrowser browser(*w.session);
    browser.resize(464, 300);  // two columns, three rows: 600 pixels of content
    browser.show();
    MediaPane* pane = browser.pane(PaneKind::Photos);
    ASSERT_TRUE(pane->scrollBar().visible);
    EXPECT_EQ(pane->content()->height(), 600);
    EXPECT_EQ(pane->scrollBar().middleHeight, 17);  // 600 − 600, at least 17
    auto* middle = pane->findChild<QLabel*>(QStringLiteral("Image_jindutiao_1"));
    ASSERT_NE(middle, nullptr);
    EXPECT_TRUE(middle->isVisible());
    send(middle, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(middle, QEvent::MouseMove, {5, 1000}, Qt::NoButton, Qt::LeftButton);
    send(middle, QEvent::MouseButtonRelease, {5, 1000}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(pane->content()->y(), -300);
    auto* bottom = pane->findChild<QLabel*>(QStringLiteral("Image_jindutiao_2"));
    EXPECT_EQ(bottom->geometry().bottom() + 1, 300);
    // The last thumbnail is inside the pane.
    const QRect last = thumb(pane, 4)->geometry().translated(0, pane->content()->y());
    EXPECT_TRUE(pane->rect().contains(last));

    // Content that fits: no bar, the content as tall as the pane.
    browser.resize(880, 650);
    EXPECT_FALSE(pane->scrollBar().visible);
    EXPECT_FALSE(middle->isVisible());
    EXPECT_EQ(pane->content()->height(), 650);
}

}  // namespace
}  // namespace orvane
