#include "render/album/paint_thread.h"

#include <gtest/gtest.h>

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <stdexcept>

namespace orvane {
namespace {

bool onPoolThread() { return QThreadPool::globalInstance()->contains(QThread::currentThread()); }

TEST(PaintThread, RunsOnAPoolThreadAndWaitsForTheWork) {
    ASSERT_FALSE(onPoolThread());
    bool ranOnPool = false;
    int steps = 0;
    runOnPaintThread([&] {
        ranOnPool = onPoolThread();
        QThread::msleep(20);  // a caller that did not wait would see steps == 0
        steps = 1;
    });
    EXPECT_TRUE(ranOnPool);
    EXPECT_EQ(steps, 1);
}

TEST(PaintThread, RethrowsWhatTheWorkThrew) {
    EXPECT_THROW(runOnPaintThread([] { throw std::runtime_error("painter failed"); }),
                 std::runtime_error);
    // The pool is usable afterwards.
    bool ran = false;
    runOnPaintThread([&] { ran = true; });
    EXPECT_TRUE(ran);
}

// A pool whose every thread is busy with other work must not make the album
// wait for it: the work runs on the caller while the busy thread still holds.
TEST(PaintThread, RunsAtOnceWhenThePoolIsFull) {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore started, release;
    pool->start([&] {
        started.release();
        release.acquire();
    });
    started.acquire();
    bool ran = false;
    runOnPaintThread([&] { ran = true; });
    const bool ranWhileBusy = ran;
    release.release();
    pool->waitForDone();
    pool->setMaxThreadCount(threads);
    EXPECT_TRUE(ranWhileBusy);
}

TEST(PaintThread, NestedCallRunsOnTheSameThread) {
    QThread* outer = nullptr;
    QThread* inner = nullptr;
    runOnPaintThread([&] {
        outer = QThread::currentThread();
        runOnPaintThread([&] { inner = QThread::currentThread(); });
    });
    EXPECT_NE(outer, QThread::currentThread());
    EXPECT_EQ(inner, outer);
}

}  // namespace
}  // namespace orvane
