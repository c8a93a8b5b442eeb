// "模板管理": without photos it only says so; with photos it lists the
// single-photo templates of the chosen photo, the current one marked, and
// "确定" gives the photo the chosen one.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "gui/command_trigger.h"
#include "gui/main/main_window.h"
#include "gui/project_windows_fixture.h"
#include "photos/template_change.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class TemplateManagerWindowTest : public ProjectWindowsTest {
   protected:
    void SetUp() override {
        // A second, longer template beside the fixture's 35-frame one.
        writeStore(folder, {35, 60}, 60);
        ProjectWindowsTest::SetUp();
    }
    void runCommand() { testing::triggerCommand(*windows, "模板管理"); }
};

TEST_F(TemplateManagerWindowTest, WithoutPhotosItOnlySaysSo) {
    QString said;
    whenShown(QStringLiteral("TForm8"), [&said](QWidget* w) {
        said = child<QLabel>(w, "Label_xianshi_xiaoxi")->text();
        child<QPushButton>(w, "Button_queding")->click();
    });
    runCommand();
    EXPECT_EQ(said, QStringLiteral("没有添加相片文件！"));
}

TEST_F(TemplateManagerWindowTest, OkGivesThePhotoTheChosenTemplate) {
    importPhotos();
    const QString before = session->model().photos.at(0).templatePath;
    const std::vector<TemplateEntry> choices = templateChoices(session->model(), 0);
    ASSERT_EQ(choices.size(), 2u);
    const int other = choices.at(0).location == before ? 1 : 0;

    QStringList shown, after;
    MessageAnswerer messages;
    whenShown(QStringLiteral("TFormTemplates"), [&](QWidget* w) {
        auto* list = child<QListWidget>(w, "ListBox_moban");
        for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
        list->setCurrentRow(other);
        child<QPushButton>(w, "suiButton_queding")->click();
        for (int i = 0; i < list->count(); ++i) after << list->item(i)->text();
        child<QPushButton>(w, "suiButton_quxiao")->click();
    });
    runCommand();

    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join('\n').toStdString();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown.at(1 - other).contains(QStringLiteral("当前")));
    EXPECT_FALSE(shown.at(other).contains(QStringLiteral("当前")));
    const PhotoEntry& photo = session->model().photos.at(0);
    EXPECT_EQ(photo.templatePath, choices.at(other).location);
    EXPECT_EQ(photo.templateFrameCount, choices.at(other).frameCount);
    ASSERT_EQ(after.size(), 2);
    EXPECT_TRUE(after.at(other).contains(QStringLiteral("当前")));
    const int n = photo.templateFolder.toInt();
    EXPECT_TRUE(fs::exists(folder.instanceMovie(n)));
    EXPECT_TRUE(fs::exists(folder.instancePicture(n, 1)));
}

TEST_F(TemplateManagerWindowTest, EveryControlHasANameAndItsCaption) {
    importPhotos();
    whenShown(QStringLiteral("TFormTemplates"), [](QWidget* w) {
        for (const char* name : {"suiButton_yulan", "suiButton_queding", "suiButton_quxiao"}) {
            auto* b = child<QPushButton>(w, name);
            if (b) EXPECT_EQ(b->accessibleName(), b->text()) << name;
        }
        EXPECT_FALSE(child<QListWidget>(w, "ListBox_moban")->accessibleName().isEmpty());
        child<QPushButton>(w, "suiButton_quxiao")->click();
    });
    runCommand();
}

}  // namespace
}  // namespace orvane
