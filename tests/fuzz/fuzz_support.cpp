#include "fuzz_support.h"

#include <unistd.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/fonts.h"

namespace orvane::fuzz {

namespace {
std::filesystem::path processFolder() {
    static const std::filesystem::path folder = [] {
        auto p =
            std::filesystem::temp_directory_path() / ("orvane_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}
}  // namespace

std::filesystem::path writeScratchFile(const std::uint8_t* data, std::size_t size,
                                       const char* extension) {
    const auto path = processFolder() / (std::string("input") + extension);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();  // the fuzzer cannot go on without its scratch file
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

std::filesystem::path freshScratchFolder() {
    const auto path = processFolder() / "folder";
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    std::filesystem::create_directories(path);
    return path;
}

void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvane_fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // lives as long as the process
    installFontSubstitutions();
}

}  // namespace orvane::fuzz
