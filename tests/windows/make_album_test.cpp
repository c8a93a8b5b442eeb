// The make commands through the windows, offscreen: the preconditions and
// their messages, a picture sequence made start to end through the output
// size window, the save dialog and the make-album window, and a stop half
// way that leaves nothing at the output path and the project as it was.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "../album/album_fixtures.h"
#include "app/session/session.h"
#include "app/windows/album_make_command.h"
#include "app/windows/lyric_kind_window.h"
#include "app/windows/make_album_window.h"
#include "app/windows/window_set.h"
#include "gui/message_window.h"
#include "photos/photo_import.h"

namespace orvane {
namespace {

using namespace orvane::testing;

// The save dialog's answer, and what it was asked.
class ScriptedChooser : public FileChooser {
   public:
    explicit ScriptedChooser(QString answer) : m_answer(std::move(answer)) {}
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFile(QWidget*, const QString&, const QString& filter) override {
        filters << filter;
        return m_answer;
    }
    QStringList filters;

   private:
    QString m_answer;
};

// Acts on the window `objectName` once it is shown (modal windows are
// answered this way); fails the test when it never shows.
void whenShown(const QString& objectName, std::function<void(QWidget*)> act,
               int timeoutMs = 60000) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == objectName && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(w);
                return;
            }
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << objectName.toStdString() << " never showed";
        }
    });
    timer->start(5);
}

template <typename T>
T* child(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Answers the message window and keeps what it said.
void answerMessage(QString* said) {
    whenShown(QStringLiteral("TForm8"), [said](QWidget* w) {
        *said = child<QLabel>(w, "Label_xianshi_xiaoxi")->text();
        child<QPushButton>(w, "Button_queding")->click();
    });
}

// The output size window: the smallest size of the list (or the default
// 1280 × 720), then "开始制作".
void chooseSize(bool smallest = true) {
    whenShown(QStringLiteral("TForm39"), [smallest](QWidget* w) {
        if (smallest) child<QListWidget>(w, "suiListBox_chicun")->setCurrentRow(0);
        child<QPushButton>(w, "suiButton_kaishizhizuo")->click();
    });
}

class MakeAlbumWindowTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35}, 60);
        writePhoto(dir.path() / "a.jpg", 800, 600, Qt::red);
        writePhoto(dir.path() / "b.jpg", 800, 600, Qt::green);
        SessionOptions options;
        options.root = dir.path();
        NullProgress progress;
        auto opened = Session::open(options, progress);
        ASSERT_TRUE(opened) << opened.error().message.toStdString();
        session = std::move(*opened);
        windows = std::make_unique<WindowSet>(*session);
    }
    void importPhotos() {
        const QStringList files{toQString(dir.path() / "a.jpg"), toQString(dir.path() / "b.jpg")};
        NullProgress progress;
        auto imported = session->apply(
            [&](ProjectModel& model, const WorkingFolder& f, Progress& p) -> Result<void> {
                auto report = orvane::importPhotos(model, f, files, p);
                if (!report) return std::unexpected(report.error());
                return {};
            },
            progress);
        ASSERT_TRUE(imported) << imported.error().message.toStdString();
        ProjectModel next = session->model();
        next.settings.quality = QStringLiteral("yiban_huazhi");
        session->commit(std::move(next));
    }
    ScriptedChooser& chooseOutput(const fs::path& path) {
        auto chooser = std::make_unique<ScriptedChooser>(toQString(path));
        ScriptedChooser& raw = *chooser;
        windows->setFileChooser(std::move(chooser));
        return raw;
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    std::unique_ptr<Session> session;
    std::unique_ptr<WindowSet> windows;
};

TEST_F(MakeAlbumWindowTest, WithoutPhotosEveryMakeCommandOnlySaysSo) {
    ScriptedChooser& chooser = chooseOutput(dir.path() / "album");
    for (const char* type : {"VCD", "SVCD", "DVD", "AVI", "XLTP"}) {
        QString said;
        answerMessage(&said);
        runMakeCommand(*session, *windows, QString::fromLatin1(type));
        EXPECT_EQ(said, QStringLiteral("没有添加相片文件！")) << type;
    }
    EXPECT_TRUE(chooser.filters.isEmpty());  // no save dialog was shown
}

TEST_F(MakeAlbumWindowTest, APictureSequenceIsMadeThroughTheWindowsIntoANewFolder) {
    importPhotos();
    const fs::path out = dir.path() / "album";
    ScriptedChooser& chooser = chooseOutput(out);
    chooseSize();
    QString savedName, logText, said;
    whenShown(QStringLiteral("TfrmMain"), [&](QWidget* w) {
        savedName = child<QLabel>(w, "Label_baocunmingcheng")->text();
        // Once the build ends the window closes; keep the log before it does.
        auto* log = child<QPlainTextEdit>(w, "Memo_rizhi");
        QObject::connect(log, &QPlainTextEdit::textChanged, w,
                         [&logText, log] { logText = log->toPlainText(); });
        answerMessage(&said);
    });
    runMakeCommand(*session, *windows, QStringLiteral("XLTP"));

    EXPECT_EQ(chooser.filters, QStringList{QStringLiteral("生成 JPG 序列图片|*.JPG")});
    EXPECT_EQ(savedName, QStringLiteral("保存文件名: album"));
    EXPECT_TRUE(logText.contains(QStringLiteral("Total frames:  170"))) << logText.toStdString();
    EXPECT_TRUE(said.startsWith(QStringLiteral("相册制作完成！"))) << said.toStdString();
    // 35 + 35 frames of the two templates and 100 of the ending.
    for (const char* name : {"01.JPG", "02.JPG", "09.JPG", "10.JPG", "170.JPG"})
        EXPECT_TRUE(fs::exists(out / name)) << name;
    EXPECT_FALSE(fs::exists(out / "171.JPG"));
    EXPECT_EQ(QImage(toQString(out / "100.JPG")).size(), QSize(320, 176));

    // The same name again: the folder exists, nothing is made.
    chooseSize();
    answerMessage(&said);
    runMakeCommand(*session, *windows, QStringLiteral("XLTP"));
    EXPECT_EQ(said, QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
}

TEST_F(MakeAlbumWindowTest, AStopHalfWayLeavesNoFileAndTheProjectAsItWas) {
    importPhotos();
    chooseOutput(dir.path() / "album");
    chooseSize(false);  // at 1280 × 720 the build lasts long enough to stop it
    const auto listingBefore = folderListing(folder.root() / "smxcwjj");
    bool stopWasEnabled = false;
    qint64 stopTookMs = -1;
    auto clock = std::make_shared<QElapsedTimer>();
    whenShown(QStringLiteral("TfrmMain"), [&](QWidget* w) {
        auto* bar = child<QProgressBar>(w, "ProgressBar_xiangce");
        auto* stop = child<QPushButton>(w, "Button_tingzhizhizuo");
        auto* poll = new QTimer(w);
        QObject::connect(poll, &QTimer::timeout, w, [=, &stopWasEnabled] {
            if (bar->maximum() <= 1 || bar->value() <= bar->maximum() / 2 + 5) return;
            poll->stop();
            stopWasEnabled = stop->isEnabled();
            clock->start();
            stop->click();
        });
        QObject::connect(w, &QWidget::destroyed, poll, &QObject::deleteLater);
        poll->start(1);
    });
    const ProjectModel before = session->model();
    runMakeCommand(*session, *windows, QStringLiteral("DVD"));
    stopTookMs = clock->isValid() ? clock->elapsed() : -1;

    EXPECT_TRUE(stopWasEnabled);
    ASSERT_GE(stopTookMs, 0) << "the build ended before it could be stopped";
    EXPECT_LT(stopTookMs, 1000);
    EXPECT_FALSE(fs::exists(dir.path() / "album.mpg"));
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with("album"))
            << entry.path().filename();
    EXPECT_EQ(session->model().photos, before.photos);
    EXPECT_EQ(session->model().settings, before.settings);
    EXPECT_EQ(folderListing(folder.root() / "smxcwjj"), listingBefore);
}

TEST_F(MakeAlbumWindowTest, TheLyricTypeStartsAtBothKindsAtEveryShowing) {
    TForm49& window = windows->lyricKindWindow();
    whenShown(QStringLiteral("TForm49"), [](QWidget* w) {
        EXPECT_TRUE(child<QRadioButton>(w, "RadioButton_shiyong_lrcksc")->isChecked());
        child<QRadioButton>(w, "RadioButton_shiyong_lrc")->click();
        child<QPushButton>(w, "Button_queding")->click();
    });
    EXPECT_TRUE(window.askLyricKind());
    EXPECT_EQ(session->model().settings.lyricKind, QStringLiteral("shiyong_lrc"));

    whenShown(QStringLiteral("TForm49"), [](QWidget* w) {
        EXPECT_TRUE(child<QRadioButton>(w, "RadioButton_shiyong_lrcksc")->isChecked());
        static_cast<QDialog*>(w)->reject();  // the close control cancels the make
    });
    EXPECT_FALSE(window.askLyricKind());
    EXPECT_EQ(session->model().settings.lyricKind, QStringLiteral("shiyong_lrcksc"));
}

}  // namespace
}  // namespace orvane
