// Unpacking template packages: the 23-layer unpack of a 5 MB movie package
// against the same 23 inflations done in memory by zlib alone, and building
// the catalogue of a 200-template store.

#include <zlib.h>

#include <QString>
#include <cstdio>
#include <random>

#include "base/working_folder.h"
#include "package_writer.h"
#include "ratio_reporter.h"
#include "templates/catalogue.h"
#include "templates/package.h"

namespace {

namespace fs = std::filesystem;
using orvane::Bytes;

struct Scratch {
    fs::path root;
    Scratch() {
        root = fs::temp_directory_path() / ("orvane-bench-" + std::to_string(::getpid()));
        fs::create_directories(root);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Scratch& scratch() {
    static Scratch s;
    return s;
}

// A movie is mostly JPEG data already compressed: random bytes stand for it,
// with some repetitive shape data.
Bytes moviePayload(std::size_t size) {
    Bytes bytes(size);
    std::mt19937 rng(42);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = i % 8 < 6 ? static_cast<std::uint8_t>(rng()) : static_cast<std::uint8_t>(i);
    return bytes;
}

const Bytes& moviePackage() {
    static const Bytes package = orvane::packing::makePackage(moviePayload(5 * 1024 * 1024));
    return package;
}

void BM_UnpackMoviePackage(benchmark::State& state) {
    const fs::path folder = scratch().root / "unpack";
    fs::create_directories(folder);
    const fs::path source = folder / "movie.rar";
    {
        FILE* f = std::fopen(source.c_str(), "wb");
        std::fwrite(moviePackage().data(), 1, moviePackage().size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        auto ok = orvane::unpackPackage(
            source, [&](int n) { return folder / ("wj_1_jy1-" + std::to_string(n) + ".rar"); },
            folder / "w_j_1.rar");
        if (!ok) state.SkipWithError(ok.error().message.toStdString().c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(moviePackage().size()));
}
BENCHMARK(BM_UnpackMoviePackage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_InflateInMemoryZlibOnly(benchmark::State& state) {
    for (auto _ : state) {
        Bytes data = moviePackage();
        for (int layer = 0; layer < orvane::kPackageLayers; ++layer) {
            const std::uint32_t n =
                data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
            Bytes out(n);
            uLongf outLength = n;
            if (uncompress(out.data(), &outLength, data.data() + 4, data.size() - 4) != Z_OK) {
                state.SkipWithError("zlib failed");
                break;
            }
            data = std::move(out);
        }
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(moviePackage().size()));
}
BENCHMARK(BM_InflateInMemoryZlibOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_BuildCatalogue200(benchmark::State& state) {
    const orvane::WorkingFolder folder(scratch().root / "store");
    fs::create_directories(folder.parameterStore());
    fs::create_directories(folder.movieStore());
    const char* orientations[] = {"|heng|", "|shu|", "|shuheng|", "|heng|heng|", "|heng|shu|"};
    for (int i = 0; i < 200; ++i) {
        const std::string ini =
            "[l_x_w_j_s_y]\r\nl_x_w_j_s_y=s_y_l_x\r\n[1]\r\nmblx=t\r\nmbfl=c\r\n"
            "xpsl=1\r\nxpkd=|800|\r\nxpgd=|600|\r\nszhz=" +
            std::string(orientations[i % 5]) + "\r\nxpjpgmc=|picture_1|\r\nmbdx=250\r\n";
        char name[32];
        std::snprintf(name, sizeof name, "t%03d.rar", i);
        orvane::packing::writePackage(folder.parameterStore() / name,
                                      Bytes(ini.begin(), ini.end()));
        orvane::packing::writePackage(folder.movieStore() / name, Bytes{'F', 'W', 'S'});
    }
    for (auto _ : state) {
        orvane::ProjectModel model;
        orvane::NullProgress progress;
        auto report = orvane::buildCatalogue(model, folder, progress).value();
        if (model.catalogue.size() != 200) state.SkipWithError("catalogue incomplete");
    }
    state.counters["ms_per_template"] = benchmark::Counter(
        200.0 * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["ms_per_template"] = benchmark::Counter(
        state.iterations() * 200.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BuildCatalogue200)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    orvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double unpack = reporter.seconds("BM_UnpackMoviePackage/min_time:1.000");
    const double memory = reporter.seconds("BM_InflateInMemoryZlibOnly/min_time:1.000");
    const double catalogue = reporter.seconds("BM_BuildCatalogue200/min_time:1.000");
    if (unpack > 0 && memory > 0)
        std::printf("unpack 5 MB package / in-memory zlib: %.2f (target under 1.5)\n",
                    unpack / memory);
    if (catalogue > 0)
        std::printf("catalogue build: %.3f ms per template\n", catalogue * 1000.0 / 200.0);
    benchmark::Shutdown();
    return 0;
}
