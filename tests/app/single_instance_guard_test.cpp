#include "app/single_instance_guard.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/working_folder.h"
#include "support/test_support.h"

using namespace orvane;

namespace {

// Forks a child that takes the guard and then waits to be killed; returns once
// the child holds it.
pid_t childHoldingGuard(const QString& lockPath) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        SingleInstanceGuard guard(lockPath);
        const char held = guard.acquire() ? 'y' : 'n';
        (void)!write(ready[1], &held, 1);
        for (;;) pause();
    }
    char held = 0;
    (void)!read(ready[0], &held, 1);
    close(ready[0]);
    close(ready[1]);
    return held == 'y' ? pid : -1;
}

}  // namespace

TEST(SingleInstanceGuard, SecondHolderIsRefusedUntilTheFirstDies) {
    orvane::testing::TempDir tmp;
    const QString lock = toQString(tmp.path() / "guard.lock");

    const pid_t first = childHoldingGuard(lock);
    ASSERT_GT(first, 0);
    {
        SingleInstanceGuard second(lock);
        EXPECT_FALSE(second.acquire());
    }
    // A crash (SIGKILL, no clean-up) must not block the next start.
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    SingleInstanceGuard next(lock);
    EXPECT_TRUE(next.acquire());
    EXPECT_TRUE(next.acquire());  // taking it again is harmless
}

TEST(SingleInstanceGuard, DefaultLockIsNamedFromTheTitle) {
    EXPECT_TRUE(SingleInstanceGuard::defaultLockPath().contains(QStringLiteral("orvane-")));
}
