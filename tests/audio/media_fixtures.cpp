#include "media_fixtures.h"

#include <cstdlib>
#include <stdexcept>

namespace orvane::testing {

void makeMp3(const std::filesystem::path& file, const Mp3Spec& spec) {
    std::filesystem::create_directories(file.parent_path());
    const std::string command =
        "ffmpeg -nostdin -v error -y -f lavfi -i 'sine=frequency=440:sample_rate=" +
        std::to_string(spec.sampleRate) + ":duration=" + std::to_string(spec.seconds) + "' -ac " +
        std::to_string(spec.channels) + " -c:a libmp3lame " +
        (spec.vbr ? std::string("-q:a 5") : std::string("-b:a 64k")) +
        (spec.xingHeader ? "" : " -write_xing 0") + " '" + file.string() + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("ffmpeg could not make " + file.string());
}

void truncateFile(const std::filesystem::path& file, std::uintmax_t bytes) {
    std::filesystem::resize_file(file, bytes);
}

}  // namespace orvane::testing
