#include "av/audio_decoder.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <algorithm>

#include "av/ffmpeg_handles.h"

namespace orvane::av {

namespace {

// A damaged packet longer than this is taken as a wrong duration, not as
// that much silence.
constexpr int kLongestSilenceSeconds = 10;
// Demuxer errors in a row after which the file is taken as unreadable.
constexpr int kReadErrorsInARow = 64;

// The layout to resample from: the given one when it names each of its
// channels, otherwise the default layout for that many channels.
void repairedLayout(const AVChannelLayout& given, AVChannelLayout* out) {
    av_channel_layout_uninit(out);
    if (given.order != AV_CHANNEL_ORDER_UNSPEC && av_channel_layout_check(&given))
        av_channel_layout_copy(out, &given);
    else
        av_channel_layout_default(out, given.nb_channels);
}

struct SampleBuffer {
    uint8_t** data = nullptr;
    ~SampleBuffer() {
        if (data) av_freep(&data[0]);
        av_freep(&data);
    }
};

}  // namespace

struct AudioDecoder::State {
    QString path;
    AudioFormat out;
    AVChannelLayout outLayout{};
    InputPtr input;
    CodecContextPtr codec;
    SwrPtr resampler;
    PacketPtr packet{av_packet_alloc()};
    FramePtr frame{av_frame_alloc()};
    FifoPtr fifo;
    int stream = -1;
    AVRational timeBase{1, 1};

    // What the resampler was set up for.
    AVSampleFormat inFormat = AV_SAMPLE_FMT_NONE;
    AVChannelLayout inLayout{};
    int inRate = 0;

    std::int64_t lastPacketDuration = 0;  // stream time base
    std::int64_t seekTarget = AV_NOPTS_VALUE;
    std::int64_t discard = 0;  // output samples still to drop after a seek
    int goodFrames = 0;
    int damaged = 0;
    int readErrors = 0;
    bool inputDone = false;
    bool finished = false;

    ~State() {
        av_channel_layout_uninit(&outLayout);
        av_channel_layout_uninit(&inLayout);
    }

    std::unexpected<UserError> failure(const QString& why) const {
        return fail(QStringLiteral("The song %1 cannot be read: %2").arg(path, why));
    }

    // Sets the resampler up for input of this format, layout and rate; what
    // the previous set-up still holds is handed out first.
    Result<void> configure(AVSampleFormat format, const AVChannelLayout& given, int rate) {
        AVChannelLayout layout{};
        repairedLayout(given, &layout);
        if (resampler && format == inFormat && rate == inRate &&
            av_channel_layout_compare(&layout, &inLayout) == 0) {
            av_channel_layout_uninit(&layout);
            return {};
        }
        if (resampler) {
            if (auto drained = convert(nullptr); !drained) {
                av_channel_layout_uninit(&layout);
                return drained;
            }
        }
        av_channel_layout_uninit(&inLayout);
        inLayout = layout;
        inFormat = format;
        inRate = rate;
        if (layout.nb_channels <= 0 || rate <= 0 || format == AV_SAMPLE_FMT_NONE)
            return failure(QStringLiteral("the audio has no channels or no sample rate"));
        SwrContext* swr = nullptr;
        int rc = swr_alloc_set_opts2(&swr, &outLayout, out.sampleFormat, out.sampleRate, &inLayout,
                                     inFormat, inRate, 0, nullptr);
        resampler.reset(swr);
        if (rc >= 0) rc = swr_init(swr);
        if (rc < 0) return failure(errorText(rc));
        return {};
    }

    // Converts `in` (nullptr: what the resampler still holds) into the fifo.
    Result<void> convert(const AVFrame* in) {
        const int inSamples = in ? in->nb_samples : 0;
        const int room = swr_get_out_samples(resampler.get(), inSamples);
        if (room <= 0) return {};
        SampleBuffer buffer;
        int rc = av_samples_alloc_array_and_samples(&buffer.data, nullptr, out.channels, room,
                                                    out.sampleFormat, 0);
        if (rc < 0) return failure(errorText(rc));
        const int made =
            swr_convert(resampler.get(), buffer.data, room,
                        in ? const_cast<const uint8_t**>(in->extended_data) : nullptr, inSamples);
        if (made < 0) return failure(errorText(made));
        int skip = static_cast<int>(std::min<std::int64_t>(discard, made));
        discard -= skip;
        if (made > skip) {
            // Dropped samples after a seek come from the front of the block.
            if (skip > 0)
                av_samples_copy(buffer.data, buffer.data, 0, skip, made - skip, out.channels,
                                out.sampleFormat);
            rc =
                av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(buffer.data), made - skip);
            if (rc < 0) return failure(errorText(rc));
        }
        return {};
    }

    Result<void> convertDecoded(AVFrame* decoded) {
        if (seekTarget != AV_NOPTS_VALUE) {
            const std::int64_t at = decoded->best_effort_timestamp;
            if (at != AV_NOPTS_VALUE && at < seekTarget)
                discard = av_rescale_q(seekTarget - at, timeBase, AVRational{1, out.sampleRate});
            seekTarget = AV_NOPTS_VALUE;
        }
        if (auto ready = configure(static_cast<AVSampleFormat>(decoded->format), decoded->ch_layout,
                                   decoded->sample_rate);
            !ready)
            return ready;
        ++goodFrames;
        return convert(decoded);
    }

    // A damaged packet: its time is kept as silence in the input's format.
    Result<void> replaceWithSilence(std::int64_t duration) {
        ++damaged;
        if (!resampler) {
            if (auto ready = configure(codec->sample_fmt, codec->ch_layout, codec->sample_rate);
                !ready)
                return ready;
        }
        std::int64_t samples = duration > 0
                                   ? av_rescale_q(duration, timeBase, AVRational{1, inRate})
                                   : std::max(codec->frame_size, 0);
        samples = std::min<std::int64_t>(samples, std::int64_t(inRate) * kLongestSilenceSeconds);
        if (samples <= 0) return {};
        FramePtr silence(av_frame_alloc());
        silence->format = inFormat;
        silence->sample_rate = inRate;
        silence->nb_samples = static_cast<int>(samples);
        av_channel_layout_copy(&silence->ch_layout, &inLayout);
        if (int rc = av_frame_get_buffer(silence.get(), 0); rc < 0) return failure(errorText(rc));
        av_samples_set_silence(silence->extended_data, 0, silence->nb_samples, inLayout.nb_channels,
                               inFormat);
        return convert(silence.get());
    }

    // Decodes until some samples reached the fifo or the song ended.
    Result<void> decodeMore() {
        for (;;) {
            int rc = avcodec_receive_frame(codec.get(), frame.get());
            if (rc == 0) {
                auto converted = convertDecoded(frame.get());
                av_frame_unref(frame.get());
                return converted;
            }
            if (rc == AVERROR_EOF) {
                finished = true;
                if (goodFrames == 0)
                    return failure(QStringLiteral("not one block of sound could be decoded"));
                return resampler ? convert(nullptr) : Result<void>{};
            }
            if (rc == AVERROR_INVALIDDATA) {
                if (auto kept = replaceWithSilence(lastPacketDuration); !kept) return kept;
                continue;
            }
            if (rc != AVERROR(EAGAIN)) return failure(errorText(rc));

            rc = av_read_frame(input.get(), packet.get());
            if (rc == AVERROR_EOF) {
                inputDone = true;
                avcodec_send_packet(codec.get(), nullptr);
                continue;
            }
            if (rc < 0) {
                if (rc == AVERROR_INVALIDDATA && ++readErrors < kReadErrorsInARow) continue;
                return failure(errorText(rc));
            }
            readErrors = 0;
            if (packet->stream_index == stream) {
                lastPacketDuration = packet->duration;
                rc = avcodec_send_packet(codec.get(), packet.get());
                if (rc == AVERROR_INVALIDDATA) {
                    if (auto kept = replaceWithSilence(packet->duration); !kept) {
                        av_packet_unref(packet.get());
                        return kept;
                    }
                } else if (rc < 0 && rc != AVERROR(EAGAIN)) {
                    av_packet_unref(packet.get());
                    return failure(errorText(rc));
                }
            }
            av_packet_unref(packet.get());
        }
    }
};

AudioDecoder::AudioDecoder() = default;
AudioDecoder::~AudioDecoder() = default;

Result<void> AudioDecoder::open(const QString& path, const AudioFormat& format,
                                std::int64_t fromMs) {
    m_state.reset();
    m_path = path;
    m_format = format;
    auto state = std::make_unique<State>();
    state->path = path;
    state->out = format;
    av_channel_layout_default(&state->outLayout, format.channels);
    state->fifo.reset(av_audio_fifo_alloc(format.sampleFormat, format.channels, 4096));
    if (!state->fifo || !state->packet || !state->frame)
        return state->failure(errorText(AVERROR(ENOMEM)));

    AVFormatContext* raw = nullptr;
    const QByteArray name = path.toUtf8();
    int rc = avformat_open_input(&raw, name.constData(), nullptr, nullptr);
    if (rc < 0) return state->failure(errorText(rc));
    state->input.reset(raw);
    rc = avformat_find_stream_info(raw, nullptr);
    if (rc < 0) return state->failure(errorText(rc));
    const AVCodec* decoder = nullptr;
    state->stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (state->stream < 0 || !decoder) return state->failure(QStringLiteral("it holds no sound"));
    AVStream* stream = raw->streams[state->stream];
    state->timeBase = stream->time_base;
    state->codec.reset(avcodec_alloc_context3(decoder));
    if (!state->codec) return state->failure(errorText(AVERROR(ENOMEM)));
    rc = avcodec_parameters_to_context(state->codec.get(), stream->codecpar);
    if (rc < 0) return state->failure(errorText(rc));
    state->codec->pkt_timebase = stream->time_base;
    rc = avcodec_open2(state->codec.get(), decoder, nullptr);
    if (rc < 0) return state->failure(errorText(rc));

    if (fromMs > 0) {
        const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
        const std::int64_t target =
            start + av_rescale_q(fromMs, AVRational{1, 1000}, stream->time_base);
        if (av_seek_frame(raw, state->stream, target, AVSEEK_FLAG_BACKWARD) >= 0) {
            avcodec_flush_buffers(state->codec.get());
            state->seekTarget = target;
        }
    }
    m_state = std::move(state);
    return {};
}

Result<int> AudioDecoder::read(std::uint8_t* const* planes, int maxSamples) {
    if (!m_state || maxSamples <= 0) return 0;
    State& s = *m_state;
    while (av_audio_fifo_size(s.fifo.get()) < maxSamples && !s.finished)
        if (auto more = s.decodeMore(); !more) return std::unexpected(more.error());
    const int n = std::min(maxSamples, av_audio_fifo_size(s.fifo.get()));
    if (n <= 0) return 0;
    auto** data = const_cast<void**>(reinterpret_cast<void* const*>(planes));
    const int got = av_audio_fifo_read(s.fifo.get(), data, n);
    if (got < 0) return s.failure(errorText(got));
    return got;
}

Result<std::int64_t> AudioDecoder::readBytes(char* data, std::int64_t maxBytes) {
    const std::int64_t frameBytes =
        std::int64_t(av_get_bytes_per_sample(m_format.sampleFormat)) * m_format.channels;
    if (frameBytes <= 0 || av_sample_fmt_is_planar(m_format.sampleFormat)) return 0;
    auto* out = reinterpret_cast<std::uint8_t*>(data);
    const int samples = static_cast<int>(std::min<std::int64_t>(maxBytes / frameBytes, 1 << 24));
    auto got = read(&out, samples);
    if (!got) return std::unexpected(got.error());
    return *got * frameBytes;
}

bool AudioDecoder::atEnd() const {
    return !m_state || (m_state->finished && av_audio_fifo_size(m_state->fifo.get()) == 0);
}

int AudioDecoder::damagedPackets() const { return m_state ? m_state->damaged : 0; }

}  // namespace orvane::av
