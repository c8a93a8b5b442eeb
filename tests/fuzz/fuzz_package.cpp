// Template package unpacking: the input is a package file; every layer is
// inflated with the size and ratio bounds, the payload written only whole.

#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "templates/package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto package = orvane::fuzz::writeScratchFile(data, size, ".rar");
    const auto folder = orvane::fuzz::freshScratchFolder();
    (void)orvane::unpackPackage(
        package, [&](int n) { return folder / ("layer_" + std::to_string(n)); },
        folder / "payload");
    return 0;
}
