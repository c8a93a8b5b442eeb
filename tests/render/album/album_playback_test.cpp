// Playing an album preview in real time: where the sound track is at any
// album time, the songs handed over one after the other, the clock carrying
// the time where the sound track is silent, seeking, and a sound output
// that ends early.

#include "render/album/album_playback.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace orvane {
namespace {

class ManualClock : public PlaybackClock {
   public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 1000;
};

// Records what it was asked to play; its position follows the clock, up to
// `soundsMs` of the song (a song that ends earlier than measured).
class RecordingOutput : public AudioOutput {
   public:
    RecordingOutput(std::shared_ptr<ManualClock> clock, std::vector<QString>* started)
        : m_clock(std::move(clock)), m_started(started) {}
    Result<void> start(const QString& path, std::int64_t fromMs) override {
        m_started->push_back(QStringLiteral("%1@%2").arg(path).arg(fromMs));
        m_from = fromMs;
        m_at = m_clock->now;
        m_running = true;
        return {};
    }
    void pause() override {}
    void resume() override {}
    void stop() override {
        m_running = false;
        m_started->push_back(QStringLiteral("stop"));
    }
    std::int64_t positionMs() const override {
        const std::int64_t position = m_from + (m_running ? m_clock->now - m_at : 0);
        return std::min(position, soundsMs);
    }
    std::int64_t soundsMs = 1'000'000;

   private:
    std::shared_ptr<ManualClock> m_clock;
    std::vector<QString>* m_started;
    std::int64_t m_from = 0;
    std::int64_t m_at = 0;
    bool m_running = false;
};

class AlbumPlaybackTest : public ::testing::Test {
   protected:
    // Songs a (3 s) and b (2 s) under an album of 150 frames (6 s): the last
    // second is silent.
    std::unique_ptr<AlbumPlayback> playback(std::int64_t soundsMs = 1'000'000) {
        ProjectModel model;
        for (const char* name : {"a.mp3", "b.mp3"}) {
            MusicEntry song;
            song.location = QString::fromLatin1(name);
            model.music.append(song);
        }
        AlbumTimeline timeline;
        timeline.totalFrames = 150;
        timeline.songOrder = {0, 1};
        auto output = std::make_unique<RecordingOutput>(clock, &started);
        output->soundsMs = soundsMs;
        return std::make_unique<AlbumPlayback>(
            model, timeline, std::vector<std::int64_t>{3000, 2000}, std::move(output), clock);
    }
    void advance(std::int64_t ms, AlbumPlayback& p) {
        // Ticks as the window does, every few milliseconds.
        for (std::int64_t t = 0; t < ms; t += 4) {
            clock->now += std::min<std::int64_t>(4, ms - t);
            ASSERT_TRUE(p.tick().has_value());
        }
    }

    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::vector<QString> started;
};

TEST_F(AlbumPlaybackTest, TheSoundTrackIsTheSongsInOrderThenSilence) {
    auto p = playback();
    const std::pair<std::int64_t, AlbumPlayback::SoundPlace> cases[] = {
        {0, {0, 0}},     {2999, {0, 2999}}, {3000, {1, 0}},  {4999, {1, 1999}},
        {5000, {-1, 0}}, {5999, {-1, 0}},   {6000, {-1, 0}}, {-5, {-1, 0}},
    };
    for (const auto& [ms, place] : cases) {
        const auto got = p->soundAt(ms);
        EXPECT_EQ(got.entry, place.entry) << ms;
        EXPECT_EQ(got.offsetMs, place.offsetMs) << ms;
    }
}

TEST_F(AlbumPlaybackTest, PlayingHandsTheSongsOnAndTheClockCarriesTheSilentEnd) {
    auto p = playback();
    ASSERT_TRUE(p->play().has_value());
    EXPECT_EQ(started, std::vector<QString>{"a.mp3@0"});
    advance(1000, *p);
    EXPECT_EQ(p->currentFrame(), 25);
    advance(2000, *p);  // song a has ended: b starts from its beginning
    EXPECT_EQ(p->currentFrame(), 75);
    EXPECT_EQ(started, (std::vector<QString>{"a.mp3@0", "stop", "b.mp3@0"}));
    advance(2500, *p);  // past b: silence, the clock goes on
    EXPECT_EQ(p->currentFrame(), 137);
    EXPECT_TRUE(p->isPlaying());
    EXPECT_EQ(started.back(), "stop");
    advance(1000, *p);  // the end: playing stops at the last frame
    EXPECT_FALSE(p->isPlaying());
    EXPECT_EQ(p->currentFrame(), 149);
    EXPECT_TRUE(p->atEnd());
    // Play again from the end starts the album over.
    started.clear();
    ASSERT_TRUE(p->play().has_value());
    EXPECT_EQ(started, std::vector<QString>{"a.mp3@0"});
}

TEST_F(AlbumPlaybackTest, SeekingStartsTheSongOfThatTimeAtItsPlace) {
    auto p = playback();
    ASSERT_TRUE(p->seek(87).has_value());  // paused: nothing sounds yet
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(p->currentFrame(), 87);
    ASSERT_TRUE(p->play().has_value());
    EXPECT_EQ(started, std::vector<QString>{"b.mp3@480"});
    advance(400, *p);
    EXPECT_EQ(p->currentFrame(), 97);
    ASSERT_TRUE(p->seek(10).has_value());  // playing: the sound follows
    EXPECT_EQ(started.back(), "a.mp3@400");
    EXPECT_EQ(p->currentFrame(), 10);
    p->pause();
    advance(1000, *p);
    EXPECT_EQ(p->currentFrame(), 10);
    p->stop();
    EXPECT_EQ(p->currentFrame(), 0);
    ASSERT_TRUE(p->seek(1000).has_value());  // beyond the album: its last frame
    EXPECT_EQ(p->currentFrame(), 149);
}

TEST_F(AlbumPlaybackTest, ASongThatEndsEarlyDoesNotHoldThePicture) {
    auto p = playback(2500);  // a sounds 2.5 s, though measured 3 s
    ASSERT_TRUE(p->play().has_value());
    advance(2900, *p);
    // The picture stood still for a moment at 2.5 s, then the clock took
    // over the rest of song a's time, in silence.
    EXPECT_EQ(started, (std::vector<QString>{"a.mp3@0", "stop"}));
    EXPECT_NEAR(p->currentFrame(), 64, 1);
    advance(1000, *p);  // song b begins at its place in the sound track
    EXPECT_EQ(started, (std::vector<QString>{"a.mp3@0", "stop", "b.mp3@0"}));
    EXPECT_NEAR(p->currentFrame(), 89, 1);
}

}  // namespace
}  // namespace orvane
