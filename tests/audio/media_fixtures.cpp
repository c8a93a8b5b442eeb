#include "media_fixtures.h"

#include <cstdlib>
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
