#include "support/media_fixtures.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orvane::testing {

void makeMp3(const std::filesystem::path& file, const Mp3Options& options) {
    std::filesystem::create_directories(file.parent_path());
    const std::string command =
        "ffmpeg -nostdin -v error -y -f lavfi -i 'sine=frequency=440:sample_rate=" +
        std::to_string(options.sampleRate) + ":duration=" + std::to_string(options.seconds) +
        "' -ac " + std::to_string(options.channels) + " -c:a libmp3lame " +
        (options.vbr ? std::string("-q:a 5") : std::string("-b:a 64k")) +
        (options.xingHeader ? "" : " -write_xing 0") + " '" + file.string() + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("ffmpeg could not make " + file.string());
}

void truncateFile(const std::filesystem::path& file, std::uintmax_t bytes) {
    std::filesystem::resize_file(file, bytes);
}

}  // namespace orvane::testing

namespace orvane::testing {
namespace {

// The length of the MPEG audio Layer III frame whose header starts at `h`,
// or 0 when `h` is no such header.
std::size_t layer3FrameLength(const unsigned char* h) {
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || ((h[1] >> 1) & 3) != 1) return 0;
    const int version = (h[1] >> 3) & 3;  // 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    if (version == 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) return 0;
    static constexpr int mpeg1[] = {0,   32,  40,  48,  56,  64,  80, 96,
                                    112, 128, 160, 192, 224, 256, 320};
    static constexpr int mpeg2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static constexpr int rates[] = {44100, 48000, 32000};
    const int rate = rates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    const int kbps = version == 3 ? mpeg1[bitrateIndex] : mpeg2[bitrateIndex];
    const int padding = (h[2] >> 1) & 1;
    return static_cast<std::size_t>((version == 3 ? 144000 : 72000) * kbps / rate + padding);
}

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::uintmax_t damageMiddleFrame(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* b = reinterpret_cast<unsigned char*>(bytes.data());
    for (std::size_t at = bytes.size() / 2; at + 4 < bytes.size(); ++at) {
        const std::size_t length = layer3FrameLength(b + at);
        if (length < 130 || at + length + 4 > bytes.size() || !layer3FrameLength(b + at + length))
            continue;
        for (std::size_t i = at + 20; i < at + 120; ++i) bytes[i] = '\xFF';
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        return at;
    }
    throw std::runtime_error("no MPEG audio frame to damage in " + file.string());
}

void writeWav(const std::filesystem::path& file, int channels, int sampleRate,
              std::uint32_t channelMask, int frames,
              const std::function<std::int16_t(int, int)>& sample) {
    const auto dataBytes = static_cast<std::uint32_t>(frames * channels * 2);
    const std::uint32_t formatBytes = channelMask ? 40 : 16;
    std::string out = "RIFF";
    put(out, 4 + 8 + formatBytes + 8 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, formatBytes, 4);
    put(out, channelMask ? 0xFFFE : 1, 2);
    put(out, static_cast<std::uint32_t>(channels), 2);
    put(out, static_cast<std::uint32_t>(sampleRate), 4);
    put(out, static_cast<std::uint32_t>(sampleRate * channels * 2), 4);
    put(out, static_cast<std::uint32_t>(channels * 2), 2);
    put(out, 16, 2);
    if (channelMask) {
        put(out, 22, 2);
        put(out, 16, 2);
        put(out, channelMask, 4);
        out += std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
    }
    out += "data";
    put(out, dataBytes, 4);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) put(out, static_cast<std::uint16_t>(sample(i, c)), 2);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << out;
}

}  // namespace orvane::testing
