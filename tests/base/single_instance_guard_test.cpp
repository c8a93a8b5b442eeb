#include "base/single_instance_guard.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "base/working_folder.h"
#include "support/test_support.h"

using namespace orvane;

namespace {

pid_t childHoldingGuard(const QString& lockPath) {
    return orvane::testing::childThatHolds([&lockPath] {
        static SingleInstanceGuard guard(lockPath);  // kept until the child is killed
        return guard.acquire();
    });
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
