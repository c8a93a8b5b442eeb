// The main window's commands by id: each button, label, key and pane menu
// entry triggers its own command, which carries the documented caption and
// hint.

#include "gui/shell/commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <set>

#include "gui/main/main_window.h"
#include "gui/project_windows_fixture.h"
#include "gui/shell/hot_label.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class CommandsTest : public ProjectWindowsTest {
   protected:
    Commands& commands() const { return windows->commands(); }
};

TEST(CommandTable, KeysAreStableAsciiAndEveryIdHasOneRow) {
    std::set<std::string> keys;
    std::set<CommandId> ids;
    for (const CommandInfo& info : commandTable()) {
        const std::string key = info.key;
        EXPECT_TRUE(keys.insert(key).second) << "twice: " << key;
        EXPECT_TRUE(ids.insert(info.id).second) << key;
        EXPECT_EQ(QString::fromLatin1(info.key).toLatin1().toStdString(), key);
        for (char c : key)
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-') << key;
        EXPECT_EQ(&commandInfo(info.id), &info);
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(CommandId::KaraokeSettings) + 1);
}

// The documented hints, the side panels' naming their pane.
TEST(CommandTable, HintsNameTheirPane) {
    struct Case {
        CommandId id;
        PaneKind pane;
        const char* hint;
    };
    const Case cases[] = {
        {CommandId::AddPhotos, PaneKind::Photos, "支持多个相片文件一起添加使用"},
        {CommandId::MakeSvcd, PaneKind::Photos, "画面效果最高达到1280*720"},
        {CommandId::MakeAvi, PaneKind::Photos, "画面效果最高达到1920*1080"},
        {CommandId::ShowIcons, PaneKind::Photos, "相片缩略图"},
        {CommandId::DeleteAll, PaneKind::Photos, "删除全部相片"},
        {CommandId::ShowList, PaneKind::Music, "音乐列表"},
        {CommandId::Bind, PaneKind::Music, "绑定歌词文件"},
        {CommandId::UnbindAll, PaneKind::Music, "解除全部绑定的歌词文件"},
        {CommandId::DeleteOne, PaneKind::Lyrics, "删除单个歌词"},
        {CommandId::Unbind, PaneKind::Lyrics, "解除绑定的音乐文件"},
        {CommandId::AutoBind, PaneKind::Lyrics, "自动绑定全部音乐文件"},
        {CommandId::PreviewLyrics, PaneKind::Lyrics, "预览歌词文件"},
        {CommandId::PreviewPhotoTemplate, PaneKind::Photos, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(commandInfo(c.id).key);
        EXPECT_EQ(commandHint(c.id, c.pane), QString::fromUtf8(c.hint));
    }
}

// Every command button of the main window shows its command's caption and
// hint, and a click gives that command, once, in its own pane.
TEST_F(CommandsTest, EachButtonTriggersItsOwnCommand) {
    MainWindow& main = windows->mainWindow();
    int buttons = 0;
    for (const CommandInfo& info : commandTable()) {
        const std::vector<PaneKind> panes =
            info.perPane ? std::vector<PaneKind>(kPaneKinds.begin(), kPaneKinds.end())
                         : std::vector<PaneKind>{PaneKind::Photos};
        for (PaneKind pane : panes) {
            QAction* action =
                info.perPane ? commands().action(pane, info.id) : commands().action(info.id);
            EXPECT_EQ(action->text(), QString::fromUtf8(info.caption));
            for (QPushButton* button : main.findChildren<QPushButton*>()) {
                if (button->text() != action->text()) continue;
                // A side panel's button belongs to the panel of its pane.
                const QString panel = button->parentWidget()->objectName();
                const char* const panels[] = {"Panel_xiangpian", "Panel_yinyue", "Panel_geci"};
                if (info.perPane && panel != QLatin1String(panels[static_cast<int>(pane)]))
                    continue;
                SCOPED_TRACE(button->objectName().toStdString());
                ++buttons;
                EXPECT_EQ(button->accessibleName(), action->text());
                EXPECT_EQ(button->accessibleDescription(), commandHint(info.id, pane));
                // Nothing answers the command in this test: count it only.
                QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
                QSignalSpy given(action, &QAction::triggered);
                button->click();
                EXPECT_EQ(given.count(), 1);
            }
        }
    }
    // 12 in the left column, 7 under the panes, 2 in the title bar; the side
    // panels: photos 5, music 9, lyrics 11.
    EXPECT_EQ(buttons, 12 + 7 + 2 + 5 + 9 + 11);
}

TEST_F(CommandsTest, TheStripLabelsAndKeysGiveTheirCommands) {
    MainWindow& main = windows->mainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const std::pair<const char*, CommandId> labels[] = {
        {"Label_ruanjianjianjie", CommandId::ShowIntroduction},
        {"Label_bangzhuwenjian", CommandId::ShowHelpFile},
        {"Label_wangzhanmoban", CommandId::ShowWebsiteTemplates}};
    for (const auto& [name, id] : labels) {
        SCOPED_TRACE(name);
        QAction* action = commands().action(id);
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QSignalSpy given(action, &QAction::triggered);
        auto* label = main.findChild<HotLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->accessibleDescription(), action->toolTip());
        label->click();
        EXPECT_EQ(given.count(), 1);
    }
    const std::pair<QKeySequence, CommandId> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), CommandId::OpenProject},
        {QKeySequence(Qt::CTRL | Qt::Key_S), CommandId::SaveProject}};
    for (const auto& [key, id] : keys) {
        QAction* action = commands().action(id);
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QSignalSpy given(action, &QAction::triggered);
        QTest::keySequence(&main, key);
        EXPECT_EQ(given.count(), 1) << key.toString().toStdString();
    }
    main.hide();
}

// The pane labels and the title bar's hot areas carry their hints.
TEST_F(CommandsTest, TheHotLabelsCarryTheirHints) {
    const std::pair<const char*, const char*> hints[] = {
        {"Label_yinyuequyu", "显示音乐文件的缩略图区域"},
        {"Label_guanbi", "退出软件"},
        {"Label_huanyuan", "窗体放大"}};
    for (const auto& [name, hint] : hints) {
        auto* label = windows->mainWindow().findChild<HotLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->accessibleDescription(), QString::fromUtf8(hint)) << name;
    }
    // The photo panel binds nothing.
    EXPECT_EQ(
        windows->mainWindow().findChild<QPushButton*>(QStringLiteral("Button_xiangpian_bangding")),
        nullptr);
}

}  // namespace
}  // namespace orvane
