#pragma once
// Decodes a song with FFmpeg into interleaved signed 16-bit samples at the
// rate and channel count of the sound output (libswresample converts).
// Used by the audio output of the media player; one thread at a time.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

#include "app/error.h"

namespace orvane {

class AudioDecoder {
   public:
    AudioDecoder();
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    // Opens `path` and positions it at `fromMs`; fails with a message naming
    // the file.
    Result<void> open(const QString& path, int sampleRate, int channels, std::int64_t fromMs = 0);
    // Fills up to `maxBytes` bytes (whole sample frames); returns the number
    // written, 0 at the end of the song.
    std::int64_t read(char* data, std::int64_t maxBytes);
    bool atEnd() const;

   private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace orvane
