// Each pane keeps its own choice: a thumbnail pressed in one pane is never
// what a command of another pane's panel acts on. The panels stand side by
// side whichever pane is shown, so a click on a photo followed by "删除" of
// the music panel must not remove a song the user never chose.

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QMouseEvent>

#include "gui/panes/media_pane.h"
#include "media_world.h"

namespace orvane::testing {
namespace {

class PaneChoiceTest : public MediaWorld {
   protected:
    // Two photos (each in its own template), two songs and two lyric files,
    // bound by position.
    void openProject() {
        open({{"land", landscape("movie-land")}});
        addPhotos({photo("a.jpg", 400, 300), photo("b.jpg", 400, 300, Qt::blue)});
        chooser->answers.push_back({song("one.mp3"), song("two.mp3")});
        command("添加音乐");
        chooser->answers.push_back({lyric("one.lrc"), lyric("two.lrc")});
        command("添加歌词");
        ASSERT_EQ(model().photos.count(), 2);
        ASSERT_EQ(model().music.count(), 2);
        ASSERT_EQ(model().lyrics.count(), 2);
        // Every question is answered yes, so that a command that wrongly
        // goes ahead shows in the project.
        for (const char* window : {"TForm11", "TForm12", "TForm13"})
            modal.on(QString::fromLatin1(window), press("确定删除"));
        modal.on(QStringLiteral("TForm14"), press("确定"));
        for (const char* window : {"TForm15", "TForm16", "TForm28", "TForm29"})
            modal.on(QString::fromLatin1(window), dismiss);
        modal.on(QStringLiteral("TFormCrop"), [this](QWidget* w) {
            cropPhoto =
                w->findChild<QComboBox*>(QStringLiteral("suiComboBox_xiangpian"))->currentText();
            dismiss(w);
        });
        modal.shown.clear();
    }
    // A left click on thumbnail `index` of the pane shown, as the mouse
    // gives it: over it, down and up in place.
    void clickThumbnail(int pane, int index) {
        QLabel* thumb = browser().pane(pane)->thumbnails().at(static_cast<std::size_t>(index));
        const QPoint at(30, 30);
        for (auto [type, button, buttons] :
             {std::tuple{QEvent::MouseMove, Qt::NoButton, Qt::MouseButtons(Qt::NoButton)},
              std::tuple{QEvent::MouseButtonPress, Qt::LeftButton,
                         Qt::MouseButtons(Qt::LeftButton)},
              std::tuple{QEvent::MouseButtonRelease, Qt::LeftButton,
                         Qt::MouseButtons(Qt::NoButton)}}) {
            QMouseEvent event(type, QPointF(at), QPointF(thumb->mapToGlobal(at)), button, buttons,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(thumb, &event);
        }
    }
    void click(const char* name) {
        auto* button = main().findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static void dismiss(QWidget* w) {
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }

    QString cropPhoto;
};

// The pane where the user chose an item (its second one).
class ChoiceInOnePaneTest : public PaneChoiceTest, public ::testing::WithParamInterface<int> {};

TEST_P(ChoiceInOnePaneTest, NoCommandOfTheOtherPanelsActsOnIt) {
    openProject();
    struct Command {
        int pane;            // whose panel holds it
        const char* button;  // object name
        const char* window;  // what shows
        const char* text;    // the message, when a message shows
    };
    const Command commands[] = {
        {0, "Button_xiangpian_shanchu", "TForm8", "没有选中相片文件！"},
        // Opens the crop window on the first photo, not on the other pane's row.
        {0, "Button_xiangpianjiancai", "TFormCrop", ""},
        {1, "Button_yinyue_shanchu", "TForm8", "没有选中音乐文件！"},
        {1, "Button_yinyue_bangding", "TForm8", "没有选中音乐文件！"},
        {1, "Button_yinyue_jiebang", "TForm8", "没有选中音乐文件！"},
        {1, "Button_yinyue_yulan", "TForm28", ""},
        {2, "Button_geci_shanchu", "TForm8", "没有选中歌词文件！"},
        {2, "Button_geci_bangding", "TForm8", "没有选中歌词文件！"},
        {2, "Button_geci_jiebang", "TForm8", "没有选中歌词文件！"},
        {2, "Button_geci_shezhi", "TForm8", "没有选中歌词文件！"},
        {2, "Button_geci_yulan", "TForm29", ""},
    };
    const int chosenPane = GetParam();
    browser().showPane(chosenPane);
    clickThumbnail(chosenPane, 1);
    ASSERT_EQ(browser().currentRow(chosenPane), 1);
    for (const Command& c : commands) {
        if (c.pane == chosenPane) continue;
        SCOPED_TRACE(c.button);
        const ProjectModel before = model();
        modal.shown.clear();
        cropPhoto.clear();
        click(c.button);
        ASSERT_FALSE(modal.shown.empty());
        EXPECT_EQ(modal.shown.front().window, QString::fromUtf8(c.window));
        if (QByteArray(c.window) == "TForm8")
            EXPECT_EQ(modal.shown.front().text, QString::fromUtf8(c.text));
        if (QByteArray(c.window) == "TFormCrop") EXPECT_EQ(cropPhoto, QStringLiteral("1. a"));
        EXPECT_TRUE(model().photos == before.photos);
        EXPECT_TRUE(model().music == before.music);
        EXPECT_TRUE(model().lyrics == before.lyrics);
        // The choice stays where it was made.
        EXPECT_EQ(browser().currentRow(chosenPane), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Panes, ChoiceInOnePaneTest, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == 0   ? "Photos"
                                                : info.param == 1 ? "Music"
                                                                  : "Lyrics");
                         });

TEST_F(PaneChoiceTest, APaneKeepsItsChoiceWhileAnotherPaneIsShown) {
    openProject();
    browser().showPane(PaneKind::Music);
    clickThumbnail(1, 1);
    browser().showPane(PaneKind::Lyrics);
    clickThumbnail(2, 0);
    // Back on the photos, both panels still act on their own choices.
    browser().showPane(PaneKind::Photos);
    click("Button_yinyue_shanchu");
    EXPECT_EQ(lastShown("TForm12").text, QStringLiteral("确定删除这个音乐文件吗？"));
    ASSERT_EQ(model().music.count(), 1);
    EXPECT_EQ(model().music.at(0).fileName, QStringLiteral("one"));
    click("Button_geci_shanchu");
    ASSERT_EQ(model().lyrics.count(), 1);
    EXPECT_EQ(model().lyrics.at(0).fileName, QStringLiteral("two"));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(';').toStdString();
}

TEST_F(PaneChoiceTest, ACommandFollowsTheViewItsPaneShows) {
    openProject();
    // The photos were left in list view; the music pane comes up in icon
    // view with nothing pressed. A row selected in its hidden list is not
    // what the user sees chosen.
    selectInList(0, {1});
    browser().showPane(PaneKind::Music);
    browser().pane(PaneKind::Music)->reportList()->topLevelItem(1)->setSelected(true);
    EXPECT_EQ(browser().viewMode(), ViewMode::Icons);
    click("Button_yinyue_shanchu");
    EXPECT_EQ(messages(), QStringList{QStringLiteral("没有选中音乐文件！")});
    EXPECT_EQ(model().music.count(), 2);
}

}  // namespace
}  // namespace orvane::testing
