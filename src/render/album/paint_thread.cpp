#include "render/album/paint_thread.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <exception>

namespace orvane {

void runOnPaintThread(const std::function<void()>& work) {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool->contains(QThread::currentThread())) {
        work();
        return;
    }
    QSemaphore done;
    std::exception_ptr failure;
    // Not reserveThread() + startOnReservedThread(): a reserved thread is
    // only started once a busy one finishes when the pool is at its maximum.
    const bool started = pool->tryStart([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();  // rethrown to the caller
        }
        done.release();
    });
    if (!started) {
        work();
        return;
    }
    done.acquire();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace orvane
