// The commands reach the lyric windows through the window set: the side
// panels' "音乐预览", "歌词预览", "歌词设置" and "卡拉OK设置" buttons and a
// double-click on a photo, each refusing or opening as the project allows.

#include <QPushButton>
#include <QTreeWidget>

#include "gui/lyrics/karaoke_editor_window.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "lyric_windows_fixture.h"

namespace orvane {
namespace {

using namespace orvane::testing;

TEST_F(LyricWindowsTest, TheSidePanelButtonsAndADoubleClickOpenTheirWindows) {
    WindowSet windows(*session);
    MainWindow& main = windows.mainWindow();
    const auto press = [&](const char* name) {
        auto* b = main.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_TRUE(b) << name;
        b->click();
    };
    for (const char* name : {"Button_yinyue_yulan", "Button_geci_yulan"}) {
        answerNextMessage();
        press(name);
    }
    press("Button_geci_shezhi");  // no lyrics: nothing happens
    answerNextMessage();
    Q_EMIT windows.browser().itemActivated(PaneKind::Photos, 0);
    EXPECT_EQ(messages,
              QStringList({"没有添加音乐文件,不能音乐预览！", "没有添加歌词文件,不能歌词预览！",
                           "没有找到相片文件，不能预览效果！"}));

    ProjectModel next = session->model();
    next.lyrics.append(LyricEntry{});
    session->commit(next);
    answerNextMessage();
    press("Button_geci_shezhi");
    EXPECT_EQ(messages.back(), "没有选中歌词文件！");

    // "卡拉OK设置": the initialization window prepares the editor (on the
    // first opening its controls wait for the calibration), then the editor.
    bool prepared = false;
    whenShown(QStringLiteral("TForm46"), [&](QWidget* w) {
        prepared = !static_cast<KaraokeEditorWindow*>(w)->list()->isEnabled();
        click(w, "Button_fanhui");
    });
    press("Button_kalaok_shezhi");
    EXPECT_TRUE(prepared);
    EXPECT_FALSE(windows.window(QStringLiteral("TForm46"))->isVisible());
}

}  // namespace
}  // namespace orvane
