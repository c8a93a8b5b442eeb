// The window set on an open session: every window made once, in order, with
// its name and caption; the message, exit and processing windows; the title
// buttons of the main window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <thread>

#include "app/session/job_runner.h"
#include "app/session/session.h"
#include "app/windows/main_window.h"
#include "app/windows/window_set.h"
#include "empty_session.h"
#include "gui/exit_window.h"
#include "gui/message_window.h"
#include "gui/processing_window.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::TempDir;

class WindowShellTest : public ::testing::Test {
   protected:
    void SetUp() override {
        session = testing::openEmptySession(dir.path());
        ASSERT_TRUE(session);
        windows = std::make_unique<WindowSet>(*session);
    }
    void TearDown() override {
        windows.reset();
        session.reset();
    }

    // Runs `act` on the first visible window named `name` once the event
    // loop of a modal window runs; fails the test after five seconds.
    void whenVisible(const QString& name, std::function<void(QWidget*)> act) {
        auto* timer = new QTimer;
        auto left = std::make_shared<int>(500);
        QObject::connect(timer, &QTimer::timeout, [=] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && w->objectName() == name) {
                    timer->deleteLater();
                    act(w);
                    return;
                }
            }
            if (--*left == 0) {
                timer->deleteLater();
                ADD_FAILURE() << name.toStdString() << " never showed";
                if (auto* modal = QApplication::activeModalWidget()) modal->close();
            }
        });
        timer->start(10);
    }

    static QPushButton* button(QWidget* window, const QString& caption) {
        for (QPushButton* b : window->findChildren<QPushButton*>())
            if (b->text() == caption) return b;
        return nullptr;
    }

    TempDir dir;
    std::unique_ptr<Session> session;
    std::unique_ptr<WindowSet> windows;
};

TEST_F(WindowShellTest, EveryWindowIsMadeOnceInOrderWithItsNameAndCaption) {
    const std::vector<std::pair<QString, QString>> expected{
        {"TForm1", "Orvane自动套版电子相册2018"},
        {"TMainForm", "添加相片"},
        {"TfrmMain", "制作相册"},
        {"TForm2", "相册时长"},
        {"TForm3", "文字特效"},
        {"TForm6", "添加音乐"},
        {"TForm8", "提示信息"},
        {"TForm7", "添加歌词"},
        {"TForm9", "删除相片"},
        {"TForm10", "删除相片"},
        {"TForm11", "删除相片"},
        {"TForm12", "删除音乐"},
        {"TForm13", "删除歌词"},
        {"TForm14", "绑定或解绑"},
        {"TForm15", "绑定"},
        {"TForm16", "歌词设置"},
        {"TForm17", "其它设置"},
        {"TForm25", "退出本软件"},
        {"TForm28", "音乐预览"},
        {"TForm29", "歌词预览"},
        {"TForm30", "提示窗口"},
        {"TForm31", "相片控件渐变提示信息"},
        {"TForm32", "音乐控件渐变提示信息"},
        {"TForm33", "歌词控件渐变提示信息"},
        {"TForm34", "相片使用效果预览"},
        {"TForm35", "正在处理..."},
        {"TForm39", "输出相册尺寸"},
        {"TForm50", "歌词软件"},
        {"TForm46", "卡拉OK设置"},
        {"TForm47", "卡拉OK设置"},
        {"TForm48", "卡拉OK设置"},
        {"TForm49", "歌词类型选择"},
        {"TForm51", "查看匹配"},
        {"TForm4", ""},
        // Windows of our own follow the documented ones.
        {"TFormAlbumPreview", "相册预览"},
        {"TFormSaveProject", "保存工程"},
        {"TFormReplace", "提示信息"},
        {"TFormLeftOut", "提示信息"},
    };
    const auto& made = windows->windows();
    ASSERT_EQ(made.size(), expected.size());
    const QWidgetList topLevel = QApplication::topLevelWidgets();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(made[i]->objectName(), expected[i].first) << i;
        EXPECT_EQ(made[i]->windowTitle(), expected[i].second) << i;
        EXPECT_TRUE(made[i]->isWindow());
        EXPECT_FALSE(made[i]->accessibleName().isEmpty()) << i;
        // Each is a window of its own, found by its name among the top levels.
        const auto count = std::count_if(topLevel.begin(), topLevel.end(), [&](QWidget* w) {
            return w->objectName() == expected[i].first;
        });
        EXPECT_EQ(count, 1) << expected[i].first.toStdString();
    }
    // The main window hosts the panes and the summary panel.
    TForm1& main = windows->mainWindow();
    EXPECT_EQ(main.panesHost()->objectName(), "Panel_panes");
    EXPECT_EQ(main.summaryPanelHost()->objectName(), "Panel_qitaxiangguan_host");
}

TEST_F(WindowShellTest, TheMessageWindowShowsItsMessageUntilOkAndKeepsItsState) {
    TForm8& message = windows->messageWindow();
    QString shown;
    whenVisible(QStringLiteral("TForm8"), [&](QWidget* w) {
        shown = w->findChild<QLabel*>(QStringLiteral("Label_xianshi_xiaoxi"))->text();
        QTest::mouseClick(button(w, QStringLiteral("确定")), Qt::LeftButton);
    });
    message.showMessage(QStringLiteral("相片文件 a.jpg 无法读取"));
    EXPECT_EQ(shown, QStringLiteral("相片文件 a.jpg 无法读取"));
    EXPECT_FALSE(message.isVisible());

    // Shown again: the same window, dismissed by Esc this time.
    whenVisible(QStringLiteral("TForm8"), [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    message.showMessage(QStringLiteral("第二条"));
    EXPECT_FALSE(message.isVisible());
    EXPECT_EQ(message.messageLabel()->text(), QStringLiteral("第二条"));
}

TEST_F(WindowShellTest, ExitAsksFirstCancelKeepsRunningOkEnds) {
    TForm1& main = windows->mainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QSignalSpy closed(&main, &TForm1::closed);

    QString question;
    whenVisible(QStringLiteral("TForm25"), [&](QWidget* w) {
        question = w->findChild<QLabel*>(QStringLiteral("Label_xianshi_xiaoxi"))->text();
        QTest::mouseClick(button(w, QStringLiteral("取消")), Qt::LeftButton);
    });
    QTest::keyClick(&main, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(question, QStringLiteral("确定要退出本软件吗？"));
    QTest::qWait(30);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(closed.count(), 0);

    // The close button of the title bar asks the same; "确定" ends.
    whenVisible(QStringLiteral("TForm25"), [&](QWidget* w) {
        QTest::mouseClick(button(w, QStringLiteral("确定")), Qt::LeftButton);
    });
    auto* close = main.findChild<QWidget*>(QStringLiteral("Label_guanbi"));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_TRUE(closed.wait(2000));
    EXPECT_FALSE(main.isVisible());
}

TEST_F(WindowShellTest, TitleButtonsAndTheDoubleClickSwitchTheLayoutMode) {
    TForm1& main = windows->mainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const QSize screen = main.screen()->geometry().size();
    const QPoint origin = main.screen()->geometry().topLeft();
    auto geometryFor = [&](LayoutMode m) {
        return mainWindowGeometry(m, screen).translated(origin);
    };
    EXPECT_EQ(main.layoutMode(), LayoutMode::Start);
    EXPECT_EQ(main.geometry(), geometryFor(LayoutMode::Start));

    auto click = [&](const char* name) {
        auto* label = main.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        QTest::mouseClick(label, Qt::LeftButton);
    };
    click("Label_quanping");
    EXPECT_EQ(main.layoutMode(), LayoutMode::FullScreen);
    EXPECT_EQ(main.geometry(), geometryFor(LayoutMode::FullScreen));
    // The panes follow the window.
    EXPECT_EQ(main.panesHost()->geometry(), mainWindowLayout({main.size(), 15, false}).panes);

    click("Label_huanyuan");
    EXPECT_EQ(main.layoutMode(), LayoutMode::Restore);
    EXPECT_EQ(main.geometry(), geometryFor(LayoutMode::Restore));

    auto* middle = main.findChild<QWidget*>(QStringLiteral("Image_zhujiemian_2"));
    ASSERT_NE(middle, nullptr);
    QTest::mouseDClick(middle, Qt::LeftButton);
    EXPECT_EQ(main.layoutMode(), LayoutMode::Start);
    QTest::mouseDClick(middle, Qt::LeftButton);
    EXPECT_EQ(main.layoutMode(), LayoutMode::FullScreen);
    QTest::mouseDClick(middle, Qt::LeftButton);
    EXPECT_EQ(main.layoutMode(), LayoutMode::Start);
    EXPECT_EQ(main.geometry(), geometryFor(LayoutMode::Start));

    // The keyboard reaches the same command: Tab to the full-screen label,
    // Enter runs it.
    auto* full = main.findChild<QWidget*>(QStringLiteral("Label_quanping"));
    full->setFocus();
    QTest::keyClick(full, Qt::Key_Return);
    QTest::qWait(300);  // the click is animated
    EXPECT_EQ(main.layoutMode(), LayoutMode::FullScreen);
}

TEST_F(WindowShellTest, PaneLabelsAskForTheirPane) {
    TForm1& main = windows->mainWindow();
    QSignalSpy panes(&main, &TForm1::paneRequested);
    const char* names[] = {"Label_xiangpianquyu", "Label_yinyuequyu", "Label_gechiquyu"};
    for (const char* name : names)
        QTest::mouseClick(main.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
    ASSERT_EQ(panes.count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(panes[i][0].toInt(), i);
}

TEST_F(WindowShellTest, TheHintWindowShowsTheHintOfTheButtonUnderTheMouse) {
    auto* hints = windows->window(QStringLiteral("TForm30"));
    ASSERT_NE(hints, nullptr);
    TForm1& main = windows->mainWindow();
    main.show();
    struct Case {
        const char* button;
        const char* hint;
    };
    for (const Case c : {Case{"Button_DVD", "画面效果最高达到1920*1080"},
                         Case{"Button_xiangcechangdu", "两种同步"}}) {
        auto* button = main.findChild<QPushButton*>(QString::fromUtf8(c.button));
        ASSERT_NE(button, nullptr) << c.button;
        EXPECT_TRUE(button->toolTip().isEmpty()) << "one hint, not two";
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button, &enter);
        EXPECT_TRUE(hints->isVisible()) << c.button;
        EXPECT_TRUE(hints->findChild<QLabel*>(QStringLiteral("Label_tishi"))
                        ->text()
                        .contains(QString::fromUtf8(c.hint)))
            << c.button;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        EXPECT_FALSE(hints->isVisible());
    }
}

TEST_F(WindowShellTest, TheProcessingWindowFollowsTheJobAndItsStopButtonStopsIt) {
    TForm35& processing = windows->processingWindow();
    JobRunner runner;
    runner.setThrottle(std::chrono::milliseconds(0));
    ASSERT_TRUE(runner.start([](Progress& progress) -> Result<void> {
        progress.start(10, QStringLiteral("正在导入相片"));
        progress.advance(3);
        while (!progress.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return stopped(QStringLiteral("the photo import"));
    }));
    QString phase;
    int value = -1;
    whenVisible(QStringLiteral("TForm35"), [&](QWidget* w) {
        // Let the phase and the advance arrive, then press 停止.
        QTest::qWait(100);
        phase = processing.phaseLabel()->text();
        value = processing.progressBar()->value();
        QTest::mouseClick(button(w, QStringLiteral("停止")), Qt::LeftButton);
    });
    const JobOutcome outcome = processing.showWhile(runner);
    EXPECT_EQ(phase, QStringLiteral("正在导入相片"));
    EXPECT_EQ(value, 3);
    ASSERT_FALSE(outcome.succeeded());
    EXPECT_TRUE(outcome.result.error().isStop());
    EXPECT_FALSE(processing.isVisible());
}

}  // namespace
}  // namespace orvane
