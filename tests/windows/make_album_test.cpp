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

#include "app/windows/album_make_command.h"
#include "app/windows/lyric_kind_window.h"
#include "app/windows/make_album_window.h"
#include "gui/message_window.h"
#include "project_windows_fixture.h"
#include "render/album/make_choices.h"

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

class MakeAlbumWindowTest : public ProjectWindowsTest {
   protected:
    ScriptedChooser& chooseOutput(const fs::path& path) {
        auto chooser = std::make_unique<ScriptedChooser>(toQString(path));
        ScriptedChooser& raw = *chooser;
        windows->setFileChooser(std::move(chooser));
        return raw;
    }
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

TEST_F(MakeAlbumWindowTest, TheMp4CommandMakesAnMp4File) {
    importPhotos();
    ScriptedChooser& chooser = chooseOutput(dir.path() / "trip");
    chooseSize();
    QString said;
    whenShown(QStringLiteral("TfrmMain"), [&](QWidget*) { answerMessage(&said); });
    runMakeCommand(*session, *windows, makeCommandOutputType(QStringLiteral("MP4")));

    EXPECT_EQ(chooser.filters, QStringList{QStringLiteral("MP4 格式相册|*.mp4")});
    EXPECT_TRUE(said.startsWith(QStringLiteral("相册制作完成！"))) << said.toStdString();
    const std::string head = readFile(dir.path() / "trip.mp4").substr(0, 12);
    EXPECT_EQ(head.substr(4, 4), "ftyp");
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
