// The window set on an open session: every window made once, in order, with
// its name and caption; the message, exit and processing windows; the title
// buttons of the main window.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <thread>

#include "gui/album/lyric_kind_window.h"
#include "gui/empty_session.h"
#include "gui/main/main_window.h"
#include "gui/main/window_set.h"
#include "gui/media/media_windows.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/shell/exit_window.h"
#include "gui/shell/message_window.h"
#include "gui/shell/processing_window.h"
#include "gui/shell/skin.h"
#include "session/job_runner.h"
#include "session/session.h"
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
    MainWindow& main = windows->mainWindow();
    EXPECT_EQ(main.panesHost()->objectName(), "Panel_panes");
    EXPECT_EQ(main.summaryPanelHost()->objectName(), "Panel_qitaxiangguan_host");
}

TEST_F(WindowShellTest, TheMessageWindowShowsItsMessageUntilOkAndKeepsItsState) {
    MessageWindow& message = windows->messageWindow();
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
    MainWindow& main = windows->mainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QSignalSpy closed(&main, &MainWindow::closed);

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
    MainWindow& main = windows->mainWindow();
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
    EXPECT_EQ(main.panesHost()->geometry(), mainWindowLayout({main.size(), 12, 7, false}).panes);

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
    MainWindow& main = windows->mainWindow();
    QSignalSpy panes(&main, &MainWindow::paneRequested);
    const char* names[] = {"Label_xiangpianquyu", "Label_yinyuequyu", "Label_gechiquyu"};
    for (const char* name : names)
        QTest::mouseClick(main.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
    ASSERT_EQ(panes.count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(panes[i][0].toInt(), i);
}

TEST_F(WindowShellTest, TheHintWindowShowsTheHintOfTheButtonUnderTheMouse) {
    auto* hints = windows->window(QStringLiteral("TForm30"));
    ASSERT_NE(hints, nullptr);
    MainWindow& main = windows->mainWindow();
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

// The title-bar buttons and the bottom-strip labels describe themselves in
// the text hint window, never in a tooltip of their own.
TEST_F(WindowShellTest, TitleButtonsAndStripLabelsShowTheirHintsInTheHintWindow) {
    auto* hints = windows->window(QStringLiteral("TForm30"));
    ASSERT_NE(hints, nullptr);
    MainWindow& main = windows->mainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const std::pair<const char*, const char*> cases[] = {
        {"Label_guanbi", "退出软件"},
        {"Label_quanping", "全屏"},
        {"Label_huanyuan", "窗体放大"},
        {"Label_kaishibuju", "启动窗体"},
        {"Label_xiangpianquyu", "显示相片文件的缩略图区域"},
        {"Label_yinyuequyu", "显示音乐文件的缩略图区域"},
        {"Label_gechiquyu", "显示歌词文件的缩略图区域"},
        {"Label_ruanjianjianjie", "软件简介是对软件的功能进行的简单介绍"},
        {"Label_bangzhuwenjian", "此软件的使用帮助文件"},
        {"Label_wangzhanmoban", "打开此软件的网站模板页面"},
    };
    auto* text = hints->findChild<QLabel*>(QStringLiteral("Label_tishi"));
    ASSERT_NE(text, nullptr);
    for (const auto& [name, hint] : cases) {
        SCOPED_TRACE(name);
        auto* label = main.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->toolTip().isEmpty()) << "one hint, not two";
        const QPoint inside = label->rect().center();
        QTest::mouseMove(label, inside);
        QEnterEvent enter(inside, label->mapTo(&main, inside), label->mapToGlobal(inside));
        QApplication::sendEvent(label, &enter);
        EXPECT_TRUE(hints->isVisible());
        EXPECT_EQ(text->text(), QString::fromUtf8(hint));
        EXPECT_FALSE(QToolTip::isVisible());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
        EXPECT_FALSE(hints->isVisible());
    }
    // A press runs the command: the hint goes first.
    auto* full = main.findChild<QWidget*>(QStringLiteral("Label_quanping"));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), full->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(full, &enter);
    ASSERT_TRUE(hints->isVisible());
    QTest::mousePress(full, Qt::LeftButton);
    EXPECT_FALSE(hints->isVisible());
    QTest::mouseRelease(full, Qt::LeftButton);
}

// The screen reader's name of every label of the main window is what the
// label shows; a value of the summary is named with its caption.
TEST_F(WindowShellTest, EveryLabelOfTheMainWindowIsNamedByWhatItShows) {
    MainWindow& main = windows->mainWindow();
    main.show();
    ProjectModel next = session->model();
    next.photos.append(PhotoEntry{});
    next.photos.append(PhotoEntry{});
    next.music.append(MusicEntry{});
    next.textEffects.append(TextEffect{});
    session->commit(std::move(next));

    const auto nameOf = [](QWidget* w) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
    };
    const auto label = [&](const char* name) {
        auto* found = main.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    // The counters read as documented.
    const std::pair<const char*, const char*> counters[] = {
        {"Label_xiangpian_shuliang", "相片数量: 2 张"},
        {"Label_yinyue_shuliang", "音乐数量: 1 个"},
        {"Label_geci_shuliang", "歌词数量: 0 个"}};
    for (const auto& [name, text] : counters) {
        QLabel* counter = label(name);
        ASSERT_NE(counter, nullptr);
        EXPECT_EQ(counter->text(), QString::fromUtf8(text));
        EXPECT_EQ(nameOf(counter), QString::fromUtf8(text));
    }
    // The summary's values: the value shown, named with its caption.
    const std::tuple<const char*, const char*, const char*> values[] = {
        {"Label_zongjie_4", "高清画质", "画面质量: 高清画质"},
        {"Label_zongjie_6", "相片为准", "相册长度: 相片为准"},
        {"Label_zongjie_7", "1 个", "文字特效: 1 个"},
        {"Label_zongjie_8", "0 个", "画面特效: 0 个"},
        {"Label_zongjie_5", "PAL制式", "电视制式: PAL制式"}};
    for (const auto& [name, text, accessible] : values) {
        QLabel* value = label(name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->text(), QString::fromUtf8(text));
        EXPECT_EQ(nameOf(value), QString::fromUtf8(accessible));
    }
    // Every other label with a text is named by it; one with a picture has a
    // name.
    for (QLabel* l : main.findChildren<QLabel*>()) {
        if (l->objectName().startsWith(QStringLiteral("Label_zongjie_"))) continue;
        if (!l->text().isEmpty()) {
            EXPECT_EQ(nameOf(l), l->text()) << l->objectName().toStdString();
        } else if (!l->pixmap().isNull()) {
            EXPECT_FALSE(nameOf(l).isEmpty()) << l->objectName().toStdString();
        }
    }
    // The names follow the values.
    next = session->model();
    next.settings.quality = Quality::Normal;
    next.photos.clear();
    session->commit(std::move(next));
    EXPECT_EQ(nameOf(label("Label_zongjie_4")), QStringLiteral("画面质量: 一般画质"));
    EXPECT_EQ(nameOf(label("Label_xiangpian_shuliang")), QStringLiteral("相片数量: 0 张"));
}

// The commands row under the panes and the preview box both stand in the
// start layout of a 1024 × 768 screen.
TEST_F(WindowShellTest, OnTheSmallestScreenTheCommandRowAndThePreviewBoxBothShow) {
    MainWindow& main = windows->mainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.resize(1002, 561);
    QWidget* preview = main.previewBoxHost();
    EXPECT_TRUE(preview->isVisible());
    EXPECT_GE(preview->height(), 80);
    std::vector<QWidget*> parts{preview, main.panesHost()};
    for (const char* name : {"Button_xiangceyulan", "Button_VCD", "Button_SVCD", "Button_DVD",
                             "Button_AVI", "Button_MP4", "Button_xulietu", "Label_xiangpianquyu",
                             "Label_wangzhanmoban", "Button_qitashezhi"}) {
        auto* w = main.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(w->isVisible()) << name;
        EXPECT_TRUE(main.rect().contains(w->geometry())) << name;
        parts.push_back(w);
    }
    for (std::size_t i = 0; i < parts.size(); ++i)
        for (std::size_t j = i + 1; j < parts.size(); ++j)
            EXPECT_FALSE(parts[i]->geometry().intersects(parts[j]->geometry()))
                << parts[i]->objectName().toStdString() << " and "
                << parts[j]->objectName().toStdString();
}

// The darkest and the lightest grey of `image` within `area`.
std::pair<int, int> greyRange(const QImage& image, QRect area) {
    int low = 255;
    int high = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            low = std::min(low, grey);
            high = std::max(high, grey);
        }
    return {low, high};
}

// On the dark skin a radio's ring stands out from the window and a chosen
// one is filled; the lists' scroll bars are dark like the lists.
TEST_F(WindowShellTest, RadioIndicatorsShowAndScrollBarsAreSkinned) {
    LyricKindWindow& kind = windows->lyricKindWindow();
    kind.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&kind));
    auto* lrc = kind.findChild<QRadioButton*>(QStringLiteral("RadioButton_shiyong_lrc"));
    auto* both = kind.findChild<QRadioButton*>(QStringLiteral("RadioButton_shiyong_lrcksc"));
    ASSERT_TRUE(lrc && both);
    both->setChecked(true);
    ASSERT_FALSE(lrc->isChecked());
    const QImage window = kind.grab().toImage();
    const int ground = qGray(window.pixel(kind.width() / 2, kind.height() - 4));
    const auto indicatorRect = [](QRadioButton* b) {
        QStyleOptionButton option;
        option.initFrom(b);
        return b->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, b);
    };
    const auto centreGrey = [&](QRadioButton* b) {
        return qGray(b->grab().toImage().pixel(indicatorRect(b).center()));
    };
    // The ring of an unchosen radio stands out from the window's ground.
    EXPECT_GE(greyRange(lrc->grab().toImage(), indicatorRect(lrc)).second - ground, 70);
    // The mark of the chosen radio is far from the unchosen one's inside
    // (a light grey dot on a white disc could hardly be told apart).
    EXPECT_GE(std::abs(centreGrey(both) - centreGrey(lrc)), 80);
    kind.hide();

    MainWindow& main = windows->mainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    windows->browser().showPane(PaneKind::Lyrics);
    windows->browser().showList();
    auto* list = main.findChild<QTreeWidget*>(QStringLiteral("suiListView_geci_liebiao"));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QScrollBar* bar = list->horizontalScrollBar();
    bar->setRange(0, 100);
    bar->show();
    const QImage picture = bar->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    // The groove is as dark as the skin's bands; the handle stands out of it.
    const auto [low, high] = greyRange(picture, picture.rect());
    EXPECT_LT(low, 60);
    EXPECT_LT(qGray(picture.pixel(picture.width() - 3, picture.height() / 2)), 60);
    EXPECT_GE(high - low, 40);
}

TEST_F(WindowShellTest, TheImportWindowsFillTheirBarAndPauseBeforeClosing) {
    Skin skin{1.0};
    // As documented: the photo bar a step every 100 ms, then a second each.
    const std::tuple<std::unique_ptr<JobProgressWindow>, long, long> windowsAndPauses[] = {
        {makePhotoImportWindow(skin), 100, 1000},
        {makeMusicImportWindow(skin), 0, 1000},
        {makeLyricImportWindow(skin), 0, 1000}};
    for (const auto& [window, step, hold] : windowsAndPauses) {
        EXPECT_EQ(window->closingPause().fillStep.count(), step)
            << window->objectName().toStdString();
        EXPECT_EQ(window->closingPause().hold.count(), hold) << window->objectName().toStdString();
    }

    // A window with a short pause, at full time scale: the job leaves the
    // bar short of its end; the bar runs to it and the window stays.
    JobProgressWindow::setClosingPauseScale(1.0);
    const std::unique_ptr<JobProgressWindow> window = makeLyricImportWindow(skin);
    JobProgressWindow& lyrics = *window;
    lyrics.setClosingPause({std::chrono::milliseconds(10), std::chrono::milliseconds(300)});
    JobRunner runner;
    runner.setThrottle(std::chrono::milliseconds(0));
    ASSERT_TRUE(runner.start([](Progress& progress) -> Result<void> {
        progress.start(8, QStringLiteral("添加歌词"));
        progress.advance(3);
        return {};
    }));
    QElapsedTimer clock;
    bool fullWhileShown = false;
    qint64 shownFor = 0;
    auto* watch = new QTimer;
    QObject::connect(watch, &QTimer::timeout, [&] {
        if (!lyrics.isVisible()) return;
        if (!clock.isValid() && lyrics.progressBar()->value() == lyrics.progressBar()->maximum()) {
            fullWhileShown = true;
            clock.start();
        }
        if (clock.isValid()) shownFor = clock.elapsed();
    });
    watch->start(5);
    const JobOutcome outcome = lyrics.showWhile(runner);
    delete watch;
    JobProgressWindow::setClosingPauseScale(0.0);
    EXPECT_TRUE(outcome.succeeded());
    EXPECT_TRUE(fullWhileShown);
    EXPECT_EQ(lyrics.progressBar()->value(), 8);
    EXPECT_GE(shownFor, 250) << "the window stays for the pause with the full bar";
    EXPECT_FALSE(lyrics.isVisible());

    // A job that fails closes the window at once, whatever its pause.
    JobProgressWindow::setClosingPauseScale(1.0);
    lyrics.setClosingPause({std::chrono::milliseconds(10), std::chrono::seconds(5)});
    ASSERT_TRUE(runner.start([](Progress& progress) -> Result<void> {
        progress.start(8, QStringLiteral("添加歌词"));
        return fail(QStringLiteral("unreadable"), ErrorKind::Input);
    }));
    clock.restart();
    EXPECT_FALSE(lyrics.showWhile(runner).succeeded());
    JobProgressWindow::setClosingPauseScale(0.0);
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST_F(WindowShellTest, TheProcessingWindowFollowsTheJobAndItsStopButtonStopsIt) {
    ProcessingWindow& processing = windows->processingWindow();
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
