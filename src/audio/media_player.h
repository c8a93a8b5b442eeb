#pragma once
// The media player that measures and plays songs: set the file name, open
// (which closes whatever was open and measures the length), play, pause,
// stop, the length and the position in milliseconds, and whether playback
// has stopped. Sound goes to an AudioOutput: the sound card through Qt
// Multimedia's QAudioSink fed by FFmpeg decoding, or, where no audio device
// exists (CI, tests), a silent output whose position follows a clock in real
// time. Owned by the main window (one shared player); GUI thread only.

#include <QString>
#include <cstdint>
#include <memory>

#include "base/error.h"

namespace orvane {

// Milliseconds from an arbitrary start; never goes back.
class PlaybackClock {
   public:
    virtual ~PlaybackClock() = default;
    virtual std::int64_t nowMs() const = 0;
};

class SteadyPlaybackClock : public PlaybackClock {
   public:
    std::int64_t nowMs() const override;
};

// Where decoded sound goes, and how far it has been played.
class AudioOutput {
   public:
    virtual ~AudioOutput() = default;
    // Starts playing `path` from `fromMs`.
    virtual Result<void> start(const QString& path, std::int64_t fromMs) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void stop() = 0;
    // Position in the song, in milliseconds.
    virtual std::int64_t positionMs() const = 0;
};

// Plays nothing; the position advances with the clock while playing.
class SilentAudioOutput : public AudioOutput {
   public:
    explicit SilentAudioOutput(
        std::shared_ptr<const PlaybackClock> clock = std::make_shared<SteadyPlaybackClock>());
    Result<void> start(const QString& path, std::int64_t fromMs) override;
    void pause() override;
    void resume() override;
    void stop() override;
    std::int64_t positionMs() const override;

   private:
    std::shared_ptr<const PlaybackClock> m_clock;
    std::int64_t m_base = 0;       // position when the clock last started
    std::int64_t m_startedAt = 0;  // clock time of that start
    bool m_running = false;
};

// The sound card when the system has an audio output device, else silence.
std::unique_ptr<AudioOutput> makeDefaultAudioOutput();

class MediaPlayer {
   public:
    enum class Mode { NotOpen, Stopped, Playing, Paused };

    explicit MediaPlayer(std::unique_ptr<AudioOutput> output = makeDefaultAudioOutput());
    ~MediaPlayer();

    void setFileName(const QString& path) { m_fileName = path; }
    const QString& fileName() const { return m_fileName; }

    // Closes what was open, then opens the file and measures its length;
    // fails with a message naming the file when it cannot be read as sound.
    Result<void> open();
    void close();

    Result<void> play();
    void pause();
    // Stops and returns to the start of the song.
    void stop();

    std::int64_t lengthMs() const { return m_lengthMs; }
    std::int64_t positionMs() const;
    Mode mode() const;
    // True when a song is open and not playing or paused, in particular once
    // playback has reached the end of the song.
    bool hasStopped() const { return mode() == Mode::Stopped; }

   private:
    std::unique_ptr<AudioOutput> m_output;
    QString m_fileName;
    QString m_openFile;
    std::int64_t m_lengthMs = 0;
    Mode m_mode = Mode::NotOpen;
    std::int64_t m_pausedAt = 0;
};

}  // namespace orvane
