// Starting the windows: through the session, on a free working folder or on
// one another run is using.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QTimer>

#include "app/gui_main.h"
#include "package_writer.h"
#include "session/working_folder_lock.h"
#include "support/template_store.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::addTemplate;
using testing::folderListing;
using testing::TempDir;
using testing::writeFile;

class WindowsStartTest : public ::testing::Test {
   protected:
    void SetUp() override {
        fs::create_directories(folder.movieStore());
        fs::create_directories(folder.parameterStore());
        options.root = dir.path();
        options.instanceLockPath = toQString(dir.path() / "instance.lock");
    }
    // Calls `act` with the first top-level window that `match` accepts, once
    // the windows are up; gives up after ten seconds.
    template <typename Match, typename Act>
    void whenShown(Match match, Act act) {
        auto* timer = new QTimer;
        auto deadline = std::make_shared<int>(1000);
        QObject::connect(timer, &QTimer::timeout, [=] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && match(w)) {
                    timer->deleteLater();
                    act(w);
                    return;
                }
            }
            if (--*deadline == 0) {
                timer->deleteLater();
                ADD_FAILURE() << "the window never showed";
                QApplication::exit(99);
            }
        });
        timer->start(10);
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    WindowsOptions options;
};

TEST_F(WindowsStartTest, AFolderInUseIsNamedInTheMessageWindowAndNothingChanges) {
    auto lock = WorkingFolderLock::acquire(folder, QStringLiteral("orvane make"));
    ASSERT_TRUE(lock);
    writeFile(folder.thumbnail(1, 1), "the render's thumbnail");
    const auto before = folderListing(folder.base());

    QString shown;
    whenShown([](QWidget* w) { return w->objectName() == QStringLiteral("TForm8"); },
              [&shown](QWidget* w) {
                  shown = w->findChild<QLabel*>(QStringLiteral("Label_xianshi_xiaoxi"))->text();
                  qobject_cast<QDialog*>(w)->accept();
              });
    EXPECT_EQ(startWindows(options), 1);
    EXPECT_EQ(shown, QStringLiteral("工作文件夹 %1 正被另一个 Orvane 程序（orvane make）使用，"
                                    "请等它结束后再试，或使用另一个工作文件夹。")
                         .arg(toQString(folder.base())));
    EXPECT_EQ(folderListing(folder.base()), before);
}

// Templates the store cannot offer are named at start, in Chinese.
TEST_F(WindowsStartTest, RefusedTemplatesAreNamedInChineseAtStart) {
    writeFile(folder.movieStore() / "t1.rar", "a movie package without its parameters");
    QString shown;
    whenShown([](QWidget* w) { return w->objectName() == QStringLiteral("TForm8"); },
              [&shown](QWidget* w) {
                  shown = w->findChild<QLabel*>(QStringLiteral("Label_xianshi_xiaoxi"))->text();
                  qobject_cast<QDialog*>(w)->accept();
                  // Closing the main window ends the program (a quit of its own).
                  for (QWidget* top : QApplication::topLevelWidgets())
                      if (top->objectName() == QStringLiteral("TForm1")) top->close();
              });
    EXPECT_EQ(startWindows(options), 0);
    EXPECT_EQ(shown, QStringLiteral("以下模板无法使用，已略过：\n%1：缺少对应的模板参数包")
                         .arg(toQString(folder.movieStore() / "t1.rar")));
}

TEST_F(WindowsStartTest, TheWindowsHoldTheFolderAndCleanItAtStartAndExit) {
    writeFile(folder.thumbnail(1, 1), "stale from a crashed run");
    bool refusedWhileOpen = false;
    whenShown([](QWidget* w) { return w->objectName() == QStringLiteral("TForm1"); },
              [&](QWidget* w) {
                  EXPECT_FALSE(fs::exists(folder.thumbnail(1, 1)));
                  refusedWhileOpen =
                      !WorkingFolderLock::acquire(folder, QStringLiteral("orvane fit"));
                  writeFile(folder.instanceMovie(1), "made while the windows ran");
                  w->close();
                  QApplication::quit();
              });
    EXPECT_EQ(startWindows(options), 0);
    EXPECT_TRUE(refusedWhileOpen);
    EXPECT_FALSE(fs::exists(folder.instanceMovie(1)));
    EXPECT_TRUE(WorkingFolderLock::acquire(folder, QStringLiteral("after")));
}

TEST_F(WindowsStartTest, FilesGivenAtStartThatAreNotTakenAreNamedInChinese) {
    // An earlier test's last closed window leaves a quit event queued; it
    // must not end this run's loops.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    addTemplate(folder, "land", testing::TemplateSpec{});
    fs::create_directories(folder.endingPackage().parent_path());
    packing::writePackage(folder.endingPackage(), packing::Bytes{'e', 'n', 'd'});
    const fs::path in = dir.path() / "in";
    fs::create_directories(in);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(toQString(in / "photo.JPEG"), "JPEG"));
    writeFile(in / "notes.txt", "some notes");
    writeFile(in / "text.jfif", "no photo");
    options.files = {toQString(in / "photo.JPEG"), toQString(in / "notes.txt"),
                     toQString(in / "text.jfif"), toQString(in / "gone.mp3")};
    QString shown;
    whenShown([](QWidget* w) { return w->objectName() == QStringLiteral("TForm8"); },
              [&shown](QWidget* w) {
                  shown = w->findChild<QLabel*>(QStringLiteral("Label_xianshi_xiaoxi"))->text();
                  qobject_cast<QDialog*>(w)->accept();
                  for (QWidget* top : QApplication::topLevelWidgets())
                      if (top->objectName() == QStringLiteral("TForm1")) top->close();
                  QApplication::quit();
              });
    EXPECT_EQ(startWindows(options), 0);
    const QStringList lines = shown.split(u'\n');
    EXPECT_TRUE(
        lines.contains(toQString(in / "notes.txt") + QStringLiteral(" 不是相片、音乐或歌词文件")))
        << shown.toStdString();
    EXPECT_TRUE(lines.contains(toQString(in / "gone.mp3") + QStringLiteral(" 不存在")))
        << shown.toStdString();
    EXPECT_TRUE(
        lines.contains(toQString(in / "text.jfif") + QStringLiteral(" 不是可读的 JPEG 相片")))
        << shown.toStdString();
    EXPECT_EQ(lines.size(), 3) << shown.toStdString();  // the photo was taken
}

}  // namespace
}  // namespace orvane
