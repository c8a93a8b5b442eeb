#pragma once
// The sound track of a movie: the songs one after the other, decoded by the
// media layer's song decoder at the encoder's rate, sample format and stereo,
// followed by silence for as long as the track is read. Used by the movie
// writer on its worker thread.

#include <QString>
#include <cstdint>
#include <vector>

#include "av/audio_decoder.h"
#include "av/ffmpeg_handles.h"
#include "base/error.h"

namespace orvane {

class AudioTrack {
   public:
    AudioTrack(std::vector<QString> songs, int sampleRate, AVSampleFormat format);

    // Fills `frame` (already allocated for frame->nb_samples samples in the
    // track's format) with the next samples: songs first, then silence. Fails
    // with a message naming the song that cannot be read.
    Result<void> read(AVFrame* frame);
    // True once every song has been read to its end and handed out.
    bool songsFinished() const;
    // Samples handed out from the songs so far (the silence after them not
    // counted).
    std::int64_t songSamples() const { return m_songSamples; }

   private:
    std::vector<QString> m_songs;
    size_t m_nextSong = 0;
    av::AudioFormat m_format;
    av::AudioDecoder m_decoder;
    bool m_songOpen = false;
    std::int64_t m_songSamples = 0;
};

}  // namespace orvane
