// TemplatePreviewWindow "相片使用效果预览": the refusals, the info boxes, and a photo's
// template played in the 800 × 450 area through to the ending movie, whose
// last frame stays shown; "返回" removes the preview copies.

#include <QLineEdit>
#include <QTest>

#include "album_fixtures.h"
#include "gui/templates/template_preview_window.h"
#include "lyric_windows_fixture.h"

namespace orvane {
namespace {

using namespace orvane::testing;

TEST_F(LyricWindowsTest, TheTemplatePreviewRefusesWithoutPhotosOrSelection) {
    TemplatePreviewWindow window(*session, skin, messageWindow);
    answerNextMessage();
    window.previewPhoto(0);
    ProjectModel next = session->model();
    next.photos.append(PhotoEntry{});
    session->commit(next);
    answerNextMessage();
    window.previewPhoto(-1);
    EXPECT_EQ(messages, QStringList({"没有找到相片文件，不能预览效果！", "没有选中相片文件！"}));
}

TEST_F(LyricWindowsTest, ThePhotosTemplatePlaysAndThenTheEndingMovieToItsLastFrame) {
    const WorkingFolder& folder = session->folder();
    writeStore(folder, {20}, 15);
    writePhoto(dir.path() / "red.jpg", 800, 600, Qt::red);
    session->commit(importedProject(folder, {dir.path() / "red.jpg"}));
    ASSERT_EQ(session->model().photos.count(), 1);

    TemplatePreviewWindow window(*session, skin, messageWindow);
    bool sawTemplate = false;
    whenShown(QStringLiteral("TForm34"), [&](QWidget* w) {
        EXPECT_EQ(find<QLineEdit>(w, "Edit_xiangpian_mingcheng")->text(), "red");
        EXPECT_EQ(find<QLineEdit>(w, "Edit_xiangpian_leixing")->text(), ".JPG");
        EXPECT_EQ(find<QLineEdit>(w, "Edit_xiangpian_chicun")->text(), "800*600");
        EXPECT_EQ(find<QLineEdit>(w, "Edit_hengzhao_shuzhao")->text(), "横照相片");
        EXPECT_EQ(find<QLineEdit>(w, "Edit_xiangpian_xuhao")->text(), "1");
        for (int i = 0; i < 2000 && !window.finished(); ++i) {
            if (!window.inEnding() && window.movieFrame() >= 15) {
                // The photo, red, fills the middle of the template's picture.
                sawTemplate =
                    meanColour(window.shownFrame(), QRect(350, 175, 100, 100)).red() > 150;
            }
            QTest::qWait(5);
        }
        EXPECT_TRUE(window.finished());
        EXPECT_TRUE(window.inEnding());
        EXPECT_EQ(window.loadedFlag(), "picture_0_wancheng");
        EXPECT_EQ(window.movieFrame(), 14);  // the ending's last frame
        EXPECT_EQ(window.runFlag(), "Play");
        EXPECT_EQ(window.shownFrame().size(), QSize(800, 450));
        EXPECT_TRUE(fs::exists(folder.previewRoot()));
        click(w, "Button_fanhui");
    });
    window.previewPhoto(0);
    EXPECT_TRUE(sawTemplate);
    EXPECT_EQ(window.runFlag(), "tuichuxunhuan");
    EXPECT_FALSE(fs::exists(folder.previewRoot()));
}

}  // namespace
}  // namespace orvane
