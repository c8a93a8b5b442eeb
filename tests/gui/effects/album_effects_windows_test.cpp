// The crop window and the picture-effect editor on a small album: the crop
// hands the frame and placement to applyManualCrop and stages the result
// into the photo's slot; a picture placed in the editor shows in the album
// frames of its span at its place.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>

#include "gui/command_trigger.h"
#include "gui/effects/crop_window.h"
#include "gui/effects/picture_effects_window.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "photos/photo_import.h"
#include "photos/staging.h"
#include "render/album/album_fixtures.h"
#include "render/album/album_preview.h"
#include "session/session.h"
#include "support/window_answers.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class OneFileChooser : public FileChooser {
   public:
    explicit OneFileChooser(QString file) : m_file(std::move(file)) {}
    QStringList openFiles(QWidget*, const QString&, const QString& filter,
                          const QString&) override {
        filters << filter;
        return {m_file};
    }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList filters;

   private:
    QString m_file;
};

class AlbumEffectsWindowTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35}, 60);
        // Left half red, right half blue.
        QImage photo(800, 600, QImage::Format_RGB32);
        photo.fill(Qt::red);
        QPainter(&photo).fillRect(400, 0, 400, 600, Qt::blue);
        ASSERT_TRUE(photo.save(QString::fromStdString((dir.path() / "a.jpg").string()), "JPG", 95));
        SessionOptions options;
        options.root = dir.path();
        NullProgress progress;
        auto opened = Session::open(options, progress);
        ASSERT_TRUE(opened) << opened.error().message.toStdString();
        session = std::move(*opened);
        windows = std::make_unique<WindowSet>(*session);
        const QStringList files{toQString(dir.path() / "a.jpg")};
        auto imported = session->apply(
            [&](ProjectModel& model, const WorkingFolder& f, Progress& p) -> Result<void> {
                auto report = orvane::importPhotos(model, f, files, p);
                if (!report) return std::unexpected(report.error());
                return {};
            },
            progress);
        ASSERT_TRUE(imported) << imported.error().message.toStdString();
        ASSERT_EQ(session->model().photos.size(), 1u);
    }

    static void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    std::unique_ptr<Session> session;
    std::unique_ptr<WindowSet> windows;
    MessageAnswerer answers;
};

TEST_F(AlbumEffectsWindowTest, CropHandsTheFrameAndPlacementOverAndStagesTheSlot) {
    const PhotoEntry photo = session->model().photos.at(0);
    const fs::path slotPicture =
        folder.instancePicture(photo.templateFolder.toInt(), slotNumber(photo.imageName));
    // The pane's thumbnail shows the whole photo: red and blue halves.
    auto* thumbnail = windows->mainWindow().findChild<QLabel*>(QStringLiteral("Imagem_0"));
    ASSERT_NE(thumbnail, nullptr);
    const QImage before = thumbnail->pixmap().toImage();
    ASSERT_FALSE(before.isNull());
    EXPECT_GT(meanColour(before, before.rect().adjusted(8, 8, -8, -8)).red(), 80);
    ManualCropInput handed;
    whenShown(QStringLiteral("TFormCrop"), [&](QWidget* w) {
        auto* crop = static_cast<CropWindow*>(w);
        const QSize frame = crop->frameSize();
        // The full-screen slot: a 16:9 frame, the photo covering it.
        EXPECT_EQ(frame, QSize(580, 326));
        EXPECT_EQ(crop->placement(), (CropPlacement{0, -54, 580, 435}));
        // Twice the covering size around the frame's corner (the photo point
        // there stays), dragged so the right half fills the frame.
        crop->zoomPhoto(2.0, {0, 0});
        EXPECT_EQ(crop->placement(), (CropPlacement{0, -108, 1160, 870}));
        QWidget* stage = w->findChild<QWidget*>(QStringLiteral("Panel_jiancai"));
        const QPoint grab(300, 200);
        mouse(stage, QEvent::MouseButtonPress, grab, Qt::LeftButton);
        mouse(stage, QEvent::MouseMove, grab + QPoint(-700, -50), Qt::LeftButton);
        mouse(stage, QEvent::MouseButtonRelease, grab + QPoint(-700, -50), Qt::NoButton);
        EXPECT_EQ(crop->placement(), (CropPlacement{-580, -158, 1160, 870}));  // x clamped
        handed = crop->cropInput();
        child<QPushButton>(w, "suiButton_queding")->click();
        child<QPushButton>(w, "suiButton_fanhui")->click();
    });
    testing::triggerCommand(*windows, "相片剪裁");
    EXPECT_TRUE(answers.messages.isEmpty()) << answers.messages.join(';').toStdString();

    EXPECT_EQ(handed.slotWidth, 0);
    EXPECT_EQ(handed.frameWidth, 580);
    EXPECT_EQ(handed.frameHeight, 326);
    EXPECT_EQ(handed.photoX, -580);
    EXPECT_EQ(handed.photoY, -158);
    EXPECT_EQ(handed.photoWidth, 1160);
    EXPECT_EQ(handed.photoHeight, 870);
    const ManualCrop expected = applyManualCrop(handed);
    EXPECT_EQ(expected.fit.x, -1920);
    // The slot picture is the kept part of the canvas: the photo's blue half.
    QImage staged(toQString(slotPicture));
    ASSERT_FALSE(staged.isNull());
    EXPECT_EQ(staged.size(), expected.kept.size());
    const QColor mean = meanColour(staged, staged.rect().adjusted(8, 8, -8, -8));
    EXPECT_GT(mean.blue(), 200);
    EXPECT_LT(mean.red(), 40);
    EXPECT_EQ(session->model().photos.at(0).cropState, PhotoStep::Done);

    // The thumbnail file and the pane show what the crop kept: the slot's
    // 16:9 proportions, blue only.
    const QImage file(toQString(folder.thumbnail(1, 1)));
    ASSERT_FALSE(file.isNull());
    EXPECT_NEAR(double(file.width() - 8) / (file.height() - 8), 16.0 / 9.0, 0.05);
    QLabel* shown = windows->mainWindow().findChild<QLabel*>(QStringLiteral("Imagem_0"));
    ASSERT_NE(shown, nullptr);
    const QImage after = shown->pixmap().toImage();
    EXPECT_EQ(after.size(), file.size());
    const QColor kept = meanColour(after, after.rect().adjusted(8, 8, -8, -8));
    EXPECT_GT(kept.blue(), 200);
    EXPECT_LT(kept.red(), 40);
}

TEST_F(AlbumEffectsWindowTest, PlacedPictureShowsInTheAlbumAtItsPlaceAndTime) {
    QImage picture(200, 100, QImage::Format_ARGB32);
    picture.fill(QColor(255, 0, 255));
    const fs::path pictureFile = dir.path() / "deco.png";
    ASSERT_TRUE(picture.save(toQString(pictureFile)));
    auto chooser = std::make_unique<OneFileChooser>(toQString(pictureFile));
    windows->setFileChooser(std::move(chooser));

    whenShown(QStringLiteral("TFormPictureEffects"), [&](QWidget* w) {
        auto* editor = static_cast<PictureEffectsWindow*>(w);
        child<QPushButton>(w, "suiButton_xuanze")->click();
        EXPECT_EQ(editor->pictureFile(), toQString(pictureFile));
        editor->setStartTime(0, 1);
        editor->setEndTime(0, 3);
        // Drag the picture from the frame's corner by 120 × 60 preview pixels
        // (a quarter of the frame's scale: 480 × 240 on the 1920 frame).
        QWidget* stage = w->findChild<QWidget*>(QStringLiteral("Panel_huamian_yulan"));
        mouse(stage, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
        mouse(stage, QEvent::MouseMove, {70, 40}, Qt::LeftButton);
        mouse(stage, QEvent::MouseMove, {130, 70}, Qt::LeftButton);
        mouse(stage, QEvent::MouseButtonRelease, {130, 70}, Qt::NoButton);
        EXPECT_EQ(editor->placement(), QPoint(480, 240));
        child<QPushButton>(w, "suiButton_tianjia")->click();
        child<QPushButton>(w, "suiButton_fanhui")->click();
    });
    testing::triggerCommand(*windows, "画面特效");
    EXPECT_TRUE(answers.messages.isEmpty()) << answers.messages.join(';').toStdString();

    ASSERT_EQ(session->model().pictureEffects.size(), 1u);
    const PictureEffect& row = session->model().pictureEffects.at(0);
    EXPECT_EQ(row.placement, QStringLiteral("480,240"));
    EXPECT_EQ(row.startTime, QStringLiteral("00:01"));
    EXPECT_EQ(row.endTime, QStringLiteral("00:03"));
    EXPECT_EQ(row.runState, RunState::Stopped);

    AlbumPreview album(session->model(), session->folder());
    ASSERT_GT(album.frameCount(), 80);
    const QSize size(480, 270);
    const QRect inside(480 / 4 + 5, 240 / 4 + 5, 40, 15);  // within the picture
    const QRect outside(300, 150, 40, 15);                 // right of and below it
    const auto colourAt = [&](int n, const QRect& rect) {
        Result<QImage> frame = album.frame(n, size);
        EXPECT_TRUE(frame) << frame.error().message.toStdString();
        return frame ? meanColour(*frame, rect) : QColor();
    };
    const auto magenta = [](QColor c) { return c.red() > 200 && c.blue() > 200 && c.green() < 60; };
    EXPECT_FALSE(magenta(colourAt(10, inside)));  // 0.4 s: not yet
    EXPECT_TRUE(magenta(colourAt(25, inside)));   // the first frame of 00:01
    EXPECT_TRUE(magenta(colourAt(60, inside)));
    EXPECT_FALSE(magenta(colourAt(60, outside)));
    EXPECT_FALSE(magenta(colourAt(75, inside)));  // 00:03: gone
}

TEST_F(AlbumEffectsWindowTest, TheEditorShowsThePictureTableAsItIsWhenOpened) {
    QImage picture(64, 32, QImage::Format_ARGB32);
    picture.fill(Qt::green);
    const fs::path pictureFile = dir.path() / "deco.png";
    ASSERT_TRUE(picture.save(toQString(pictureFile)));
    windows->setFileChooser(std::make_unique<OneFileChooser>(toQString(pictureFile)));
    const auto listed = [](QWidget* w) {
        QStringList rows;
        auto* list = child<QTreeWidget>(w, "suiListView_Image");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(2) + QLatin1Char('|') +
                        list->topLevelItem(i)->text(5);
        return rows;
    };
    whenShown(QStringLiteral("TFormPictureEffects"), [&](QWidget* w) {
        child<QPushButton>(w, "suiButton_xuanze")->click();
        static_cast<PictureEffectsWindow*>(w)->setPlacement({10, 20});
        child<QPushButton>(w, "suiButton_tianjia")->click();
        child<QPushButton>(w, "suiButton_fanhui")->click();
    });
    testing::triggerCommand(*windows, "画面特效");
    ASSERT_EQ(session->model().pictureEffects.size(), 1u);

    // Elsewhere (a project opened) the table becomes two other rows.
    ProjectModel next = session->model();
    PictureEffect first = next.pictureEffects.at(0);
    first.startTime = QStringLiteral("00:04");
    first.placement = QStringLiteral("300,40");
    PictureEffect second = first;
    second.seqNo = 2;
    second.startTime = QStringLiteral("00:07");
    second.placement = QStringLiteral("5,6");
    next.pictureEffects.assign({first, second});
    session->commit(std::move(next));

    QStringList shown;
    whenShown(QStringLiteral("TFormPictureEffects"), [&](QWidget* w) {
        shown = listed(w);
        child<QPushButton>(w, "suiButton_fanhui")->click();
    });
    testing::triggerCommand(*windows, "画面特效");
    EXPECT_EQ(shown, (QStringList{QStringLiteral("00:04|300,40"), QStringLiteral("00:07|5,6")}));
    EXPECT_EQ(session->model().pictureEffects.size(), 2u);
}

TEST_F(AlbumEffectsWindowTest, PictureRowsAreChangedAndDeletedInPlace) {
    QImage picture(64, 32, QImage::Format_ARGB32);
    picture.fill(QColor(0, 255, 0, 128));
    const fs::path pictureFile = dir.path() / "deco.png";
    ASSERT_TRUE(picture.save(toQString(pictureFile)));
    windows->setFileChooser(std::make_unique<OneFileChooser>(toQString(pictureFile)));

    whenShown(QStringLiteral("TFormPictureEffects"), [&](QWidget* w) {
        auto* editor = static_cast<PictureEffectsWindow*>(w);
        auto* list = child<QTreeWidget>(w, "suiListView_Image");
        const auto press = [w](const char* name) { child<QPushButton>(w, name)->click(); };
        press("suiButton_tianjia");  // no picture yet
        press("suiButton_xuanze");
        editor->setPlacement({100, 50});
        press("suiButton_tianjia");
        editor->setStartTime(0, 2);
        editor->setEndTime(-1, 0);
        editor->setPlacement({200, 100});
        press("suiButton_tianjia");
        ASSERT_EQ(list->topLevelItemCount(), 2);
        // Selecting a row loads it; the change keeps its other values.
        list->clearSelection();
        list->topLevelItem(0)->setSelected(true);
        EXPECT_EQ(editor->placement(), QPoint(100, 50));
        editor->setPlacement({300, 150});
        press("suiButton_xiugai");
        list->clearSelection();
        list->topLevelItem(1)->setSelected(true);
        press("suiButton_shanchu");
        list->clearSelection();
        press("suiButton_shanchu");  // nothing selected
        press("suiButton_fanhui");
    });
    testing::triggerCommand(*windows, "画面特效");
    EXPECT_EQ(answers.messages, (QStringList{QStringLiteral("没有选择画面特效图片！"),
                                             QStringLiteral("没有选中已添加的特效！")}));
    ASSERT_EQ(session->model().pictureEffects.size(), 1u);
    const PictureEffect& row = session->model().pictureEffects.at(0);
    EXPECT_EQ(row.seqNo, 1);
    EXPECT_EQ(row.startTime, QStringLiteral("00:00"));
    EXPECT_EQ(row.endTime, QStringLiteral("00:05"));
    EXPECT_EQ(row.placement, QStringLiteral("300,150"));
}

}  // namespace
}  // namespace orvane
