#pragma once
// Writes a movie (MPEG program stream or AVI): the album frames through a
// video encoder, the songs through an audio encoder, interleaved into the
// container. Follows FFmpeg's encode/mux examples: send-frame/receive-packet
// loops, a null frame to flush, time-stamps rescaled to the stream, and an
// explicit finish() that writes the trailer and reports failure.

#include <atomic>
#include <memory>
#include <vector>

#include "av/ffmpeg_handles.h"
#include "render/mcl/audio_track.h"
#include "render/mcl/frame_sink.h"
#include "render/mcl/output_plan.h"
#include "render/mcl/picture_converter.h"
#include "render/mcl/temporary_output.h"

namespace orvane {

class MovieWriter : public FrameSink {
   public:
    MovieWriter(OutputPlan plan, std::vector<QString> songs);
    ~MovieWriter() override;

    Result<void> open() override;
    Result<void> writeFrame(const QImage& frame) override;
    Result<void> finish() override;
    void discard() override;
    std::int64_t audioSamplesDone() const override;
    MclError failureKind() const override { return m_failureKind; }

   private:
    struct Stream {
        AVStream* stream = nullptr;
        av::CodecContextPtr codec;
        av::FramePtr frame;
    };

    Result<void> addVideoStream();
    Result<void> addAudioStream();
    Result<void> encode(Stream& stream, AVFrame* frame);
    Result<void> copySideData(const Stream& stream);
    Result<void> encodeAudioUntil(std::int64_t samples, bool exact);
    std::int64_t videoEndInSamples() const;
    std::unexpected<UserError> outputError(const QString& what, int code) const;

    OutputPlan m_plan;
    TemporaryOutput m_file;
    av::OutputPtr m_output;
    Stream m_video;
    Stream m_audio;
    PictureConverter m_converter;
    av::PacketPtr m_packet;
    std::vector<QString> m_songs;  // handed to the track when the audio encoder is open
    std::unique_ptr<AudioTrack> m_track;
    std::int64_t m_nextVideoPts = 0;
    std::int64_t m_albumFrame = 0;
    std::int64_t m_nextAudioPts = 0;
    std::atomic<std::int64_t> m_audioSamplesDone{0};
    bool m_headerWritten = false;
    MclError m_failureKind = MclError::Output;
};

}  // namespace orvane
