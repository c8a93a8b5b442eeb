// The project document: commits mark it changed (the template catalogue
// does not), saving and opening clear the mark, the title says which file
// and whether it changed, and only work that would be lost counts as unsaved.

#include "session/project_document.h"

#include <gtest/gtest.h>

#include "base/project_file.h"
#include "session/session.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::TempDir;

class ProjectDocumentTest : public ::testing::Test {
   protected:
    void SetUp() override {
        fs::create_directories(folder.movieStore());
        fs::create_directories(folder.parameterStore());
        SessionOptions options;
        options.root = dir.path();
        NullProgress progress;
        auto opened = Session::open(options, progress);
        ASSERT_TRUE(opened) << opened.error().message.toStdString();
        session = std::move(*opened);
        document = std::make_unique<ProjectDocument>(*session);
    }
    void addText(const char* text) {
        ProjectModel next = session->model();
        TextEffect effect;
        effect.text = QString::fromUtf8(text);
        next.textEffects.append(effect);
        session->commit(std::move(next));
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    std::unique_ptr<Session> session;
    std::unique_ptr<ProjectDocument> document;
};

TEST_F(ProjectDocumentTest, CommitsMarkItChangedAndSavingClearsTheMark) {
    const QString program = QStringLiteral("Orvane");
    EXPECT_EQ(document->windowTitle(program), program);

    // A catalogue rebuilt is not a change of the project.
    ProjectModel next = session->model();
    next.catalogue.append(TemplateEntry{});
    session->commit(std::move(next));
    EXPECT_FALSE(document->isModified());

    // A changed setting of an empty project is a change, but nothing to lose.
    next = session->model();
    next.settings.tvSystem = TvSystem::Ntsc;
    session->commit(std::move(next));
    EXPECT_TRUE(document->isModified());
    EXPECT_FALSE(document->hasUnsavedWork());
    EXPECT_EQ(document->windowTitle(program), QStringLiteral("新工程* - Orvane"));

    addText("你好");
    EXPECT_TRUE(document->hasUnsavedWork());

    int stateSignals = 0;
    QObject::connect(document.get(), &ProjectDocument::stateChanged,
                     [&stateSignals] { ++stateSignals; });
    ASSERT_TRUE(document->saveAs(QString::fromStdString((dir.path() / "trip").string())));
    EXPECT_EQ(stateSignals, 1);
    EXPECT_TRUE(fs::exists(dir.path() / "trip.orvane"));
    EXPECT_EQ(document->path(), QString::fromStdString((dir.path() / "trip.orvane").string()));
    EXPECT_FALSE(document->hasUnsavedWork());
    EXPECT_EQ(document->windowTitle(program), QStringLiteral("trip.orvane - Orvane"));

    addText("再见");
    EXPECT_EQ(document->windowTitle(program), QStringLiteral("trip.orvane* - Orvane"));
    ASSERT_TRUE(document->save());
    auto saved = readProjectFile({document->path(), folder.base()});
    ASSERT_TRUE(saved) << saved.error().message.toStdString();
    EXPECT_EQ(saved->textEffects.size(), 2u);

    // A saved project emptied again still has work to lose: its file.
    next = session->model();
    next.textEffects.clear();
    session->commit(std::move(next));
    EXPECT_TRUE(document->hasUnsavedWork());
    document->markOpened(QString::fromStdString((dir.path() / "other.orvane").string()));
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(document->windowTitle(program), QStringLiteral("other.orvane - Orvane"));
}

TEST_F(ProjectDocumentTest, AFailedSaveKeepsTheFileAndTheMark) {
    addText("你好");
    const fs::path blocked = dir.path() / "no-such-folder" / "trip.orvane";
    auto saved = document->saveAs(QString::fromStdString(blocked.string()));
    ASSERT_FALSE(saved);
    EXPECT_TRUE(document->path().isEmpty());
    EXPECT_TRUE(document->isModified());
    EXPECT_FALSE(fs::exists(blocked));
}

TEST(ProjectExtension, IsAppendedOnlyWhenMissing) {
    EXPECT_EQ(withProjectExtension(QStringLiteral("/a/trip")), QStringLiteral("/a/trip.orvane"));
    EXPECT_EQ(withProjectExtension(QStringLiteral("/a/trip.ORVANE")),
              QStringLiteral("/a/trip.ORVANE"));
    EXPECT_EQ(withProjectExtension(QStringLiteral("/a/trip.json")),
              QStringLiteral("/a/trip.json.orvane"));
}

}  // namespace
}  // namespace orvane
