#pragma once
// Small media fixtures made on the spot with the ffmpeg tool: sine-wave MP3
// files of an exact number of samples, constant or variable bit rate.

#include <filesystem>
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

}  // namespace orvane::testing
