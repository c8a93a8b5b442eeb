// The session as every front end uses it: one run per working folder (the
// lock, named to the run that is refused, released by the kernel when its
// holder is killed), cleaning at start and at exit, and commits that tell
// the listeners which parts of the project changed.

#include "session/session.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/test_support.h"

namespace orvane {
namespace {

using testing::folderListing;
using testing::TempDir;
using testing::writeFile;

class SessionTest : public ::testing::Test {
   protected:
    void SetUp() override {
        fs::create_directories(folder.movieStore());
        fs::create_directories(folder.parameterStore());
    }
    SessionOptions options(const char* holder = "test run") const {
        SessionOptions o;
        o.root = dir.path();
        o.holder = QString::fromUtf8(holder);
        return o;
    }
    std::unique_ptr<Session> open(const SessionOptions& o) {
        NullProgress progress;
        auto session = Session::open(o, progress);
        if (!session) ADD_FAILURE() << session.error().message.toStdString();
        return session ? std::move(*session) : nullptr;
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
};

TEST_F(SessionTest, ASecondRunIsRefusedNamingTheFolderAndTheHolderUntilTheHolderIsKilled) {
    const pid_t holder = testing::childThatHolds([this] {
        NullProgress progress;
        // Kept open until the child is killed.
        static Result<std::unique_ptr<Session>> held;
        held = Session::open(options("orvane make"), progress);
        return held.has_value();
    });
    ASSERT_GT(holder, 0);
    // The other run's work, which the refused run must leave alone.
    writeFile(folder.thumbnail(1, 1), "thumb");
    writeFile(folder.instanceMovie(1), "movie");
    const auto before = folderListing(folder.base());

    NullProgress progress;
    auto refused = Session::open(options(), progress);
    ASSERT_FALSE(refused);
    const QString message = refused.error().message;
    EXPECT_TRUE(message.contains(toQString(folder.base()))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("orvane make"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::number(holder))) << message.toStdString();
    EXPECT_EQ(refused.error().kind, ErrorKind::Input);
    EXPECT_EQ(folderListing(folder.base()), before);

    // Killed without any clean-up: the kernel drops the lock.
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    auto next = open(options());
    ASSERT_TRUE(next);
    // It cleaned what the killed run left.
    EXPECT_FALSE(fs::exists(folder.thumbnail(1, 1)));
    EXPECT_FALSE(fs::exists(folder.instanceMovie(1)));
}

TEST_F(SessionTest, TwoSessionsInOneProcessExcludeEachOtherAndCloseReleases) {
    auto first = open(options("orvane fit"));
    ASSERT_TRUE(first);
    NullProgress progress;
    auto second = Session::open(options(), progress);
    ASSERT_FALSE(second);
    EXPECT_TRUE(second.error().message.contains(QStringLiteral("orvane fit")));
    first->close();
    EXPECT_TRUE(open(options()));
}

TEST_F(SessionTest, AMissingWorkingFolderIsNamed) {
    TempDir empty;
    SessionOptions o = options();
    o.root = empty.path();
    NullProgress progress;
    auto session = Session::open(o, progress);
    ASSERT_FALSE(session);
    EXPECT_TRUE(session.error().message.contains(toQString(empty.path())));
}

TEST_F(SessionTest, CleansAtStartAndAtExitAsItsOptionsSay) {
    struct Case {
        bool cleanAtStart, cleanAtExit;
        bool staleAfterOpen, ownAfterClose;
    };
    for (const Case c : {Case{true, true, false, false}, Case{true, false, false, true},
                         Case{false, false, true, true}}) {
        writeFile(folder.thumbnail(1, 3), "stale");
        SessionOptions o = options();
        o.cleanAtStart = c.cleanAtStart;
        o.cleanAtExit = c.cleanAtExit;
        auto session = open(o);
        ASSERT_TRUE(session);
        EXPECT_EQ(fs::exists(folder.thumbnail(1, 3)), c.staleAfterOpen);
        writeFile(folder.instanceMovie(1), "own work");
        session.reset();
        EXPECT_EQ(fs::exists(folder.instanceMovie(1)), c.ownAfterClose);
        EXPECT_TRUE(fs::exists(folder.movieStore()));  // the store always stays
        folder.removeTree(folder.instancesFolder());
    }
}

TEST_F(SessionTest, CommitsTellWhichTablesChanged) {
    auto session = open(options());
    ASSERT_TRUE(session);
    std::vector<ProjectTable> heard;
    QObject::connect(session.get(), &Session::tableChanged,
                     [&heard](ProjectTable t) { heard.push_back(t); });

    ProjectModel next = session->model();
    MusicEntry song;
    song.fileName = QStringLiteral("a");
    next.music.append(song);
    next.settings.outputType = OutputType::Vcd;
    session->commit(next);
    EXPECT_EQ(heard, (std::vector<ProjectTable>{ProjectTable::Music, ProjectTable::Settings}));
    EXPECT_EQ(session->revision(ProjectTable::Music), 1u);
    EXPECT_EQ(session->revision(ProjectTable::Photos), 0u);

    heard.clear();
    session->commit(session->model());  // nothing changed
    EXPECT_TRUE(heard.empty());
}

TEST_F(SessionTest, AFailedOperationLeavesTheModelAsItWas) {
    auto session = open(options());
    ASSERT_TRUE(session);
    int heard = 0;
    QObject::connect(session.get(), &Session::tableChanged, [&heard] { ++heard; });
    NullProgress progress;
    auto failed = session->apply(
        [](ProjectModel& model, const WorkingFolder&, Progress&) -> Result<void> {
            model.textEffects.append(TextEffect{});
            return stopped(QStringLiteral("the test"));
        },
        progress);
    ASSERT_FALSE(failed);
    EXPECT_TRUE(failed.error().isStop());
    EXPECT_TRUE(session->model().textEffects.empty());
    EXPECT_EQ(heard, 0);

    ASSERT_TRUE(session->apply(
        [](ProjectModel& model, const WorkingFolder&, Progress&) -> Result<void> {
            model.textEffects.append(TextEffect{});
            return {};
        },
        progress));
    EXPECT_EQ(session->model().textEffects.count(), 1);
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace orvane
