#pragma once
// Playing an album preview in real time: the album's sound track (its songs
// in the order heard, each as long as the encoder makes it) and the album
// frame that belongs on screen now. While a song sounds, the album time is
// the song's place in the sound track plus the sound output's position, so
// the picture follows the sound; where the sound track is silent (after the
// last song, or an album without songs) the clock carries the time.
//
// The frame counts of the picture and the lengths of the songs come from the
// album's timeline and the one song length, as for the build. Not
// thread-safe: the preview window's thread.

#include <QString>
#include <memory>
#include <vector>

#include "audio/media_player.h"
#include "base/project_model.h"
#include "render/album/album_timeline.h"

namespace orvane {

inline constexpr int kAlbumFrameMs = 40;  // 25 frames per second

class AlbumPlayback {
   public:
    // `songLengthsMs`: the length of every song of the sound track, in the
    // order heard (timeline.songOrder).
    AlbumPlayback(const ProjectModel& model, const AlbumTimeline& timeline,
                  std::vector<std::int64_t> songLengthsMs, std::unique_ptr<AudioOutput> output,
                  std::shared_ptr<const PlaybackClock> clock);
    ~AlbumPlayback();

    int frameCount() const { return m_frames; }
    bool isPlaying() const { return m_playing; }
    // Whether playing reached the album's last frame (and stopped there).
    bool atEnd() const { return currentFrame() >= m_frames - 1; }

    // Plays from the current frame; at the last frame, from the first.
    Result<void> play();
    void pause();
    // Pauses and returns to the first frame.
    void stop();
    // Goes to frame `frame` (clamped to the album), playing on if it played.
    Result<void> seek(int frame);

    // The frame that belongs on screen now. Reaching the end stops playing.
    int currentFrame() const;
    // Keeps the sound in step: starts the next song when one has ended,
    // stops at the end of the album. Call it on every tick.
    Result<void> tick();

    // The song of the sound track (0-based, in the order heard) and the
    // place in it for album time `ms`; -1 where the sound track is silent.
    struct SoundPlace {
        int entry = -1;
        std::int64_t offsetMs = 0;
    };
    SoundPlace soundAt(std::int64_t albumMs) const;

   private:
    std::int64_t albumMs() const;
    Result<void> startSoundAt(std::int64_t albumMs);

    const int m_frames;
    std::vector<QString> m_songs;           // sound track entries, in order
    std::vector<std::int64_t> m_songStart;  // album ms where each begins
    std::vector<std::int64_t> m_songLength;
    std::unique_ptr<AudioOutput> m_output;
    std::shared_ptr<const PlaybackClock> m_clock;

    bool m_playing = false;
    int m_soundEntry = -1;             // the song sounding now, or -1
    std::int64_t m_baseMs = 0;         // album time when the clock was read
    std::int64_t m_baseClock = 0;      // the clock then
    std::int64_t m_lastPosition = -1;  // the sound output's last position
    std::int64_t m_lastMove = 0;       // the clock when it last moved
    std::int64_t m_silentUntil = 0;    // a song that ended early: silent till here
};

}  // namespace orvane
