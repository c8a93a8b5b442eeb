// The make commands through the windows, offscreen: the preconditions and
// their messages, a picture sequence made start to end through the output
// size window, the save dialog and the make-album window, the question
// before an existing file or folder is replaced, an album made without some
// of its parts, the Chinese messages and log, and a stop half way that
// leaves nothing at the output path and the project as it was.

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
#include <map>

#include "effects/picture_effect.h"
#include "gui/album/album_make_command.h"
#include "gui/album/lyric_kind_window.h"
#include "gui/album/make_album_window.h"
#include "gui/main/main_window.h"
#include "gui/project_windows_fixture.h"
#include "gui/shell/message_window.h"

namespace orvane {
namespace {

using namespace orvane::testing;

// The save dialog's answers, one per showing (then cancelled), and what it
// was asked.
class ScriptedChooser : public FileChooser {
   public:
    explicit ScriptedChooser(QStringList answers) : m_answers(std::move(answers)) {}
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFile(QWidget*, const QString&, const QString& filter) override {
        filters << filter;
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }
    QStringList filters;

   private:
    QStringList m_answers;
};

// Answers "文件已存在，是否替换？" with `button` ("Button_tihuan" or
// "Button_quxiao"), keeping what it asked.
void answerReplace(const char* button, QString* asked) {
    whenShown(QStringLiteral("TFormReplace"), [button, asked](QWidget* w) {
        *asked = child<QLabel>(w, "Label_xinxi")->text();
        child<QPushButton>(w, button)->click();
    });
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

class MakeAlbumWindowTest : public ProjectWindowsTest {
   protected:
    ScriptedChooser& chooseOutput(const fs::path& path) { return chooseOutputs({toQString(path)}); }
    ScriptedChooser& chooseOutputs(const QStringList& answers) {
        auto chooser = std::make_unique<ScriptedChooser>(answers);
        ScriptedChooser& raw = *chooser;
        windows->setFileChooser(std::move(chooser));
        return raw;
    }
};

// The bottom row's make commands, and nothing else, make an album of their
// type.
TEST(MakeCommands, EachMakeCommandMakesItsOwnOutputType) {
    const std::map<CommandId, OutputType> makes{
        {CommandId::MakeVcd, OutputType::Vcd},
        {CommandId::MakeSvcd, OutputType::Svcd},
        {CommandId::MakeDvd, OutputType::Dvd},
        {CommandId::MakeAvi, OutputType::Avi},
        {CommandId::MakeMp4, OutputType::Mp4},
        {CommandId::MakePictureSequence, OutputType::PictureSequence}};
    for (const CommandInfo& info : commandTable()) {
        const auto made = makes.find(info.id);
        const std::optional<OutputType> expected =
            made == makes.end() ? std::nullopt : std::optional(made->second);
        EXPECT_EQ(makeCommandOutputType(info.id), expected) << info.key;
    }
}

TEST_F(MakeAlbumWindowTest, WithoutPhotosEveryMakeCommandOnlySaysSo) {
    const QString album = toQString(dir.path() / "album");
    ScriptedChooser& chooser = chooseOutputs({album, album, album, album, album});
    for (const char* type : {"VCD", "SVCD", "DVD", "AVI", "XLTP"}) {
        QString said;
        answerMessage(&said);
        runMakeCommand(*session, *windows, enumFromLegacy<OutputType>(QLatin1String(type)).value());
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
    runMakeCommand(*session, *windows, OutputType::PictureSequence);

    EXPECT_EQ(chooser.filters, QStringList{QStringLiteral("生成 JPG 序列图片|*.JPG")});
    EXPECT_EQ(savedName, QStringLiteral("保存文件名: album"));
    // The log is Chinese in the window.
    EXPECT_TRUE(logText.contains(QStringLiteral("总帧数：170"))) << logText.toStdString();
    EXPECT_TRUE(logText.contains(QStringLiteral("开始编码..."))) << logText.toStdString();
    EXPECT_TRUE(logText.contains(QStringLiteral("编码结束。"))) << logText.toStdString();
    for (const char* english : {"Total", "Frame:", "Time Left", "Conversion", "Sample"})
        EXPECT_FALSE(logText.contains(QLatin1String(english))) << logText.toStdString();
    EXPECT_TRUE(said.startsWith(QStringLiteral("相册制作完成！"))) << said.toStdString();
    // 35 + 35 frames of the two templates and 100 of the ending.
    for (const char* name : {"01.JPG", "02.JPG", "09.JPG", "10.JPG", "170.JPG"})
        EXPECT_TRUE(fs::exists(out / name)) << name;
    EXPECT_FALSE(fs::exists(out / "171.JPG"));
    EXPECT_EQ(QImage(toQString(out / "100.JPG")).size(), QSize(320, 176));

    // The same name again: the folder holds the earlier sequence, so the
    // user is asked first; "取消" goes back to the save dialog (cancelled
    // here) and the pictures stay as they were.
    writeFile(out / "171.JPG", "an older, longer sequence");
    ScriptedChooser& again = chooseOutputs({toQString(out)});
    chooseSize();
    QString asked;
    answerReplace("Button_quxiao", &asked);
    runMakeCommand(*session, *windows, OutputType::PictureSequence);
    EXPECT_EQ(asked, QStringLiteral("文件已存在，是否替换？\n") + toQString(out));
    EXPECT_EQ(again.filters.size(), 2);  // the dialog came back
    EXPECT_EQ(readFile(out / "171.JPG"), "an older, longer sequence");

    // "替换": the new sequence takes the folder's place, the old pictures go.
    chooseOutputs({toQString(out)});
    chooseSize();
    answerReplace("Button_tihuan", &asked);
    said.clear();
    whenShown(QStringLiteral("TfrmMain"), [&](QWidget*) { answerMessage(&said); });
    runMakeCommand(*session, *windows, OutputType::PictureSequence);
    EXPECT_TRUE(said.startsWith(QStringLiteral("相册制作完成！"))) << said.toStdString();
    EXPECT_TRUE(fs::exists(out / "170.JPG"));
    EXPECT_FALSE(fs::exists(out / "171.JPG"));

    // A folder of anything else is never replaced: the name is refused.
    writeFile(dir.path() / "mine" / "notes.txt", "mine");
    chooseOutputs({toQString(dir.path() / "mine")});
    chooseSize();
    answerMessage(&said);
    runMakeCommand(*session, *windows, OutputType::PictureSequence);
    EXPECT_EQ(said, QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    EXPECT_EQ(readFile(dir.path() / "mine" / "notes.txt"), "mine");
}

// The extension is appended to the typed name, so the question is asked on
// the final name: "trip" replaces "trip.mp4", and only when the user agrees.
TEST_F(MakeAlbumWindowTest, AnAlbumReplacesAnExistingFileOnlyWhenTheUserAgrees) {
    importPhotos();
    const fs::path video = dir.path() / "trip.mp4";
    writeFile(video, "an earlier album");
    writeFile(dir.path() / "trip", "the typed name itself is not asked about");
    const QString typed = toQString(dir.path() / "trip");
    ScriptedChooser& chooser = chooseOutputs({typed});
    chooseSize();
    QString asked;
    answerReplace("Button_quxiao", &asked);
    runMakeCommand(*session, *windows, OutputType::Mp4);
    EXPECT_EQ(asked, QStringLiteral("文件已存在，是否替换？\n") + toQString(video));
    EXPECT_EQ(chooser.filters.size(), 2);  // "取消" went back to the save dialog
    EXPECT_EQ(readFile(video), "an earlier album");
    // The make-album window was never prepared.
    EXPECT_TRUE(windows->makeAlbumWindow().savedNameLabel()->text().isEmpty());

    // The question is the program's own skinned window.
    auto* question = windows->window(QStringLiteral("TFormReplace"));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(child<QPushButton>(question, "Button_tihuan")->accessibleName(),
              QStringLiteral("替换"));
    EXPECT_EQ(child<QPushButton>(question, "Button_quxiao")->accessibleName(),
              QStringLiteral("取消"));

    chooseOutputs({typed});
    chooseSize();
    answerReplace("Button_tihuan", &asked);
    QString said;
    whenShown(QStringLiteral("TfrmMain"), [&](QWidget*) { answerMessage(&said); });
    runMakeCommand(*session, *windows, OutputType::Mp4);
    EXPECT_TRUE(said.startsWith(QStringLiteral("相册制作完成！"))) << said.toStdString();
    EXPECT_EQ(readFile(video).substr(4, 4), "ftyp");
}

// A template that cannot be played and a decoration picture that cannot be
// read: the album is made without them, the final message names both, and
// the log (in Chinese) is one button away.
TEST_F(MakeAlbumWindowTest, AnAlbumMadeWithoutSomePartsNamesThemAndKeepsItsLog) {
    importPhotos();
    writeFile(folder.instanceMovie(1), "this is no movie");
    writeFile(dir.path() / "badge.png", "no picture either");
    auto badge = makePictureEffect(toQString(dir.path() / "badge.png"), QStringLiteral("00:01"),
                                   QStringLiteral("wu"), QStringLiteral("10,10"), 1);
    ASSERT_TRUE(badge) << badge.error().message.toStdString();
    ProjectModel next = session->model();
    next.pictureEffects.append(*badge);
    session->commit(std::move(next));

    chooseOutput(dir.path() / "without");
    chooseSize();
    QString finalText, logText, secondText;
    MessageAnswerer messages;
    whenShown(
        QStringLiteral("TFormLeftOut"),
        [&](QWidget* w) {
            finalText = child<QLabel>(w, "Label_xinxi")->text();
            whenShown(QStringLiteral("TfrmMain"), [&](QWidget* log) {
                logText = child<QPlainTextEdit>(log, "Memo_rizhi")->toPlainText();
                whenShown(QStringLiteral("TFormLeftOut"), [&](QWidget* again) {
                    secondText = child<QLabel>(again, "Label_xinxi")->text();
                    child<QPushButton>(again, "Button_queding")->click();
                });
                static_cast<QDialog*>(log)->reject();
            });
            child<QPushButton>(w, "Button_chakanrizhi")->click();
        },
        60000);
    runMakeCommand(*session, *windows, OutputType::Dvd);

    EXPECT_TRUE(fs::exists(dir.path() / "without.mpg"));
    EXPECT_EQ(finalText,
              QStringLiteral("相册已制作，但以下内容未能使用：\n模板 %1 无法播放\n"
                             "画面特效图片 %2 无法读取")
                  .arg(toQString(folder.instanceMovie(1)), toQString(dir.path() / "badge.png")));
    EXPECT_EQ(secondText, finalText);  // back to the message after the log
    EXPECT_TRUE(logText.contains(
        QStringLiteral("模板 %1 无法播放，已跳过").arg(toQString(folder.instanceMovie(1)))))
        << logText.toStdString();
    EXPECT_TRUE(logText.contains(QStringLiteral("画面特效图片 %1 无法读取，未使用")
                                     .arg(toQString(dir.path() / "badge.png"))))
        << logText.toStdString();
    EXPECT_TRUE(logText.contains(QStringLiteral("总帧数："))) << logText.toStdString();
    EXPECT_TRUE(messages.messages.isEmpty())  // never "相册制作完成！"
        << messages.messages.join(u'|').toStdString();
}

TEST_F(MakeAlbumWindowTest, AMissingOutputFolderIsNamedInChinese) {
    importPhotos();
    const fs::path gone = dir.path() / "gone";
    chooseOutput(gone / "album");
    chooseSize();
    QString said;
    answerMessage(&said);
    runMakeCommand(*session, *windows, OutputType::Dvd);
    EXPECT_EQ(said, QStringLiteral("保存相册的文件夹不存在：") + toQString(gone));
    EXPECT_FALSE(fs::exists(gone));
}

// A make command given while an album is being made is refused in Chinese;
// the running album's window is left as it is.
TEST_F(MakeAlbumWindowTest, AMakeWhileAnotherRunsIsRefusedInChinese) {
    importPhotos();
    chooseOutputs({toQString(dir.path() / "first"), toQString(dir.path() / "second")});
    chooseSize(false);  // long enough to give the second command meanwhile
    QString said, savedNameMeanwhile;
    whenShown(QStringLiteral("TfrmMain"), [&](QWidget* w) {
        QTimer::singleShot(0, w, [&, w] {
            chooseSize();
            answerMessage(&said);
            runMakeCommand(*session, *windows, OutputType::Dvd);
            savedNameMeanwhile = child<QLabel>(w, "Label_baocunmingcheng")->text();
            child<QPushButton>(w, "Button_tingzhizhizuo")->click();
        });
    });
    runMakeCommand(*session, *windows, OutputType::Dvd);
    EXPECT_EQ(said, QStringLiteral("正在制作另一个相册，请等它完成后再制作。"));
    EXPECT_EQ(savedNameMeanwhile, QStringLiteral("保存文件名: first"));
    EXPECT_FALSE(fs::exists(dir.path() / "second.mpg"));
}

TEST_F(MakeAlbumWindowTest, TheMp4CommandMakesAnMp4File) {
    importPhotos();
    ScriptedChooser& chooser = chooseOutput(dir.path() / "trip");
    chooseSize();
    QString said;
    whenShown(QStringLiteral("TfrmMain"), [&](QWidget*) { answerMessage(&said); });
    // Through the button, as a user makes it.
    windows->mainWindow().findChild<QPushButton*>(QStringLiteral("Button_MP4"))->click();

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
    runMakeCommand(*session, *windows, OutputType::Dvd);
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
    LyricKindWindow& window = windows->lyricKindWindow();
    whenShown(QStringLiteral("TForm49"), [](QWidget* w) {
        EXPECT_TRUE(child<QRadioButton>(w, "RadioButton_shiyong_lrcksc")->isChecked());
        child<QRadioButton>(w, "RadioButton_shiyong_lrc")->click();
        child<QPushButton>(w, "Button_queding")->click();
    });
    EXPECT_TRUE(window.askLyricKind());
    EXPECT_EQ(session->model().settings.lyricKind, LyricKind::Lrc);

    whenShown(QStringLiteral("TForm49"), [](QWidget* w) {
        EXPECT_TRUE(child<QRadioButton>(w, "RadioButton_shiyong_lrcksc")->isChecked());
        static_cast<QDialog*>(w)->reject();  // the close control cancels the make
    });
    EXPECT_FALSE(window.askLyricKind());
    EXPECT_EQ(session->model().settings.lyricKind, LyricKind::Both);
}

}  // namespace
}  // namespace orvane
