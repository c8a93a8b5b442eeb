#pragma once
// Makes template packages: the payload wrapped in nested zlib layers, each
// layer a 4-byte little-endian length followed by a zlib stream. Used by the
// template compiler, the tests and the benchmarks; the program only reads.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace orvane::packing {

using Bytes = std::vector<std::uint8_t>;

// One layer around `content`. `announced` < 0 writes the true length; tests
// pass other values to make damaged layers.
Bytes wrapLayer(const Bytes& content, int level = 6, std::int64_t announced = -1);

// `layers` layers around the payload (23 for a real package). An empty
// payload stays empty, as the format passes empty files through.
Bytes makePackage(const Bytes& payload, int layers = 23);

// Writes a package file; returns false when the file cannot be written.
bool writePackage(const std::filesystem::path& path, const Bytes& payload, int layers = 23);

}  // namespace orvane::packing
