// The popup menus of the three panes: their entries, the item they act on
// (the thumbnail or list row under the cursor), and that each entry reaches
// the handler of the pane's button of the same purpose. Also: the pane and
// button hints are closed while an import's window is up.

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "gui/panes/media_pane.h"
#include "gui/panes/pane_hint_window.h"
#include "gui/panes/text_hint_window.h"
#include "media_world.h"
#include "support/media_fixtures.h"

namespace orvane::testing {
namespace {

const char* const kMenus[] = {"PopupMenu_xiangpian", "PopupMenu_yinyue", "PopupMenu_geci"};

class PaneMenusTest : public MediaWorld {
   protected:
    void addMedia(const char* command, const QStringList& files) {
        chooser->answers.push_back(files);
        this->command(command);
    }

    QMenu* menu(int pane) const {
        auto* found = main().findChild<QMenu*>(QString::fromLatin1(kMenus[pane]));
        EXPECT_NE(found, nullptr) << kMenus[pane];
        return found;
    }
    static QStringList captions(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    // A right click on thumbnail `index` of `pane`, with no press before it.
    void rightClickThumbnail(int pane, int index) {
        QLabel* thumb = browser().pane(pane)->thumbnails().at(static_cast<std::size_t>(index));
        const QPoint at(20, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, thumb->mapToGlobal(at));
        QCoreApplication::sendEvent(thumb, &event);
    }
    // A right click on row `row` of the pane's report list.
    void rightClickRow(int pane, int row) {
        QTreeWidget* list = browser().pane(pane)->reportList();
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        Q_EMIT list->customContextMenuRequested(rect.center());
    }
    // Clicks the entry `caption` of the open menu of `pane`, as the user does.
    void choose(int pane, const char* caption) {
        QMenu* m = menu(pane);
        ASSERT_TRUE(m->isVisible()) << kMenus[pane] << " is not open";
        for (QAction* a : m->actions()) {
            if (a->text() != QString::fromUtf8(caption)) continue;
            QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(a).center());
            return;
        }
        ADD_FAILURE() << "no entry " << caption;
    }
    static void dismiss(QWidget* w) {
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }
};

TEST_F(PaneMenusTest, EachPaneHasItsEntriesNamedAndCaptioned) {
    open({});
    const QStringList expected[] = {
        {"预览效果", "相片剪裁", "-", "删除相片", "全部删除", "-", "图标格式", "列表格式"},
        {"音乐预览", "-", "删除音乐", "全部删除", "-", "手动绑定", "手动解绑", "自动绑定",
         "全部解绑", "-", "图标格式", "列表格式"},
        {"歌词预览", "歌词设置", "-", "删除歌词", "全部删除", "-", "手动绑定", "手动解绑",
         "自动绑定", "全部解绑", "-", "图标格式", "列表格式"}};
    QSet<QString> names;
    for (int pane = 0; pane < 3; ++pane) {
        QMenu* m = menu(pane);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(captions(m), expected[pane]) << kMenus[pane];
        for (QAction* a : m->actions()) {
            if (a->isSeparator()) continue;
            EXPECT_FALSE(a->objectName().isEmpty()) << a->text().toStdString();
            EXPECT_FALSE(names.contains(a->objectName())) << a->objectName().toStdString();
            names.insert(a->objectName());
            EXPECT_EQ(a->statusTip(), a->text());
        }
    }
}

TEST_F(PaneMenusTest, TheIconMenuDeletesTheSongItWasOpenedOn) {
    open({});
    addMedia("添加音乐", {song("one.mp3"), song("two.mp3"), song("three.mp3")});
    ASSERT_EQ(model().music.count(), 3);
    browser().showPane(PaneKind::Music);
    browser().showIcons();
    modal.on(QStringLiteral("TForm12"), press("确定删除"));

    // No press reached the thumbnail first (the pointer never moved over it).
    rightClickThumbnail(1, 1);
    EXPECT_EQ(browser().pressedItem(), 1);
    choose(1, "删除音乐");
    EXPECT_FALSE(menu(1)->isVisible());
    EXPECT_EQ(lastShown("TForm12").text, QStringLiteral("确定删除这个音乐文件吗？"));
    ASSERT_EQ(model().music.count(), 2);
    EXPECT_EQ(model().music.at(0).fileName, QStringLiteral("one"));
    EXPECT_EQ(model().music.at(1).fileName, QStringLiteral("three"));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(';').toStdString();
}

TEST_F(PaneMenusTest, TheListMenuActsOnTheRowUnderTheCursorAndSwitchesTheView) {
    open({});
    addMedia("添加歌词", {lyric("one.lrc"), lyric("two.lrc"), lyric("three.lrc")});
    ASSERT_EQ(model().lyrics.count(), 3);
    modal.on(QStringLiteral("TForm13"), press("确定删除"));
    selectInList(2, {0});

    // Another row was selected: the right click moves the selection.
    rightClickRow(2, 2);
    choose(2, "删除歌词");
    ASSERT_EQ(model().lyrics.count(), 2);
    EXPECT_EQ(model().lyrics.at(1).fileName, QStringLiteral("two"));

    rightClickRow(2, 0);
    choose(2, "图标格式");
    EXPECT_EQ(browser().viewMode(), ViewMode::Icons);
    EXPECT_FALSE(browser().pane(PaneKind::Lyrics)->reportList()->isVisibleTo(&main()));
    rightClickThumbnail(2, 0);
    choose(2, "列表格式");
    EXPECT_EQ(browser().viewMode(), ViewMode::List);
    EXPECT_TRUE(browser().pane(PaneKind::Lyrics)->reportList()->isVisibleTo(&main()));

    rightClickRow(2, 1);
    choose(2, "全部删除");
    EXPECT_EQ(lastShown("TForm13").text, QStringLiteral("确定删除全部歌词文件吗？"));
    EXPECT_EQ(model().lyrics.count(), 0);
}

TEST_F(PaneMenusTest, EntriesOpenTheWindowsOfTheirButtons) {
    open({{"land", landscape("movie-land")}});
    addPhotos({photo("a.jpg", 400, 300)});
    addMedia("添加音乐", {song("one.mp3")});
    addMedia("添加歌词", {lyric("one.lrc")});
    ASSERT_EQ(model().music.at(0).boundLyricName, QStringLiteral("one"));
    struct Case {
        int pane;
        const char* entry;
        const char* window;
        const char* caption;  // the window's caption when it shows
    };
    const Case cases[] = {
        {0, "预览效果", "TForm34", "相片使用效果预览"}, {0, "相片剪裁", "TFormCrop", "相片剪裁"},
        {1, "音乐预览", "TForm28", "音乐预览"},         {2, "歌词预览", "TForm29", "歌词预览"},
        {2, "歌词设置", "TForm16", "歌词设置"},         {1, "手动绑定", "TForm15", "绑定"},
        {2, "手动解绑", "TForm14", "解除绑定"},         {1, "自动绑定", "TForm14", "自动绑定"},
        {2, "全部解绑", "TForm14", "全部解绑"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        modal.shown.clear();
        modal.on(QString::fromUtf8(c.window), dismiss);
        browser().showPane(c.pane);
        browser().showIcons();
        rightClickThumbnail(c.pane, 0);
        choose(c.pane, c.entry);
        ASSERT_FALSE(modal.shown.empty());
        // (The template preview then says that the test's movie cannot play.)
        EXPECT_EQ(modal.shown.front().window, QString::fromUtf8(c.window));
        EXPECT_EQ(modal.shown.front().caption, QString::fromUtf8(c.caption));
        EXPECT_FALSE(windows->window(QString::fromUtf8(c.window)) &&
                     windows->window(QString::fromUtf8(c.window))->isVisible());
    }
    // Every window was only dismissed: the binding is as it was.
    EXPECT_EQ(model().music.at(0).boundLyricName, QStringLiteral("one"));
    EXPECT_EQ(model().photos.count(), 1);
}

TEST_F(PaneMenusTest, TheCropEntryOpensTheCropWindowOnThePhotoRightClicked) {
    open({{"land", landscape("movie-land")}});
    addPhotos({photo("a.jpg", 400, 300), photo("b.jpg", 400, 300), photo("c.jpg", 400, 300)});
    ASSERT_EQ(model().photos.count(), 3);
    QString chosen;
    modal.on(QStringLiteral("TFormCrop"), [&](QWidget* w) {
        chosen = w->findChild<QComboBox*>(QStringLiteral("suiComboBox_xiangpian"))->currentText();
        dismiss(w);
    });
    browser().showPane(PaneKind::Photos);
    browser().showIcons();
    rightClickThumbnail(0, 2);
    choose(0, "相片剪裁");
    EXPECT_EQ(chosen, QStringLiteral("3. c"));
    // In list view: the row under the cursor.
    selectInList(0, {0});
    rightClickRow(0, 1);
    choose(0, "相片剪裁");
    EXPECT_EQ(chosen, QStringLiteral("2. b"));
}

TEST_F(PaneMenusTest, HintsAreClosedWhileAnImportRuns) {
    open({{"land", landscape("movie-land")}});
    addPhotos({photo("a.jpg", 400, 300)});
    MediaPane* pane = browser().pane(PaneKind::Photos);
    ASSERT_EQ(pane->thumbnails().size(), 1u);
    // The pointer rests on the thumbnail: its hint is on its way in; a button
    // hint is on the screen.
    QLabel* thumb = pane->thumbnails().front();
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), thumb->mapToGlobal(QPointF(30, 30)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(thumb, &move);
    ASSERT_TRUE(pane->hintWindow()->fade().running());
    auto* buttonHint = qobject_cast<TextHintWindow*>(windows->window(QStringLiteral("TForm30")));
    ASSERT_NE(buttonHint, nullptr);
    buttonHint->showText(QStringLiteral("支持多个相片文件一起添加使用"), QPoint(100, 100));
    ASSERT_TRUE(buttonHint->isVisible());

    bool hintRunning = true;
    bool buttonHintShown = true;
    modal.on(QStringLiteral("TMainForm"), [&](QWidget*) {
        hintRunning = pane->hintWindow()->fade().running() || pane->hintWindow()->isVisible();
        buttonHintShown = buttonHint->isVisible();
    });
    addPhotos({photo("b.jpg", 400, 300)});
    ASSERT_EQ(model().photos.count(), 2);
    EXPECT_FALSE(hintRunning);
    EXPECT_FALSE(buttonHintShown);
    EXPECT_FALSE(pane->hintWindow()->isVisible());
}

}  // namespace
}  // namespace orvane::testing
