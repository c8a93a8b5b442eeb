#include "audio/media_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <chrono>

#include "audio/sink_audio_output.h"
#include "av/song_length.h"

namespace orvane {

std::int64_t SteadyPlaybackClock::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

SilentAudioOutput::SilentAudioOutput(std::shared_ptr<const PlaybackClock> clock)
    : m_clock(std::move(clock)) {}

Result<void> SilentAudioOutput::start(const QString&, std::int64_t fromMs) {
    m_base = fromMs;
    m_startedAt = m_clock->nowMs();
    m_running = true;
    return {};
}

void SilentAudioOutput::pause() {
    if (!m_running) return;
    m_base = positionMs();
    m_running = false;
}

void SilentAudioOutput::resume() {
    if (m_running) return;
    m_startedAt = m_clock->nowMs();
    m_running = true;
}

void SilentAudioOutput::stop() {
    m_base = 0;
    m_running = false;
}

std::int64_t SilentAudioOutput::positionMs() const {
    return m_running ? m_base + (m_clock->nowMs() - m_startedAt) : m_base;
}

std::unique_ptr<AudioOutput> makeDefaultAudioOutput() {
    if (QMediaDevices::defaultAudioOutput().isNull()) return std::make_unique<SilentAudioOutput>();
    return std::make_unique<SinkAudioOutput>(QMediaDevices::defaultAudioOutput());
}

MediaPlayer::MediaPlayer(std::unique_ptr<AudioOutput> output) : m_output(std::move(output)) {}

MediaPlayer::~MediaPlayer() { close(); }

Result<void> MediaPlayer::open() {
    close();
    auto length = av::measureSongLength(m_fileName);
    if (!length) return std::unexpected(length.error());
    m_openFile = m_fileName;
    m_lengthMs = length->milliseconds();
    m_mode = Mode::Stopped;
    return {};
}

void MediaPlayer::close() {
    if (m_mode == Mode::Playing || m_mode == Mode::Paused) m_output->stop();
    m_mode = Mode::NotOpen;
    m_openFile.clear();
    m_lengthMs = 0;
    m_pausedAt = 0;
}

Result<void> MediaPlayer::play() {
    switch (m_mode) {
        case Mode::NotOpen:
            return fail(QStringLiteral("没有打开音乐文件"));
        case Mode::Playing:
            if (mode() == Mode::Playing) return {};
            [[fallthrough]];
        case Mode::Stopped: {
            auto started = m_output->start(m_openFile, 0);
            if (!started) return started;
            break;
        }
        case Mode::Paused:
            m_output->resume();
            break;
    }
    m_mode = Mode::Playing;
    return {};
}

void MediaPlayer::pause() {
    if (mode() != Mode::Playing) return;
    m_output->pause();
    m_pausedAt = m_output->positionMs();
    m_mode = Mode::Paused;
}

void MediaPlayer::stop() {
    if (m_mode == Mode::NotOpen) return;
    m_output->stop();
    m_mode = Mode::Stopped;
    m_pausedAt = 0;
}

std::int64_t MediaPlayer::positionMs() const {
    switch (m_mode) {
        case Mode::NotOpen:
        case Mode::Stopped:
            return 0;
        case Mode::Paused:
            return std::min(m_pausedAt, m_lengthMs);
        case Mode::Playing:
            return std::min(m_output->positionMs(), m_lengthMs);
    }
    return 0;
}

MediaPlayer::Mode MediaPlayer::mode() const {
    // Playing ends by itself when the position reaches the length.
    if (m_mode == Mode::Playing && m_output->positionMs() >= m_lengthMs) return Mode::Stopped;
    return m_mode;
}

}  // namespace orvane
