#include "render/mcl/movie_writer.h"

#include <QDir>
#include <cstring>

extern "C" {
#include <libavutil/opt.h>
}

namespace orvane {

MovieWriter::MovieWriter(OutputPlan plan, std::vector<QString> songs)
    : m_plan(std::move(plan)),
      m_file(m_plan.path),
      m_packet(av_packet_alloc()),
      m_songs(std::move(songs)) {}

MovieWriter::~MovieWriter() { discard(); }

std::unexpected<UserError> MovieWriter::outputError(const QString& what, int code) const {
    return fail(QStringLiteral("%1 %2: %3")
                    .arg(what, QDir::toNativeSeparators(m_plan.path), av::errorText(code)));
}

Result<void> MovieWriter::open() {
    if (auto created = m_file.create(); !created) return created;
    const QByteArray temporary = m_file.temporaryPath().toUtf8();
    AVFormatContext* output = nullptr;
    if (int rc =
            avformat_alloc_output_context2(&output, nullptr, m_plan.muxer, temporary.constData());
        rc < 0)
        return outputError(QStringLiteral("Cannot set up the container of"), rc);
    m_output.reset(output);
    if (auto video = addVideoStream(); !video) return video;
    if (auto audio = addAudioStream(); !audio) return audio;
    if (int rc = avio_open(&output->pb, temporary.constData(), AVIO_FLAG_WRITE); rc < 0)
        return outputError(QStringLiteral("Cannot write"), rc);
    AVDictionary* muxerOptions = nullptr;
    // The index goes to the front in a second pass at the trailer, so players
    // start before the whole file has arrived.
    if (m_plan.fastStart) av_dict_set(&muxerOptions, "movflags", "+faststart", 0);
    const int header = avformat_write_header(output, &muxerOptions);
    av_dict_free(&muxerOptions);
    if (header < 0) return outputError(QStringLiteral("Cannot write the header of"), header);
    m_headerWritten = true;
    return m_converter.open(m_plan.width, m_plan.height, m_video.codec->pix_fmt,
                            m_plan.bt709 ? ColourMatrix::Bt709 : ColourMatrix::Bt601);
}

Result<void> MovieWriter::addVideoStream() {
    const AVCodec* codec = m_plan.videoEncoderName
                               ? avcodec_find_encoder_by_name(m_plan.videoEncoderName)
                               : avcodec_find_encoder(m_plan.videoCodec);
    if (!codec)
        return outputError(QStringLiteral("No video encoder is installed for"),
                           AVERROR_ENCODER_NOT_FOUND);
    m_video.stream = avformat_new_stream(m_output.get(), nullptr);
    m_video.codec.reset(avcodec_alloc_context3(codec));
    if (!m_video.stream || !m_video.codec)
        return outputError(QStringLiteral("Cannot set up"), AVERROR(ENOMEM));
    AVCodecContext* c = m_video.codec.get();
    c->width = m_plan.width;
    c->height = m_plan.height;
    c->framerate = m_plan.frameRate;
    c->time_base = av_inv_q(m_plan.frameRate);
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->bit_rate = int64_t(m_plan.videoKbps) * 1000;
    if (m_plan.maxKbps > 0) {
        c->rc_max_rate = int64_t(m_plan.maxKbps) * 1000;
        c->rc_buffer_size = m_plan.bufferBits;
    }
    c->gop_size = m_plan.gopSize;
    if (m_plan.bFrames >= 0) c->max_b_frames = m_plan.bFrames;
    c->thread_count = 0;  // one slice per core
    c->sample_aspect_ratio = AVRational{1, 1};
    if (m_plan.bt709) {
        c->colorspace = AVCOL_SPC_BT709;
        c->color_primaries = AVCOL_PRI_BT709;
        c->color_trc = AVCOL_TRC_BT709;
        c->color_range = AVCOL_RANGE_MPEG;
    }
    if (m_plan.videoCodec == AV_CODEC_ID_MPEG4) c->codec_tag = MKTAG('X', 'V', 'I', 'D');
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    if (m_plan.x264Preset) {
        if (m_plan.referenceFrames > 0) c->refs = m_plan.referenceFrames;
        av_dict_set(&options, "preset", m_plan.x264Preset, 0);
        if (m_plan.videoKbps <= 0) av_dict_set_int(&options, "crf", m_plan.crf, 0);
        av_dict_set(&options, "profile", m_plan.profile, 0);
        av_dict_set(&options, "level", m_plan.level, 0);
    }
    const int opened = avcodec_open2(c, codec, &options);
    av_dict_free(&options);
    if (opened < 0) return outputError(QStringLiteral("Cannot open the video encoder for"), opened);
    m_video.stream->time_base = c->time_base;
    m_video.stream->avg_frame_rate = m_plan.frameRate;
    if (int rc = avcodec_parameters_from_context(m_video.stream->codecpar, c); rc < 0)
        return outputError(QStringLiteral("Cannot set up"), rc);
    if (auto copied = copySideData(m_video); !copied) return copied;
    m_video.frame.reset(av_frame_alloc());
    AVFrame* frame = m_video.frame.get();
    frame->format = c->pix_fmt;
    frame->width = c->width;
    frame->height = c->height;
    if (int rc = av_frame_get_buffer(frame, 0); rc < 0)
        return outputError(QStringLiteral("Cannot set up"), rc);
    return {};
}

// The encoder's buffer size and rates, which program stream muxers use for
// their buffer model.
Result<void> MovieWriter::copySideData(const Stream& stream) {
    const AVCodecContext* c = stream.codec.get();
    for (int i = 0; i < c->nb_coded_side_data; ++i) {
        const AVPacketSideData& data = c->coded_side_data[i];
        uint8_t* copy = av_stream_new_side_data(stream.stream, data.type, data.size);
        if (!copy) return outputError(QStringLiteral("Cannot set up"), AVERROR(ENOMEM));
        memcpy(copy, data.data, data.size);
    }
    return {};
}

Result<void> MovieWriter::addAudioStream() {
    const AVCodec* codec = avcodec_find_encoder_by_name(m_plan.audioEncoderName);
    if (!codec)
        return outputError(QStringLiteral("No audio encoder is installed for"),
                           AVERROR_ENCODER_NOT_FOUND);
    m_audio.stream = avformat_new_stream(m_output.get(), nullptr);
    m_audio.codec.reset(avcodec_alloc_context3(codec));
    if (!m_audio.stream || !m_audio.codec)
        return outputError(QStringLiteral("Cannot set up"), AVERROR(ENOMEM));
    AVCodecContext* c = m_audio.codec.get();
    c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    c->sample_rate = m_plan.sampleRate;
    av_channel_layout_default(&c->ch_layout, 2);
    c->bit_rate = int64_t(m_plan.audioKbps) * 1000;
    c->time_base = AVRational{1, m_plan.sampleRate};
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (int rc = avcodec_open2(c, codec, nullptr); rc < 0)
        return outputError(QStringLiteral("Cannot open the audio encoder for"), rc);
    m_audio.stream->time_base = c->time_base;
    if (int rc = avcodec_parameters_from_context(m_audio.stream->codecpar, c); rc < 0)
        return outputError(QStringLiteral("Cannot set up"), rc);
    m_audio.frame.reset(av_frame_alloc());
    AVFrame* frame = m_audio.frame.get();
    frame->format = c->sample_fmt;
    frame->sample_rate = c->sample_rate;
    av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
    frame->nb_samples = c->frame_size > 0 ? c->frame_size : 1152;
    if (int rc = av_frame_get_buffer(frame, 0); rc < 0)
        return outputError(QStringLiteral("Cannot set up"), rc);
    m_track = std::make_unique<AudioTrack>(std::move(m_songs), c->sample_rate, c->sample_fmt);
    return {};
}

Result<void> MovieWriter::encode(Stream& stream, AVFrame* frame) {
    int rc = avcodec_send_frame(stream.codec.get(), frame);
    if (rc < 0) return outputError(QStringLiteral("Cannot encode"), rc);
    for (;;) {
        rc = avcodec_receive_packet(stream.codec.get(), m_packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return {};
        if (rc < 0) return outputError(QStringLiteral("Cannot encode"), rc);
        av_packet_rescale_ts(m_packet.get(), stream.codec->time_base, stream.stream->time_base);
        m_packet->stream_index = stream.stream->index;
        rc = av_interleaved_write_frame(m_output.get(), m_packet.get());
        if (rc < 0) return outputError(QStringLiteral("Cannot write"), rc);
    }
}

std::int64_t MovieWriter::videoEndInSamples() const {
    return av_rescale_q(m_nextVideoPts, m_video.codec->time_base, AVRational{1, m_plan.sampleRate});
}

Result<void> MovieWriter::encodeAudioUntil(std::int64_t samples, bool exact) {
    AVFrame* frame = m_audio.frame.get();
    const int frameSize = m_audio.codec->frame_size > 0 ? m_audio.codec->frame_size : 1152;
    while (m_nextAudioPts < samples) {
        if (int rc = av_frame_make_writable(frame); rc < 0)
            return outputError(QStringLiteral("Cannot encode"), rc);
        frame->nb_samples =
            exact ? int(std::min<std::int64_t>(frameSize, samples - m_nextAudioPts)) : frameSize;
        if (auto read = m_track->read(frame); !read) {
            m_failureKind = MclError::Source;
            return read;
        }
        frame->pts = m_nextAudioPts;
        m_nextAudioPts += frame->nb_samples;
        if (auto encoded = encode(m_audio, frame); !encoded) return encoded;
        m_audioSamplesDone = av_rescale(m_nextAudioPts, 44100, m_plan.sampleRate);
    }
    frame->nb_samples = frameSize;
    return {};
}

Result<void> MovieWriter::writeFrame(const QImage& image) {
    AVFrame* frame = m_video.frame.get();
    if (int rc = av_frame_make_writable(frame); rc < 0)
        return outputError(QStringLiteral("Cannot encode"), rc);
    if (auto converted = m_converter.convert(image, frame); !converted) return converted;
    const int copies = outputFramesFor(m_plan, m_albumFrame++);
    for (int i = 0; i < copies; ++i) {
        frame->pts = m_nextVideoPts++;
        if (auto encoded = encode(m_video, frame); !encoded) return encoded;
    }
    // Sound up to the end of this frame keeps the streams interleaved.
    return encodeAudioUntil(videoEndInSamples(), false);
}

Result<void> MovieWriter::finish() {
    if (auto flushed = encode(m_video, nullptr); !flushed) return flushed;
    const std::int64_t videoEnd = videoEndInSamples();
    if (m_plan.truncateAudio) {
        if (auto audio = encodeAudioUntil(videoEnd, true); !audio) return audio;
    } else {
        // The songs play to their end, and silence fills a longer picture.
        if (auto audio = encodeAudioUntil(videoEnd, false); !audio) return audio;
        while (!m_track->songsFinished())
            if (auto audio = encodeAudioUntil(m_nextAudioPts + 1, false); !audio) return audio;
    }
    if (auto flushed = encode(m_audio, nullptr); !flushed) return flushed;
    if (int rc = av_write_trailer(m_output.get()); rc < 0)
        return outputError(QStringLiteral("Cannot finish"), rc);
    if (int rc = avio_closep(&m_output->pb); rc < 0)
        return outputError(QStringLiteral("Cannot finish"), rc);
    m_output.reset();
    return m_file.commit();
}

void MovieWriter::discard() {
    m_output.reset();  // closes the file
    m_file.remove();
}

std::int64_t MovieWriter::audioSamplesDone() const { return m_audioSamplesDone; }

}  // namespace orvane
