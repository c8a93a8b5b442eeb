// The job runner on a worker thread (offscreen, the test main's
// QGuiApplication runs the queued signals while a test waits), and the
// session's commits of jobs.

#include "session/job_runner.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <stdexcept>
#include <thread>

#include "job_fixtures.h"
#include "session/session.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace std::chrono_literals;

// Signals of a runner in the order they arrived.
struct Recorder {
    explicit Recorder(JobRunner& runner) {
        QObject::connect(&runner, &JobRunner::phaseStarted, [this](int total, const QString& p) {
            events << QStringLiteral("phase %1 %2").arg(p).arg(total);
        });
        QObject::connect(&runner, &JobRunner::noticed,
                         [this](const QString& t) { events << QStringLiteral("notice ") + t; });
        QObject::connect(&runner, &JobRunner::logged,
                         [this](const QString& t) { events << QStringLiteral("log ") + t; });
        QObject::connect(&runner, &JobRunner::progressed, [this](int done, int total) {
            progress.push_back({done, total});
        });
        QObject::connect(&runner, &JobRunner::finished, [this](const JobOutcome& o) {
            outcome = o;
            ++finishedCount;
        });
    }
    QStringList events;
    std::vector<std::pair<int, int>> progress;
    JobOutcome outcome;
    int finishedCount = 0;
};

// A job that runs until it is asked to stop (at most ten seconds).
Result<void> untilStopped(Progress& progress) {
    progress.start(0, QStringLiteral("等待"));
    for (int i = 0; i < 1000 && !progress.isCancelled(); ++i) std::this_thread::sleep_for(10ms);
    if (progress.isCancelled()) return stopped(QStringLiteral("the waiting job"));
    return fail(QStringLiteral("never stopped"));
}

TEST(JobRunner, ManyAdvancesBecomeFewSignalsEndingAtTheTotal) {
    JobRunner runner;
    runner.setThrottle(50ms);
    Recorder recorder(runner);
    constexpr int kSteps = 200000;
    ASSERT_TRUE(runner.start([](Progress& progress) {
        progress.start(kSteps, QStringLiteral("数"));
        for (int i = 0; i < kSteps; ++i) {
            progress.advance();
            if (i % 1000 == 0) std::this_thread::sleep_for(1ms);
        }
        return Result<void>();
    }));
    runner.wait();
    ASSERT_TRUE(recorder.outcome.succeeded());
    ASSERT_FALSE(recorder.progress.empty());
    EXPECT_LT(recorder.progress.size(), 100u);  // about 200 ms of work, one signal per 50 ms
    EXPECT_EQ(recorder.progress.back(), std::make_pair(kSteps, kSteps));
    for (std::size_t i = 1; i < recorder.progress.size(); ++i)
        EXPECT_LE(recorder.progress[i - 1].first, recorder.progress[i].first);
}

TEST(JobRunner, PhasesNoticesAndLogLinesArriveInOrderBeforeTheEnd) {
    JobRunner runner;
    Recorder recorder(runner);
    QStringList atFinish;
    QObject::connect(&runner, &JobRunner::finished, [&] { atFinish = recorder.events; });
    ASSERT_TRUE(runner.start([](Progress& progress) {
        progress.start(2, QStringLiteral("添加相片"));
        progress.notice(QStringLiteral("a.jpg skipped"));
        progress.advance(2);
        progress.log(QStringLiteral("line"));
        progress.start(1, QStringLiteral("制作相册"));
        progress.notice(QStringLiteral("done"));
        progress.advance();
        return Result<void>();
    }));
    runner.wait();
    const QStringList expected = {"phase 添加相片 2", "notice a.jpg skipped", "log line",
                                  "phase 制作相册 1", "notice done"};
    EXPECT_EQ(atFinish, expected);
    EXPECT_EQ(recorder.progress.back(), std::make_pair(1, 1));
    EXPECT_EQ(recorder.finishedCount, 1);
}

TEST(JobRunner, AStopEndsTheJobWithinASecondAsStopped) {
    JobRunner runner;
    Recorder recorder(runner);
    ASSERT_TRUE(runner.start(untilStopped));
    std::this_thread::sleep_for(100ms);
    QElapsedTimer clock;
    clock.start();
    runner.requestStop();
    runner.wait();
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_FALSE(recorder.outcome.succeeded());
    EXPECT_TRUE(recorder.outcome.result.error().isStop());
    EXPECT_FALSE(runner.isRunning());
}

TEST(JobRunner, AnExceptionBecomesAnInternalError) {
    struct Case {
        JobRunner::Job job;
        const char* message;
    };
    const Case cases[] = {
        {[](Progress&) -> Result<void> { throw OrvaneError(QStringLiteral("disk gone")); },
         "disk gone"},
        {[](Progress&) -> Result<void> { throw std::runtime_error("bad state"); }, "bad state"},
    };
    for (const Case& c : cases) {
        JobRunner runner;
        Recorder recorder(runner);
        ASSERT_TRUE(runner.start(c.job));
        runner.wait();
        ASSERT_FALSE(recorder.outcome.succeeded());
        EXPECT_EQ(recorder.outcome.result.error().kind, ErrorKind::Internal);
        EXPECT_EQ(recorder.outcome.result.error().message, QString::fromUtf8(c.message));
    }
}

TEST(JobRunner, ASecondStartWhileRunningIsRefused) {
    JobRunner runner;
    Recorder recorder(runner);
    ASSERT_TRUE(runner.start(untilStopped));
    bool secondRan = false;
    EXPECT_FALSE(runner.start([&](Progress&) {
        secondRan = true;
        return Result<void>();
    }));
    runner.requestStop();
    runner.wait();
    EXPECT_FALSE(secondRan);
    EXPECT_EQ(recorder.finishedCount, 1);
    // Once ended, it takes the next job.
    EXPECT_TRUE(runner.start([](Progress&) { return Result<void>(); }));
    runner.wait();
    EXPECT_EQ(recorder.finishedCount, 2);
}

TextEffect textRow(const char* text) {
    TextEffect row;
    row.text = QString::fromUtf8(text);
    return row;
}

TEST(SessionJob, SuccessCommitsTheCopyAndSignalsOnlyTheChangedTable) {
    JobWorld world;
    world.open();
    JobRunner runner;
    std::vector<ProjectTable> changed;
    QObject::connect(world.session.get(), &Session::tableChanged,
                     [&](ProjectTable t) { changed.push_back(t); });
    const quint64 photosRevision = world.session->revision(ProjectTable::Photos);
    const quint64 textRevision = world.session->revision(ProjectTable::TextEffects);
    bool committedBeforeFinished = false;
    QObject::connect(&runner, &JobRunner::finished, [&] {
        committedBeforeFinished = world.session->model().textEffects.size() == 1;
    });
    ASSERT_TRUE(
        world.session->startJob(runner, [](ProjectModel& model, const WorkingFolder&, Progress&) {
            model.textEffects.append(textRow("你好"));
            return Result<void>();
        }));
    // The job works on a copy: nothing shows before it ends.
    runner.wait();
    EXPECT_TRUE(committedBeforeFinished);
    ASSERT_EQ(world.session->model().textEffects.size(), 1u);
    EXPECT_EQ(world.session->model().textEffects.at(0).text, QStringLiteral("你好"));
    EXPECT_EQ(changed, std::vector<ProjectTable>{ProjectTable::TextEffects});
    EXPECT_EQ(world.session->revision(ProjectTable::TextEffects), textRevision + 1);
    EXPECT_EQ(world.session->revision(ProjectTable::Photos), photosRevision);
}

TEST(SessionJob, AStoppedOrFailingJobLeavesTheModelUntouched) {
    JobWorld world;
    world.open();
    const Session::Operation changesThenStops = [](ProjectModel& model, const WorkingFolder&,
                                                   Progress& progress) {
        model.textEffects.append(textRow("never"));
        model.settings.outputWidth = 1;
        return untilStopped(progress);
    };
    const Session::Operation changesThenThrows = [](ProjectModel& model, const WorkingFolder&,
                                                    Progress&) -> Result<void> {
        model.textEffects.append(textRow("never"));
        throw OrvaneError(QStringLiteral("disk gone"));
    };
    const ProjectModel before = world.session->model();
    int signalled = 0;
    QObject::connect(world.session.get(), &Session::tableChanged, [&] { ++signalled; });
    for (const auto& operation : {changesThenStops, changesThenThrows}) {
        JobRunner runner;
        Recorder recorder(runner);
        ASSERT_TRUE(world.session->startJob(runner, operation));
        std::this_thread::sleep_for(50ms);
        runner.requestStop();
        runner.wait();
        ASSERT_FALSE(recorder.outcome.succeeded());
        expectSameProject(world.session->model(), before);
    }
    EXPECT_EQ(signalled, 0);
    EXPECT_EQ(world.session->revision(ProjectTable::TextEffects), 0u);
}

}  // namespace
}  // namespace orvane
