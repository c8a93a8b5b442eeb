// The time left of a run, from its rate so far.

#include "base/time_left.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace orvane {
namespace {

using namespace std::chrono;

TEST(TimeLeft, FollowsTheRateSoFarOnceThereIsOne) {
    struct Case {
        int done;
        int remaining;
        milliseconds elapsed;
        std::optional<seconds> left;
    };
    const Case cases[] = {
        {0, 100, 5s, std::nullopt},      // no step yet
        {10, 100, 500ms, std::nullopt},  // too early to tell
        {10, 90, 2s, seconds(18)},       // 5 steps a second
        {3, 1, 1000ms, seconds(1)},      // a part of a second counts whole
        {100, 0, 20s, seconds(0)},       // finished
        {1, 3600 * 25, 40ms + 1s, seconds(3600 * 25 * 1040 / 1000)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(estimateTimeLeft(c.done, c.remaining, c.elapsed), c.left)
            << c.done << " " << c.remaining << " " << c.elapsed.count();
}

TEST(TimeLeft, TextShowsHoursMinutesAndSeconds) {
    EXPECT_EQ(timeLeftText(std::nullopt), QStringLiteral("剩余时间: 正在计算..."));
    EXPECT_EQ(timeLeftText(seconds(65)), QStringLiteral("剩余时间: 00:01:05"));
    EXPECT_EQ(timeLeftText(seconds(3600 * 26 + 7)), QStringLiteral("剩余时间: 26:00:07"));
}

}  // namespace
}  // namespace orvane
