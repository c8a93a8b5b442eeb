#include "render/mcl/audio_track.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <algorithm>

namespace orvane {

namespace {

std::unexpected<UserError> songError(const QString& path, int code) {
    return fail(QStringLiteral("The song %1 cannot be read: %2").arg(path, av::errorText(code)));
}

}  // namespace

AudioTrack::AudioTrack(std::vector<QString> songs, int sampleRate, AVSampleFormat format)
    : m_songs(std::move(songs)),
      m_sampleRate(sampleRate),
      m_format(format),
      m_fifo(av_audio_fifo_alloc(format, 2, sampleRate)),
      m_packet(av_packet_alloc()),
      m_decoded(av_frame_alloc()) {
    av_channel_layout_default(&m_layout, 2);
}

AudioTrack::~AudioTrack() = default;

bool AudioTrack::songsFinished() const {
    return !m_songOpen && m_nextSong >= m_songs.size() && av_audio_fifo_size(m_fifo.get()) == 0;
}

Result<void> AudioTrack::openNextSong() {
    m_songPath = m_songs[m_nextSong++];
    m_input.reset();
    m_decoder.reset();
    m_resampler.reset();
    const QByteArray name = m_songPath.toUtf8();
    AVFormatContext* input = nullptr;
    if (int rc = avformat_open_input(&input, name.constData(), nullptr, nullptr); rc < 0)
        return songError(m_songPath, rc);
    m_input.reset(input);
    if (int rc = avformat_find_stream_info(input, nullptr); rc < 0)
        return songError(m_songPath, rc);
    const AVCodec* codec = nullptr;
    m_streamIndex = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (m_streamIndex < 0) return songError(m_songPath, m_streamIndex);
    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder) return songError(m_songPath, AVERROR(ENOMEM));
    avcodec_parameters_to_context(m_decoder.get(), input->streams[m_streamIndex]->codecpar);
    if (int rc = avcodec_open2(m_decoder.get(), codec, nullptr); rc < 0)
        return songError(m_songPath, rc);
    if (m_decoder->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&m_decoder->ch_layout, m_decoder->ch_layout.nb_channels);
    SwrContext* resampler = nullptr;
    int rc =
        swr_alloc_set_opts2(&resampler, &m_layout, m_format, m_sampleRate, &m_decoder->ch_layout,
                            m_decoder->sample_fmt, m_decoder->sample_rate, 0, nullptr);
    m_resampler.reset(resampler);
    if (rc >= 0) rc = swr_init(resampler);
    if (rc < 0) return songError(m_songPath, rc);
    m_songOpen = true;
    return {};
}

Result<void> AudioTrack::pushResampled(const AVFrame* decoded) {
    const int inSamples = decoded ? decoded->nb_samples : 0;
    const int capacity = swr_get_out_samples(m_resampler.get(), inSamples);
    if (capacity <= 0) return {};
    uint8_t** buffers = nullptr;
    if (int rc = av_samples_alloc_array_and_samples(&buffers, nullptr, 2, capacity, m_format, 0);
        rc < 0)
        return songError(m_songPath, rc);
    const int produced = swr_convert(
        m_resampler.get(), buffers, capacity,
        decoded ? const_cast<const uint8_t**>(decoded->extended_data) : nullptr, inSamples);
    int rc = produced;
    if (produced > 0)
        rc = av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(buffers), produced);
    av_freep(&buffers[0]);
    av_freep(&buffers);
    if (rc < 0) return songError(m_songPath, rc);
    return {};
}

Result<bool> AudioTrack::decodeSomeOfSong() {
    // Drain what the decoder already holds, then feed it the next packet.
    for (;;) {
        int rc = avcodec_receive_frame(m_decoder.get(), m_decoded.get());
        if (rc >= 0) {
            auto pushed = pushResampled(m_decoded.get());
            av_frame_unref(m_decoded.get());
            if (!pushed) return std::unexpected(pushed.error());
            return true;
        }
        if (rc == AVERROR_EOF) {
            if (auto flushed = pushResampled(nullptr); !flushed)
                return std::unexpected(flushed.error());
            return false;
        }
        if (rc != AVERROR(EAGAIN)) return songError(m_songPath, rc);

        rc = av_read_frame(m_input.get(), m_packet.get());
        if (rc == AVERROR_EOF) {
            avcodec_send_packet(m_decoder.get(), nullptr);
            continue;
        }
        if (rc < 0) return songError(m_songPath, rc);
        if (m_packet->stream_index == m_streamIndex) {
            rc = avcodec_send_packet(m_decoder.get(), m_packet.get());
            // A damaged block of a song is skipped; the song goes on.
            if (rc < 0 && rc != AVERROR_INVALIDDATA && rc != AVERROR(EAGAIN)) {
                av_packet_unref(m_packet.get());
                return songError(m_songPath, rc);
            }
        }
        av_packet_unref(m_packet.get());
    }
}

Result<void> AudioTrack::read(AVFrame* frame) {
    const int wanted = frame->nb_samples;
    while (av_audio_fifo_size(m_fifo.get()) < wanted) {
        if (!m_songOpen) {
            if (m_nextSong >= m_songs.size()) break;
            if (auto opened = openNextSong(); !opened) return opened;
        }
        auto more = decodeSomeOfSong();
        if (!more) return std::unexpected(more.error());
        if (!*more) {
            m_songOpen = false;
            m_input.reset();
            m_decoder.reset();
            m_resampler.reset();
        }
    }
    const int available = std::min(wanted, av_audio_fifo_size(m_fifo.get()));
    if (available > 0 && av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(frame->data),
                                            available) < available)
        return fail(
            QStringLiteral("The sound track lost samples while reading %1.").arg(m_songPath));
    if (available < wanted)
        av_samples_set_silence(frame->data, available, wanted - available, 2, m_format);
    return {};
}

}  // namespace orvane
