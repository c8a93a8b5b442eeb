#include "audio/audio_decoder.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <cstring>

#include "render/mcl/av_helpers.h"

namespace orvane {

struct AudioDecoder::State {
    av::InputPtr format;
    av::CodecContextPtr codec;
    av::SwrPtr resampler;
    av::PacketPtr packet{av_packet_alloc()};
    av::FramePtr frame{av_frame_alloc()};
    int stream = -1;
    int channels = 2;
    int sampleRate = 44100;
    QByteArray pending;  // converted samples not yet handed out
    bool inputDone = false;
    bool flushed = false;

    // Decodes and converts the next frame into `pending`; false at the end.
    bool decodeMore() {
        for (;;) {
            int rc = avcodec_receive_frame(codec.get(), frame.get());
            if (rc == 0) {
                convert(frame.get());
                av_frame_unref(frame.get());
                return true;
            }
            if (rc == AVERROR_EOF) {
                if (!flushed) {
                    flushed = true;
                    convert(nullptr);  // what the resampler still holds
                    if (!pending.isEmpty()) return true;
                }
                return false;
            }
            if (rc != AVERROR(EAGAIN)) return false;
            if (inputDone) return false;
            rc = av_read_frame(format.get(), packet.get());
            if (rc < 0) {
                inputDone = true;
                avcodec_send_packet(codec.get(), nullptr);
                continue;
            }
            if (packet->stream_index == stream) avcodec_send_packet(codec.get(), packet.get());
            av_packet_unref(packet.get());
        }
    }

    void convert(const AVFrame* in) {
        const int inSamples = in ? in->nb_samples : 0;
        const int room = swr_get_out_samples(resampler.get(), inSamples);
        if (room <= 0) return;
        const qsizetype old = pending.size();
        pending.resize(old + static_cast<qsizetype>(room) * channels * 2);
        auto* out = reinterpret_cast<uint8_t*>(pending.data() + old);
        const int made =
            swr_convert(resampler.get(), &out, room,
                        in ? const_cast<const uint8_t**>(in->extended_data) : nullptr, inSamples);
        pending.resize(old + static_cast<qsizetype>(std::max(0, made)) * channels * 2);
    }
};

AudioDecoder::AudioDecoder() = default;
AudioDecoder::~AudioDecoder() = default;

Result<void> AudioDecoder::open(const QString& path, int sampleRate, int channels,
                                std::int64_t fromMs) {
    auto state = std::make_unique<State>();
    const auto cantPlay = [&](const QString& why) {
        return fail(QStringLiteral("无法播放音乐文件 %1：%2").arg(path, why));
    };
    AVFormatContext* raw = nullptr;
    const QByteArray name = path.toUtf8();
    int rc = avformat_open_input(&raw, name.constData(), nullptr, nullptr);
    if (rc < 0) return cantPlay(av::errorText(rc));
    state->format.reset(raw);
    rc = avformat_find_stream_info(raw, nullptr);
    if (rc < 0) return cantPlay(av::errorText(rc));
    const AVCodec* decoder = nullptr;
    state->stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (state->stream < 0 || !decoder) return cantPlay(QStringLiteral("没有音频"));
    AVStream* stream = raw->streams[state->stream];
    state->codec.reset(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(state->codec.get(), stream->codecpar);
    rc = avcodec_open2(state->codec.get(), decoder, nullptr);
    if (rc < 0) return cantPlay(av::errorText(rc));

    state->channels = channels;
    state->sampleRate = sampleRate;
    AVChannelLayout outLayout;
    av_channel_layout_default(&outLayout, channels);
    SwrContext* swr = nullptr;
    rc = swr_alloc_set_opts2(&swr, &outLayout, AV_SAMPLE_FMT_S16, sampleRate,
                             &state->codec->ch_layout, state->codec->sample_fmt,
                             state->codec->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&outLayout);
    if (rc < 0 || !swr) return cantPlay(av::errorText(rc));
    state->resampler.reset(swr);
    rc = swr_init(swr);
    if (rc < 0) return cantPlay(av::errorText(rc));

    if (fromMs > 0) {
        const std::int64_t target = av_rescale_q(fromMs, AVRational{1, 1000}, stream->time_base);
        av_seek_frame(raw, state->stream, target, AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(state->codec.get());
    }
    m_state = std::move(state);
    return {};
}

std::int64_t AudioDecoder::read(char* data, std::int64_t maxBytes) {
    if (!m_state) return 0;
    const std::int64_t frameBytes = static_cast<std::int64_t>(m_state->channels) * 2;
    maxBytes -= maxBytes % frameBytes;
    std::int64_t written = 0;
    while (written < maxBytes) {
        if (m_state->pending.isEmpty() && !m_state->decodeMore()) break;
        const std::int64_t n = std::min<std::int64_t>(maxBytes - written, m_state->pending.size());
        std::memcpy(data + written, m_state->pending.constData(), static_cast<size_t>(n));
        m_state->pending.remove(0, static_cast<qsizetype>(n));
        written += n;
    }
    return written;
}

bool AudioDecoder::atEnd() const {
    return !m_state || (m_state->flushed && m_state->pending.isEmpty());
}

}  // namespace orvane
