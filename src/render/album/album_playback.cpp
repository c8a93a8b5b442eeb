#include "render/album/album_playback.h"

#include <algorithm>

namespace orvane {

namespace {

// An output that has not moved for this long has nothing left to play.
constexpr std::int64_t kStalledMs = 300;

}  // namespace

AlbumPlayback::AlbumPlayback(const ProjectModel& model, const AlbumTimeline& timeline,
                             std::vector<std::int64_t> songLengthsMs,
                             std::unique_ptr<AudioOutput> output,
                             std::shared_ptr<const PlaybackClock> clock)
    : m_frames(timeline.totalFrames),
      m_songLength(std::move(songLengthsMs)),
      m_output(std::move(output)),
      m_clock(std::move(clock)) {
    std::int64_t start = 0;
    for (std::size_t i = 0; i < timeline.songOrder.size() && i < m_songLength.size(); ++i) {
        m_songs.push_back(model.music.at(static_cast<std::size_t>(timeline.songOrder[i])).location);
        m_songStart.push_back(start);
        start += m_songLength[i];
    }
    m_songLength.resize(m_songs.size());
}

AlbumPlayback::~AlbumPlayback() {
    if (m_soundEntry >= 0) m_output->stop();
}

AlbumPlayback::SoundPlace AlbumPlayback::soundAt(std::int64_t ms) const {
    // The sound is cut where the picture ends.
    if (ms < 0 || ms >= std::int64_t{m_frames} * kAlbumFrameMs) return {};
    for (std::size_t i = 0; i < m_songs.size(); ++i)
        if (ms >= m_songStart[i] && ms < m_songStart[i] + m_songLength[i])
            return {static_cast<int>(i), ms - m_songStart[i]};
    return {};
}

std::int64_t AlbumPlayback::albumMs() const {
    if (!m_playing) return m_baseMs;
    if (m_soundEntry >= 0)
        return m_songStart[static_cast<std::size_t>(m_soundEntry)] + m_output->positionMs();
    return m_baseMs + (m_clock->nowMs() - m_baseClock);
}

int AlbumPlayback::currentFrame() const {
    const auto frame = albumMs() / kAlbumFrameMs;
    return static_cast<int>(std::clamp<std::int64_t>(frame, 0, std::max(0, m_frames - 1)));
}

Result<void> AlbumPlayback::startSoundAt(std::int64_t ms) {
    if (m_soundEntry >= 0) m_output->stop();
    m_soundEntry = -1;
    m_baseMs = ms;
    m_baseClock = m_clock->nowMs();
    m_silentUntil = 0;
    const SoundPlace place = soundAt(ms);
    if (place.entry < 0) return {};
    auto started = m_output->start(m_songs[static_cast<std::size_t>(place.entry)], place.offsetMs);
    if (!started) return started;
    m_soundEntry = place.entry;
    m_lastPosition = -1;
    m_lastMove = m_baseClock;
    return {};
}

Result<void> AlbumPlayback::play() {
    if (m_playing || m_frames <= 0) return {};
    std::int64_t from = m_baseMs;
    if (from / kAlbumFrameMs >= m_frames - 1) from = 0;
    m_playing = true;
    auto started = startSoundAt(from);
    if (!started) m_playing = false;
    return started;
}

void AlbumPlayback::pause() {
    if (!m_playing) return;
    m_baseMs = std::int64_t{currentFrame()} * kAlbumFrameMs;
    m_playing = false;
    if (m_soundEntry >= 0) m_output->stop();
    m_soundEntry = -1;
}

void AlbumPlayback::stop() {
    pause();
    m_baseMs = 0;
}

Result<void> AlbumPlayback::seek(int frame) {
    const std::int64_t ms =
        std::int64_t{std::clamp(frame, 0, std::max(0, m_frames - 1))} * kAlbumFrameMs;
    if (!m_playing) {
        m_baseMs = ms;
        return {};
    }
    return startSoundAt(ms);
}

Result<void> AlbumPlayback::tick() {
    if (!m_playing) return {};
    const std::int64_t now = albumMs();
    if (now >= std::int64_t{m_frames} * kAlbumFrameMs - kAlbumFrameMs) {
        m_baseMs = std::int64_t{m_frames - 1} * kAlbumFrameMs;
        m_playing = false;
        if (m_soundEntry >= 0) m_output->stop();
        m_soundEntry = -1;
        return {};
    }
    // A song that has ended hands over to the next one (or to the clock). An
    // output whose position stands still is taken as ended too: the rest of
    // its song is silence carried by the clock, so a song that sounds a
    // little shorter than measured never holds the picture.
    if (m_soundEntry >= 0) {
        const auto entry = static_cast<std::size_t>(m_soundEntry);
        const std::int64_t position = m_output->positionMs();
        const std::int64_t clock = m_clock->nowMs();
        if (position != m_lastPosition) {
            m_lastPosition = position;
            m_lastMove = clock;
        }
        if (position < m_songLength[entry] && clock - m_lastMove <= kStalledMs) return {};
        const std::int64_t songEnd = m_songStart[entry] + m_songLength[entry];
        if (now >= songEnd) return startSoundAt(now);
        m_output->stop();
        m_soundEntry = -1;
        m_baseMs = now;
        m_baseClock = clock;
        m_silentUntil = songEnd;
        return {};
    }
    if (now >= m_silentUntil && soundAt(now).entry >= 0) return startSoundAt(now);
    return {};
}

}  // namespace orvane
