#include "render/mcl/audio_track.h"

namespace orvane {

AudioTrack::AudioTrack(std::vector<QString> songs, int sampleRate, AVSampleFormat format)
    : m_songs(std::move(songs)), m_format{sampleRate, format, 2} {}

bool AudioTrack::songsFinished() const { return !m_songOpen && m_nextSong >= m_songs.size(); }

Result<void> AudioTrack::read(AVFrame* frame) {
    const int wanted = frame->nb_samples;
    const int planes = av_sample_fmt_is_planar(m_format.sampleFormat) ? m_format.channels : 1;
    const int sampleBytes =
        av_get_bytes_per_sample(m_format.sampleFormat) * (planes == 1 ? m_format.channels : 1);
    int filled = 0;
    while (filled < wanted) {
        if (!m_songOpen) {
            if (m_nextSong >= m_songs.size()) break;
            if (auto opened = m_decoder.open(m_songs[m_nextSong++], m_format); !opened)
                return opened;
            m_songOpen = true;
        }
        std::uint8_t* at[AV_NUM_DATA_POINTERS] = {};
        for (int p = 0; p < planes; ++p) at[p] = frame->data[p] + filled * sampleBytes;
        auto got = m_decoder.read(at, wanted - filled);
        if (!got) return std::unexpected(got.error());
        filled += *got;
        m_songSamples += *got;
        if (*got == 0 || m_decoder.atEnd()) m_songOpen = false;
    }
    if (filled < wanted)
        av_samples_set_silence(frame->data, filled, wanted - filled, m_format.channels,
                               m_format.sampleFormat);
    return {};
}

}  // namespace orvane
