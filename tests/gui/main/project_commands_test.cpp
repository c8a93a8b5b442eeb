// The project commands through the windows, offscreen: "保存工程" asks for a
// file once and then saves in place, the title follows the file and its
// changes, the exit command asks whether to save only when work would be
// lost, and "打开工程" brings a saved project back, naming what moved.

#include "gui/main/project_commands.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "base/project_file.h"
#include "gui/main/main_window.h"
#include "gui/panes/media_browser.h"
#include "gui/panes/preview_box.h"
#include "gui/project_windows_fixture.h"
#include "session/project_document.h"

namespace orvane {
namespace {

using namespace orvane::testing;

// Answers the file dialogs and counts how often each was shown.
class ProjectChooser : public FileChooser {
   public:
    QStringList openFiles(QWidget*, const QString&, const QString& filter,
                          const QString&) override {
        filters << filter;
        ++opened;
        return {openAnswer};
    }
    QString saveFile(QWidget*, const QString&, const QString& filter) override {
        filters << filter;
        ++saved;
        return saveAnswer;
    }
    QString openAnswer, saveAnswer;
    QStringList filters;
    int opened = 0, saved = 0;
};

// Presses button `name` of the save question when it shows, keeping its text.
void answerSaveQuestion(const char* name, QString* asked = nullptr) {
    whenShown(QStringLiteral("TFormSaveProject"), [name, asked](QWidget* w) {
        if (asked) *asked = child<QLabel>(w, "Label_xinxi")->text();
        child<QPushButton>(w, name)->click();
    });
}

class ProjectCommandsTest : public ProjectWindowsTest {
   protected:
    void SetUp() override {
        ProjectWindowsTest::SetUp();
        auto owned = std::make_unique<ProjectChooser>();
        chooser = owned.get();
        windows->setFileChooser(std::move(owned));
    }
    MainWindow& main() const { return windows->mainWindow(); }
    ProjectCommands& commands() const { return *main().findChild<ProjectCommands*>(); }
    void click(const char* button) { child<QPushButton>(&main(), button)->click(); }
    void changeSetting() {
        ProjectModel next = session->model();
        next.settings.tvSystem =
            next.settings.tvSystem == TvSystem::Pal ? TvSystem::Ntsc : TvSystem::Pal;
        session->commit(std::move(next));
    }
    QString path(const char* name) const { return toQString(dir.path() / name); }

    ProjectChooser* chooser = nullptr;
};

TEST_F(ProjectCommandsTest, SavingAsksForAFileOnceAndTheTitleFollowsTheProject) {
    const QString program = MainWindow::programTitle();
    EXPECT_EQ(main().windowTitle(), program);
    importPhotos();
    EXPECT_EQ(main().windowTitle(), QStringLiteral("新工程* - ") + program);

    chooser->saveAnswer = path("trip");
    click("Button_baocungongcheng");
    EXPECT_EQ(chooser->saved, 1);
    EXPECT_EQ(chooser->filters, QStringList{QStringLiteral("Orvane 工程文件|*.orvane")});
    ASSERT_TRUE(fs::exists(dir.path() / "trip.orvane"));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("trip.orvane - ") + program);
    EXPECT_EQ(main().findChild<QLabel*>(QStringLiteral("Label_biaoti"))->text(),
              main().windowTitle());

    changeSetting();
    EXPECT_EQ(main().windowTitle(), QStringLiteral("trip.orvane* - ") + program);
    click("Button_baocungongcheng");
    EXPECT_EQ(chooser->saved, 1);  // saved in place, no dialog
    EXPECT_EQ(main().windowTitle(), QStringLiteral("trip.orvane - ") + program);
    auto saved = readProjectFile({path("trip.orvane"), folder.base()});
    ASSERT_TRUE(saved) << saved.error().message.toStdString();
    EXPECT_EQ(saved->settings.tvSystem, session->model().settings.tvSystem);
    EXPECT_EQ(saved->photos.size(), 2u);
}

TEST_F(ProjectCommandsTest, ExitAsksToSaveOnlyWhenWorkWouldBeLost) {
    // Nothing to lose: the ordinary exit question.
    bool exitWindowShown = false;
    whenShown(QStringLiteral("TForm25"), [&](QWidget* w) {
        exitWindowShown = true;
        child<QPushButton>(w, "Button_quxiao")->click();
    });
    EXPECT_FALSE(commands().confirmExit());
    EXPECT_TRUE(exitWindowShown);

    importPhotos();
    QString asked;
    answerSaveQuestion("Button_quxiao", &asked);
    EXPECT_FALSE(commands().confirmExit());
    EXPECT_EQ(asked, QStringLiteral("工程“新工程”已修改，是否保存？"));

    answerSaveQuestion("Button_bubaocun");
    EXPECT_TRUE(commands().confirmExit());
    EXPECT_EQ(chooser->saved, 0);

    // "保存", then the save dialog cancelled: the program stays.
    answerSaveQuestion("Button_baocun");
    EXPECT_FALSE(commands().confirmExit());
    EXPECT_EQ(chooser->saved, 1);

    chooser->saveAnswer = path("trip");
    answerSaveQuestion("Button_baocun");
    EXPECT_TRUE(commands().confirmExit());
    EXPECT_TRUE(fs::exists(dir.path() / "trip.orvane"));
    EXPECT_FALSE(windows->projectDocument().isModified());
}

// "trip" is saved as "trip.orvane": when that file is there, the user is
// asked first; "取消" goes back to the save dialog.
TEST_F(ProjectCommandsTest, SavingOverAnExistingProjectAsksFirst) {
    importPhotos();
    writeFile(dir.path() / "trip.orvane", "an earlier project");
    chooser->saveAnswer = path("trip");
    QString asked;
    whenShown(QStringLiteral("TFormReplace"), [&](QWidget* w) {
        asked = child<QLabel>(w, "Label_xinxi")->text();
        chooser->saveAnswer.clear();  // the dialog shown again is cancelled
        child<QPushButton>(w, "Button_quxiao")->click();
    });
    EXPECT_FALSE(commands().saveProject());
    EXPECT_EQ(asked, QStringLiteral("文件已存在，是否替换？\n") + path("trip.orvane"));
    EXPECT_EQ(chooser->saved, 2);
    EXPECT_EQ(readFile(dir.path() / "trip.orvane"), "an earlier project");
    EXPECT_TRUE(windows->projectDocument().isModified());

    chooser->saveAnswer = path("trip");
    whenShown(QStringLiteral("TFormReplace"),
              [](QWidget* w) { child<QPushButton>(w, "Button_tihuan")->click(); });
    EXPECT_TRUE(commands().saveProject());
    EXPECT_EQ(chooser->saved, 3);
    auto saved = readProjectFile({path("trip.orvane"), folder.base()});
    ASSERT_TRUE(saved) << saved.error().message.toStdString();
    EXPECT_EQ(saved->photos.size(), 2u);
}

TEST_F(ProjectCommandsTest, OpeningBringsTheSavedProjectBackAndNamesWhatMoved) {
    importPhotos();
    writeSong(dir.path() / "song.mp3", 3.0);
    ProjectModel withSong = session->model();
    addSongs(withSong, folder, {dir.path() / "song.mp3"});
    session->commit(std::move(withSong));
    ASSERT_TRUE(windows->projectDocument().saveAs(path("trip.orvane")));
    const ProjectModel saved = session->model();

    // Changed since, and the song moved away.
    ProjectModel changed = session->model();
    changed.music.clear();
    changed.settings.tvSystem = TvSystem::Ntsc;
    session->commit(std::move(changed));
    fs::rename(dir.path() / "song.mp3", dir.path() / "moved.mp3");

    MessageAnswerer messages;
    chooser->openAnswer = path("trip.orvane");
    answerSaveQuestion("Button_bubaocun");
    EXPECT_TRUE(commands().openProject());
    EXPECT_EQ(chooser->opened, 1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].contains(path("song.mp3")))
        << messages.messages[0].toStdString();

    const ProjectModel& opened = session->model();
    EXPECT_EQ(opened.settings.tvSystem, saved.settings.tvSystem);
    EXPECT_TRUE(opened.music.empty());
    ASSERT_EQ(opened.photos.size(), saved.photos.size());
    for (std::size_t i = 0; i < saved.photos.size(); ++i)
        EXPECT_EQ(opened.photos.at(i).templatePath, saved.photos.at(i).templatePath);
    EXPECT_EQ(windows->browser().pane(PaneKind::Photos)->rowCount(), 2);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("trip.orvane - ") + MainWindow::programTitle());

    // A damaged file is refused by name and nothing changes.
    writeFile(dir.path() / "broken.orvane", "{\"format\": ");
    chooser->openAnswer = path("broken.orvane");
    EXPECT_FALSE(commands().openProject());
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_TRUE(messages.messages[1].contains(path("broken.orvane")));
    EXPECT_EQ(session->model().photos, opened.photos);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("trip.orvane - ") + MainWindow::programTitle());
}

}  // namespace
}  // namespace orvane
