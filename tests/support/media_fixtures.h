#pragma once
// Small media fixtures made on the spot: sine-wave MP3 files of an exact
// number of samples (constant or variable bit rate) made with the ffmpeg
// tool, MP3 files with one damaged frame, and WAV files written here with or
// without a channel layout.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace orvane::testing {

struct Mp3Options {
    double seconds = 2.0;
    int sampleRate = 44100;
    bool vbr = false;
    bool xingHeader = true;  // false: no Xing/Info frame (frames are counted)
    int channels = 1;
};

// Writes the MP3 file; throws std::runtime_error when ffmpeg fails.
void makeMp3(const std::filesystem::path& file, const Mp3Options& options = {});

// Cuts a file to `bytes` bytes.
void truncateFile(const std::filesystem::path& file, std::uintmax_t bytes);

// Overwrites 100 bytes inside the MPEG audio frame that starts nearest after
// the middle of the file (its header and the next frame's header are left
// whole), so that one packet is damaged; returns the frame's offset. Throws
// std::runtime_error when no frame is found.
std::uintmax_t damageMiddleFrame(const std::filesystem::path& file);

// A 16-bit PCM WAV file of `frames` samples per channel; sample(i, c) gives
// channel c of sample i. `channelMask` 0 writes a plain header that names no
// channel layout; otherwise an extensible header with that speaker mask.
void writeWav(const std::filesystem::path& file, int channels, int sampleRate,
              std::uint32_t channelMask, int frames,
              const std::function<std::int16_t(int, int)>& sample);

}  // namespace orvane::testing
