#include "audio/media_player.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <chrono>
#include <thread>

#include "base/working_folder.h"
#include "support/media_fixtures.h"
#include "support/test_support.h"

namespace orvane {
namespace {

class ManualClock : public PlaybackClock {
   public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 1000;
};

TEST(MediaPlayer, SilentPlaybackFollowsTheClock) {
    testing::TempDir dir;
    const fs::path file = dir.path() / "song.mp3";
    testing::makeMp3(file, {2.0, 44100, false, true, 1});
    auto clock = std::make_shared<ManualClock>();
    MediaPlayer player(std::make_unique<SilentAudioOutput>(clock));

    EXPECT_EQ(player.mode(), MediaPlayer::Mode::NotOpen);
    EXPECT_FALSE(player.play().has_value());
    player.setFileName(toQString(file));
    ASSERT_TRUE(player.open().has_value());
    EXPECT_EQ(player.lengthMs(), 2000);
    EXPECT_TRUE(player.hasStopped());

    ASSERT_TRUE(player.play().has_value());
    clock->now += 700;
    EXPECT_EQ(player.positionMs(), 700);
    EXPECT_FALSE(player.hasStopped());
    player.pause();
    clock->now += 5000;
    EXPECT_EQ(player.positionMs(), 700);
    EXPECT_EQ(player.mode(), MediaPlayer::Mode::Paused);
    ASSERT_TRUE(player.play().has_value());
    clock->now += 1299;
    EXPECT_EQ(player.positionMs(), 1999);
    EXPECT_FALSE(player.hasStopped());
    clock->now += 1;
    EXPECT_TRUE(player.hasStopped());  // the end of the song
    EXPECT_EQ(player.positionMs(), 2000);

    player.stop();
    EXPECT_EQ(player.positionMs(), 0);
    ASSERT_TRUE(player.play().has_value());  // from the start again
    clock->now += 10;
    EXPECT_EQ(player.positionMs(), 10);
}

TEST(MediaPlayer, OpeningABadFileFailsAndClosesThePreviousOne) {
    testing::TempDir dir;
    const fs::path good = dir.path() / "good.mp3";
    testing::makeMp3(good, {1.0, 44100, false, true, 1});
    const fs::path bad = dir.path() / "bad.mp3";
    testing::writeFile(bad, "not audio at all");
    MediaPlayer player(std::make_unique<SilentAudioOutput>(std::make_shared<ManualClock>()));
    player.setFileName(toQString(good));
    ASSERT_TRUE(player.open().has_value());
    player.setFileName(toQString(bad));
    auto opened = player.open();
    ASSERT_FALSE(opened.has_value());
    EXPECT_TRUE(opened.error().message.contains(toQString(bad)));
    EXPECT_EQ(player.mode(), MediaPlayer::Mode::NotOpen);
    EXPECT_EQ(player.lengthMs(), 0);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(MediaPlayer, WithoutAnAudioDeviceTheDefaultPlayerRunsOnARealTimeClock) {
    if (!QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "this machine has a sound device";
    testing::TempDir dir;
    const fs::path file = dir.path() / "song.mp3";
    testing::makeMp3(file, {2.0, 44100, false, true, 1});
    MediaPlayer player;
    player.setFileName(toQString(file));
    ASSERT_TRUE(player.open().has_value());
    ASSERT_TRUE(player.play().has_value());
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_GE(player.positionMs(), 150);
    EXPECT_LT(player.positionMs(), 2000);
    EXPECT_EQ(player.mode(), MediaPlayer::Mode::Playing);
}

}  // namespace
}  // namespace orvane
