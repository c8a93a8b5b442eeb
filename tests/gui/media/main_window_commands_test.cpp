// Every window the main window opens, reached the way the user reaches it:
// a click on the command's own button (found by object name), a double
// click on a thumbnail. A button left unconnected, or connected under a
// caption its handler does not know, shows no window here.

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>

#include "gui/panes/media_pane.h"
#include "media_world.h"
#include "support/media_fixtures.h"

namespace orvane::testing {
namespace {

class MainWindowCommandsTest : public MediaWorld {
   protected:
    // A project with one photo, one song and one lyric file, bound.
    void openProject() {
        open({{"land", landscape("movie-land")}});
        addPhotos({photo("a.jpg", 400, 300)});
        chooser->answers.push_back({media("one.mp3")});
        command("添加音乐");
        chooser->answers.push_back({media("one.lrc")});
        command("添加歌词");
        ASSERT_EQ(model().photos.count(), 1);
        ASSERT_EQ(model().music.count(), 1);
        ASSERT_EQ(model().lyrics.count(), 1);
        modal.shown.clear();
    }
    // A song (.mp3) or a lyric file (.lrc) under media/.
    QString media(const std::string& name) {
        const auto path = dir.path() / "media" / name;
        std::filesystem::create_directories(path.parent_path());
        if (path.extension() == ".mp3")
            makeMp3(path, {.seconds = 1.0});
        else
            writeFile(path, "[00:01.00]line\n");
        return toQString(path);
    }
    QAbstractButton* button(const char* name) const {
        auto* found = main().findChild<QAbstractButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void dismiss(QWidget* w) {
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }
    // The window of the first showing since the last clear.
    QString firstShown() const { return modal.shown.empty() ? QString() : modal.shown[0].window; }
};

TEST_F(MainWindowCommandsTest, EveryCommandButtonOpensItsWindow) {
    openProject();
    struct Case {
        int pane;            // the pane shown first (-1: as it is)
        const char* button;  // object name in the main window
        const char* window;
    };
    const Case cases[] = {
        {-1, "Button_tianjiaxiangpian", "TMainForm"},
        {-1, "Button_tianjiayinyue", "TForm6"},
        {-1, "Button_tianjiageci", "TForm7"},
        {-1, "Button_tianjiayinyue_mp3", "TForm6"},
        {-1, "Button_tianjiageci_lrc", "TForm7"},
        {-1, "Button_xiangcechangdu", "TForm2"},
        {-1, "Button_wenzitexiao", "TForm3"},
        {-1, "Button_huamiantexiao", "TFormPictureEffects"},
        {-1, "Button_xiangpianjiancai", "TFormCrop"},
        {-1, "Button_qitashezhi", "TForm17"},
        {-1, "Button_xiangceyulan", "TFormAlbumPreview"},
        {-1, "Button_VCD", "TForm39"},
        {-1, "Button_xulietu", "TForm39"},
        {0, "Button_xiangpian_shanchu", "TForm11"},
        {0, "Button_xiangpian_quanshan", "TForm11"},
        {0, "Button_xiangpian_moban_yulan", "TForm34"},
        {1, "Button_yinyue_shanchu", "TForm12"},
        {1, "Button_yinyue_quanshan", "TForm12"},
        {1, "Button_yinyue_bangding", "TForm15"},
        {1, "Button_yinyue_jiebang", "TForm14"},
        {1, "Button_yinyue_quanjiebang", "TForm14"},
        {1, "Button_yinyue_zidongbang", "TForm14"},
        {1, "Button_yinyue_yulan", "TForm28"},
        {2, "Button_geci_shanchu", "TForm13"},
        {2, "Button_geci_quanshan", "TForm13"},
        {2, "Button_geci_bangding", "TForm15"},
        {2, "Button_geci_jiebang", "TForm14"},
        {2, "Button_geci_shezhi", "TForm16"},
        {2, "Button_geci_yulan", "TForm29"},
        {2, "Button_kalaok_shezhi", "TForm46"},
        // The project has unsaved changes: ending asks whether to save them.
        {-1, "Label_guanbi", "TFormSaveProject"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        modal.shown.clear();
        // The import windows run their job and close by themselves (closing
        // one would stop its import).
        const QByteArray name(c.button);
        const bool import = name.startsWith("Button_tianjia");
        modal.on(QString::fromUtf8(c.window), import ? ModalAnswerer::Handler([](QWidget*) {})
                                                     : ModalAnswerer::Handler(dismiss));
        if (name == "Button_tianjiaxiangpian")
            chooser->answers.push_back({photo("b.jpg", 400, 300)});
        if (name == "Button_tianjiayinyue") chooser->answers.push_back({media("two.mp3")});
        if (name == "Button_tianjiageci") chooser->answers.push_back({media("two.lrc")});
        if (name == "Button_tianjiayinyue_mp3") chooser->answers.push_back({media("three.mp3")});
        if (name == "Button_tianjiageci_lrc") chooser->answers.push_back({media("three.lrc")});
        if (c.pane >= 0) {
            browser().showPane(paneAt(c.pane));
            browser().showList();
            browser().pane(paneAt(c.pane))->reportList()->topLevelItem(0)->setSelected(true);
        }
        QAbstractButton* b = button(c.button);
        ASSERT_NE(b, nullptr);
        b->click();
        EXPECT_EQ(firstShown(), QString::fromUtf8(c.window));
        QWidget* window = windows->window(QString::fromUtf8(c.window));
        if (window == nullptr) window = main().findChild<QWidget*>(QString::fromUtf8(c.window));
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isVisible());
    }
    // Only dismissed: the project is as it was, with what the imports added.
    EXPECT_EQ(model().photos.count(), 2);
    EXPECT_EQ(model().music.count(), 3);
    EXPECT_EQ(model().lyrics.count(), 3);
    EXPECT_EQ(model().music.at(0).boundLyricName, QStringLiteral("one"));
    EXPECT_EQ(model().music.at(2).fileName, QStringLiteral("three"));
    EXPECT_EQ(model().lyrics.at(2).fileName, QStringLiteral("three"));
}

// "预览单个相片模板效果" stands in the photo side panel, previews the photo
// chosen in the photo pane, and with none chosen says so.
TEST_F(MainWindowCommandsTest, TheSinglePhotoPreviewShowsTheChosenPhoto) {
    openProject();
    addPhotos({photo("second.jpg", 400, 300, Qt::blue)});
    ASSERT_EQ(model().photos.count(), 2);
    QAbstractButton* preview = button("Button_xiangpian_moban_yulan");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->text(), QStringLiteral("预览单个相片模板效果"));
    EXPECT_EQ(preview->parentWidget()->objectName(), QStringLiteral("Panel_xiangpian"));

    QString shownName;
    modal.on(QStringLiteral("TForm34"), [&shownName](QWidget* w) {
        shownName = w->findChild<QLineEdit*>(QStringLiteral("Edit_xiangpian_mingcheng"))->text();
        dismiss(w);
    });
    selectInList(PaneKind::Photos, {1});
    modal.shown.clear();
    preview->click();
    EXPECT_EQ(firstShown(), QStringLiteral("TForm34"));
    EXPECT_EQ(shownName, QStringLiteral("second"));

    selectInList(PaneKind::Photos, {});
    modal.shown.clear();
    preview->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("没有选中相片文件！")});
}

TEST_F(MainWindowCommandsTest, ADoubleClickOnAThumbnailOpensThePanesPreview) {
    openProject();
    const std::pair<int, const char*> cases[] = {{0, "TForm34"}, {1, "TForm28"}, {2, "TForm29"}};
    for (const auto& [pane, window] : cases) {
        SCOPED_TRACE(window);
        modal.shown.clear();
        modal.on(QString::fromUtf8(window), dismiss);
        browser().showPane(paneAt(pane));
        browser().showIcons();
        QLabel* thumb = browser().pane(paneAt(pane))->thumbnails().front();
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(20, 20),
                          thumb->mapToGlobal(QPointF(20, 20)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(thumb, &click);
        EXPECT_EQ(firstShown(), QString::fromUtf8(window));
    }
}

}  // namespace
}  // namespace orvane::testing
