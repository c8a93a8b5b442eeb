#pragma once
// The one song decoder: opens a song with FFmpeg, optionally from a start
// position, and hands out its samples converted by libswresample to the rate,
// sample format and channel count asked for. Playback (interleaved 16-bit
// for the sound card) and the encoder (the audio encoder's format) both read
// songs through it, so a song sounds and lasts the same in both.
//
// Repairs on the way: a stream or frame whose channel layout is unspecified,
// or whose layout does not match its channel count, gets the default layout
// for that many channels; a frame whose format, layout or rate differs from
// the previous one re-opens the resampler. A damaged packet (the decoder
// calls its data invalid) is replaced by silence of its own duration, so
// the song goes on and keeps the length measureSongLength gives it.
//
// One object per song; one thread at a time.

extern "C" {
#include <libavutil/samplefmt.h>
}

#include <QString>
#include <cstdint>
#include <memory>

#include "base/error.h"

namespace orvane::av {

struct AudioFormat {
    int sampleRate = 44100;
    AVSampleFormat sampleFormat = AV_SAMPLE_FMT_S16;
    int channels = 2;
};

class AudioDecoder {
   public:
    AudioDecoder();
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    // Opens `path` and positions it at `fromMs`; fails with a message naming
    // the file when it cannot be opened or holds no audio stream.
    Result<void> open(const QString& path, const AudioFormat& format, std::int64_t fromMs = 0);

    // Writes up to `maxSamples` samples per channel to `planes` (one pointer
    // per plane: a single one for interleaved formats) and returns how many
    // it wrote; 0 at the end of the song. Fails with a message naming the
    // file when the file cannot be read on, or when not one packet of it
    // could be decoded.
    Result<int> read(std::uint8_t* const* planes, int maxSamples);
    // Interleaved formats: up to `maxBytes` bytes of whole samples.
    Result<std::int64_t> readBytes(char* data, std::int64_t maxBytes);

    // True once every sample of the song has been handed out.
    bool atEnd() const;
    const QString& path() const { return m_path; }
    const AudioFormat& format() const { return m_format; }
    // Packets replaced by silence so far.
    int damagedPackets() const;

   private:
    struct State;
    std::unique_ptr<State> m_state;
    QString m_path;
    AudioFormat m_format;
};

}  // namespace orvane::av
