#pragma once
// The sound track of a movie: the songs decoded one after the other,
// resampled to the encoder's rate, sample format and stereo, followed by
// silence for as long as the track is read. Used by the movie writer on its
// worker thread.

#include <QString>
#include <cstdint>
#include <vector>

#include "app/error.h"
#include "render/mcl/av_helpers.h"

namespace orvane {

class AudioTrack {
   public:
    AudioTrack(std::vector<QString> songs, int sampleRate, AVSampleFormat format);
    ~AudioTrack();
    AudioTrack(const AudioTrack&) = delete;
    AudioTrack& operator=(const AudioTrack&) = delete;

    // Fills `frame` (already allocated for frame->nb_samples samples in the
    // track's format) with the next samples: songs first, then silence. Fails
    // with a message naming the song that cannot be read.
    Result<void> read(AVFrame* frame);
    // True once every song has been read to its end and handed out.
    bool songsFinished() const;

   private:
    Result<void> openNextSong();
    Result<bool> decodeSomeOfSong();  // false at the song's end
    Result<void> pushResampled(const AVFrame* decoded);

    std::vector<QString> m_songs;
    size_t m_nextSong = 0;
    int m_sampleRate;
    AVSampleFormat m_format;
    AVChannelLayout m_layout{};  // stereo
    av::FifoPtr m_fifo;

    // The song being decoded.
    QString m_songPath;
    av::InputPtr m_input;
    av::CodecContextPtr m_decoder;
    av::SwrPtr m_resampler;
    int m_streamIndex = -1;
    av::PacketPtr m_packet;
    av::FramePtr m_decoded;
    bool m_songOpen = false;
};

}  // namespace orvane
