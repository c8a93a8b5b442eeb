// Adding and deleting photos through the main window's commands: the file
// chooser, the add-photos window, the delete question, the supplement
// windows, and the panes and counters afterwards.

#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>

#include "gui/media/media_windows.h"
#include "gui/panes/media_pane.h"
#include "media_world.h"

namespace orvane::testing {
namespace {

class PhotoCommandsTest : public MediaWorld {};

TEST_F(PhotoCommandsTest, AddingPhotosRebuildsThePhotoPaneAndTheCounters) {
    open({{"land", landscape("movie-land")}, {"tall", portrait("movie-tall")}});
    // Start from the music pane in list view: the import brings the photos
    // to the front in icon view.
    browser().showPane(PaneKind::Music);
    browser().showList();
    modal.on(QStringLiteral("TMainForm"), [](QWidget*) {});
    addPhotos({photo("a.jpg", 400, 300), photo("b.jpg", 300, 400, Qt::blue),
               photo("c.jpg", 640, 480, Qt::green)});

    ASSERT_EQ(chooser->filters,
              QStringList{QStringLiteral("添加相片文件(JPG)|*.jpg;*.jpeg;*.jpe;*.jfif;"
                                         "*.JPG;*.JPEG;*.JPE;*.JFIF;")});
    ASSERT_EQ(model().photos.count(), 3);
    EXPECT_EQ(model().photos.at(1).orientation, QStringLiteral("shu_zhao"));
    MediaPane* pane = browser().pane(PaneKind::Photos);
    EXPECT_EQ(pane->thumbnails().size(), 3u);
    EXPECT_EQ(pane->reportList()->topLevelItemCount(), 3);
    EXPECT_EQ(browser().currentPane(), PaneKind::Photos);
    EXPECT_EQ(browser().viewMode(), ViewMode::Icons);
    EXPECT_TRUE(pane->isVisibleTo(&main()));
    // The add-photos window was shown while the job ran, and is gone.
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].window, QStringLiteral("TMainForm"));
    auto* window = windows->window(QStringLiteral("TMainForm"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->findChild<QProgressBar*>(QStringLiteral("ProgressBar_xiangpian"))->value(),
              12);
    main().refreshCounters();
    EXPECT_EQ(main().findChild<QLabel*>(QStringLiteral("Label_xiangpian_shuliang"))->text(),
              QStringLiteral("相片数量: 3 张"));

    // A cancelled dialog changes nothing and shows no window.
    command("添加相片");
    EXPECT_EQ(model().photos.count(), 3);
    EXPECT_EQ(modal.shown.size(), 1u);
}

TEST_F(PhotoCommandsTest, ADamagedPhotoAmongGoodOnesIsNamedAndTheOthersAreAdded) {
    open({{"land", landscape("movie-land")}});
    const QString damaged = textFile("damaged.jpg", "this is not a photo");
    std::string cut;
    {
        const QString whole = photo("whole.jpg", 640, 480);
        cut = readFile(toPath(whole));
    }
    const QString truncated = textFile("truncated.jpg", cut.substr(0, cut.size() / 2));
    addPhotos({photo("a.jpg", 400, 300), damaged, photo("b.jpg", 800, 600), truncated});

    ASSERT_EQ(model().photos.count(), 2);
    EXPECT_EQ(model().photos.at(0).fileName, QStringLiteral("a"));
    EXPECT_EQ(model().photos.at(1).fileName, QStringLiteral("b"));
    EXPECT_EQ(browser().pane(PaneKind::Photos)->thumbnails().size(), 2u);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], damaged + QStringLiteral(" 不是可读的 JPEG 相片\n") + truncated +
                                 QStringLiteral(" 不是可读的 JPEG 相片"));
}

TEST_F(PhotoCommandsTest, DeletingTheOnlyPhotoOfATemplateRenumbersTheFolders) {
    open({{"land", landscape("movie-land")}});
    addPhotos({photo("a.jpg", 400, 300), photo("b.jpg", 400, 300), photo("c.jpg", 400, 300)});
    ASSERT_EQ(model().photos.count(), 3);
    const WorkingFolder& folder = session->folder();
    ASSERT_TRUE(std::filesystem::exists(folder.instanceFolder(3)));

    // Nothing selected in the list: the message, nothing removed.
    selectInList(0, {});
    side(0, "删除");
    ASSERT_EQ(messages(), QStringList{QStringLiteral("没有选中相片文件！")});
    EXPECT_EQ(model().photos.count(), 3);

    // "取消" keeps the photo.
    modal.on(QStringLiteral("TForm11"), press("取消"));
    selectInList(0, {1});
    side(0, "删除");
    EXPECT_EQ(model().photos.count(), 3);

    modal.on(QStringLiteral("TForm11"), press("确定删除"));
    selectInList(0, {1});
    side(0, "删除");
    EXPECT_EQ(modal.shown.back().window, QStringLiteral("TForm11"));
    EXPECT_EQ(modal.shown.back().text, QStringLiteral("确定删除此张相片吗？"));
    ASSERT_EQ(model().photos.count(), 2);
    EXPECT_EQ(model().photos.at(0).fileName, QStringLiteral("a"));
    EXPECT_EQ(model().photos.at(1).fileName, QStringLiteral("c"));
    EXPECT_EQ(model().photos.at(1).templateFolder, QStringLiteral("2"));
    EXPECT_EQ(model().templateInstanceCount, QStringLiteral("2"));
    EXPECT_TRUE(std::filesystem::exists(folder.instanceFolder(2)));
    EXPECT_FALSE(std::filesystem::exists(folder.instanceFolder(3)));
    EXPECT_EQ(browser().pane(PaneKind::Photos)->reportList()->topLevelItemCount(), 2);

    // Several rows of the list at once, then "全删" on what is left.
    addPhotos({photo("d.jpg", 400, 300)});
    selectInList(0, {0, 2});
    side(0, "删除");
    ASSERT_EQ(model().photos.count(), 1);
    EXPECT_EQ(model().photos.at(0).fileName, QStringLiteral("c"));
    EXPECT_EQ(model().photos.at(0).templateFolder, QStringLiteral("1"));
    side(0, "全删");
    EXPECT_EQ(modal.shown.back().text, QStringLiteral("确定删除全部相片吗？"));
    EXPECT_EQ(model().photos.count(), 0);
    EXPECT_EQ(model().templateInstanceCount, QStringLiteral("0"));
    EXPECT_TRUE(browser().pane(PaneKind::Photos)->thumbnails().empty());
}

TEST_F(PhotoCommandsTest, AShareTemplateIsSupplementedByHandAndAWrongOrientationIsRefused) {
    open({{"pair", twoLandscapes("movie-pair")}});
    // A batch this large fills two-photo templates.
    QStringList files;
    for (int i = 0; i < 6; ++i) files << photo("p" + std::to_string(i) + ".jpg", 400, 300);
    addPhotos(files);
    ASSERT_EQ(model().photos.count(), 6) << messages().join(u'|').toStdString();
    ASSERT_EQ(model().photos.at(0).templateFolder, model().photos.at(1).templateFolder);
    ASSERT_EQ(model().templateInstanceCount, QStringLiteral("3"));

    // The first try with a portrait photo is refused in the window; the
    // second, a landscape photo, takes the slot.
    chooser->answers.push_back({photo("tall.jpg", 300, 400)});
    chooser->answers.push_back({photo("new.jpg", 400, 300, Qt::green)});
    modal.on(QStringLiteral("TForm11"), press("确定删除"));
    modal.on(QStringLiteral("TForm9"), press("手动为模板补充相片"));
    int candidates = -1;
    int showings = 0;
    modal.on(QStringLiteral("TForm10"), [&](QWidget* w) {
        ++showings;
        candidates = w->findChild<QTreeWidget*>()->topLevelItemCount();
        buttonOf(w, QStringLiteral("添加新相片用来补充"))->click();  // refused
        // Once the refusal is answered and the window is in charge again.
        auto* again = new QTimer(w);
        QObject::connect(again, &QTimer::timeout, [this, w, again] {
            if (messages().size() != 1 || QApplication::activeModalWidget() != w) return;
            again->stop();
            again->deleteLater();
            buttonOf(w, QStringLiteral("添加新相片用来补充"))->click();
        });
        again->start(10);
    });
    selectInList(0, {0});
    side(0, "删除");

    EXPECT_EQ(showings, 1);
    EXPECT_EQ(candidates, 5) << "the other landscape photos, not the one going";
    EXPECT_EQ(lastShown("TForm9").text, QuestionWindow::text());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("添加的新相片不是横照片,请重新添加！")});
    // The new photo takes the removed one's slot in template 1.
    ASSERT_EQ(model().photos.count(), 6);
    EXPECT_EQ(model().photos.at(0).fileName, QStringLiteral("p1"));
    EXPECT_EQ(model().photos.at(5).fileName, QStringLiteral("new"));
    EXPECT_EQ(model().photos.at(5).templateFolder, QStringLiteral("1"));
    EXPECT_EQ(model().templateInstanceCount, QStringLiteral("3"));
    EXPECT_EQ(browser().pane(PaneKind::Photos)->reportList()->topLevelItemCount(), 6);
}

TEST_F(PhotoCommandsTest, WithNoOtherPhotoToChooseTheManualSupplementStaysForANewPhoto) {
    open({{"pair", twoLandscapes("movie-pair")}, {"tall", portrait("movie-tall")}});
    // A batch of five: the two landscape photos share a template.
    addPhotos({photo("a.jpg", 400, 300), photo("b.jpg", 400, 300, Qt::green),
               photo("t1.jpg", 300, 400), photo("t2.jpg", 300, 400), photo("t3.jpg", 300, 400)});
    ASSERT_EQ(model().photos.count(), 5) << messages().join(u'|').toStdString();
    ASSERT_EQ(model().photos.at(0).templateFolder, model().photos.at(1).templateFolder);

    // Both chosen: b is filled at random with a (the only other landscape
    // photo); then no photo is left to fill a's slot.
    chooser->answers.push_back({photo("new.jpg", 400, 300, Qt::blue)});
    modal.on(QStringLiteral("TForm11"), press("确定删除"));
    int choices = 0;
    modal.on(QStringLiteral("TForm9"), [&](QWidget* w) {
        buttonOf(w,
                 ++choices == 1 ? QStringLiteral("确定删除") : QStringLiteral("手动为模板补充相片"))
            ->click();
    });
    int candidates = -1;
    int showings = 0;
    modal.on(QStringLiteral("TForm10"), [&](QWidget* w) {
        ++showings;
        candidates = w->findChild<QTreeWidget*>()->topLevelItemCount();
        buttonOf(w, QStringLiteral("从已添加的相片中选择一张用来补充模板"))->click();
        auto* again = new QTimer(w);
        QObject::connect(again, &QTimer::timeout, [this, w, again] {
            if (messages().size() != 1 || QApplication::activeModalWidget() != w) return;
            again->stop();
            again->deleteLater();
            buttonOf(w, QStringLiteral("添加新相片用来补充"))->click();
        });
        again->start(10);
    });
    selectInList(0, {0, 1});
    side(0, "删除");

    EXPECT_EQ(choices, 2);
    EXPECT_EQ(showings, 1);
    EXPECT_EQ(candidates, 0);
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("已添加的相片中没有其它横照片可以用来补充模板，"
                                         "请点[添加新相片用来补充]添加一张新相片。")});
    ASSERT_EQ(model().photos.count(), 4);
    EXPECT_EQ(model().photos.at(3).fileName, QStringLiteral("new"));
    EXPECT_EQ(model().photos.at(3).templateFolder, QStringLiteral("4"));
    EXPECT_EQ(model().templateInstanceCount, QStringLiteral("4"));
}

TEST_F(PhotoCommandsTest, TheRandomSupplementKeepsTheTemplatesAndCancelKeepsThePhoto) {
    open({{"pair", twoLandscapes("movie-pair")}});
    QStringList files;
    for (int i = 0; i < 6; ++i) files << photo("p" + std::to_string(i) + ".jpg", 400, 300);
    addPhotos(files);
    ASSERT_EQ(model().photos.count(), 6);
    modal.on(QStringLiteral("TForm11"), press("确定删除"));

    modal.on(QStringLiteral("TForm9"), press("取消"));
    selectInList(0, {3});
    side(0, "删除");
    EXPECT_EQ(model().photos.count(), 6);

    modal.on(QStringLiteral("TForm9"), press("确定删除"));
    selectInList(0, {3});
    side(0, "删除");
    ASSERT_EQ(model().photos.count(), 5);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_NE(model().photos.at(i).fileName, QStringLiteral("p3")) << i;
    EXPECT_EQ(model().templateInstanceCount, QStringLiteral("3"));
    EXPECT_TRUE(std::filesystem::exists(session->folder().instanceFolder(3)));
}

TEST_F(PhotoCommandsTest, StoppingTheImportLeavesTheProjectAsItWas) {
    open({{"land", landscape("movie-land")}});
    addPhotos({photo("first.jpg", 400, 300)});
    ASSERT_EQ(model().photos.count(), 1);
    const auto before = folderListing(dir.path() / "smxcwjj");
    const auto photosBefore = model().photos.rows();

    QStringList many;
    for (int i = 0; i < 40; ++i) many << photo("m" + std::to_string(i) + ".jpg", 1600, 1200);
    modal.on(QStringLiteral("TMainForm"), press("停止"));
    addPhotos(many);
    EXPECT_EQ(model().photos.rows(), photosBefore);
    EXPECT_EQ(folderListing(dir.path() / "smxcwjj"), before);
    EXPECT_EQ(browser().pane(PaneKind::Photos)->thumbnails().size(), 1u);
    EXPECT_TRUE(messages().isEmpty());  // a stop is not a failure to report
}

}  // namespace
}  // namespace orvane::testing
