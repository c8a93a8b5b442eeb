// The photo import of 24 photos of 4000 × 3000 (two thirds landscape, one
// third portrait, made here as camera-like JPEGs of quality 90) into
// full-screen and sized slots: measuring, thumbnails and staging. Reported
// per photo with the peak memory of the run, and against vipsthumbnail
// making 150-pixel thumbnails of the same photos in the same run.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <cstdint>
#include <fstream>
#include <iostream>

#include "base/working_folder.h"
#include "package_writer.h"
#include "photos/jpeg_writer.h"
#include "photos/photo_import.h"
#include "templates/catalogue.h"

namespace {

using namespace orvane;

constexpr int kPhotos = 24;

// A smooth scene with fine grain, so that the JPEG has a camera-like size.
QImage scene(int width, int height, std::uint32_t seed) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int grain = static_cast<int>(state >> 28) - 8;
            const int r = (x * 255 / width + grain + static_cast<int>(seed * 40)) & 255;
            const int g = (y * 255 / height + grain) & 255;
            const int b = ((x + y) * 127 / (width + height) + 64 + grain) & 255;
            row[x] = qRgb(r, g, b);
        }
    }
    return image;
}

std::string param(const char* w, const char* h, const char* orientation) {
    return std::string(
               "[l_x_w_j_s_y]\r\nl_x_w_j_s_y=s_y_l_x\r\n[1]\r\nmblx=single\r\nmbfl=bench\r\n"
               "xpsl=1\r\nxpkd=") +
           w + "\r\nxpgd=" + h + "\r\nszhz=" + orientation +
           "\r\nxpjpgmc=|picture_1|\r\nmbdx=250\r\n";
}

void addTemplate(const WorkingFolder& folder, const std::string& name, const std::string& ini) {
    fs::create_directories(folder.parameterStore());
    fs::create_directories(folder.movieStore());
    packing::writePackage(folder.parameterStore() / (name + ".rar"),
                          packing::Bytes(ini.begin(), ini.end()));
    const std::string movie = "FWS movie of " + name;
    packing::writePackage(folder.movieStore() / (name + ".rar"),
                          packing::Bytes(movie.begin(), movie.end()));
}

long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

struct Fixture {
    fs::path root = fs::temp_directory_path() / "orvane-bench-photo-import";
    WorkingFolder folder{root};
    QStringList files;
    ProjectModel model;  // with the catalogue built

    Fixture() {
        fs::remove_all(root);
        addTemplate(folder, "a_full_h", param("|0|", "|0|", "|heng|"));
        addTemplate(folder, "b_sized_h", param("|1200|", "|900|", "|heng|"));
        addTemplate(folder, "c_full_s", param("|0|", "|0|", "|shu|"));
        addTemplate(folder, "d_sized_s", param("|675|", "|900|", "|shu|"));
        fs::create_directories(folder.endingPackage().parent_path());
        packing::writePackage(folder.endingPackage(), packing::Bytes{'F', 'W', 'S'});
        NullProgress progress;
        (void)buildCatalogue(model, folder, progress);
        model.random.reseed(1);

        const fs::path photos = root / "photos";
        fs::create_directories(photos);
        std::uintmax_t bytes = 0;
        for (int i = 0; i < kPhotos; ++i) {
            const bool portrait = i % 3 == 2;
            const fs::path file = photos / ("photo_" + std::to_string(i + 1) + ".jpg");
            const QImage picture = portrait ? scene(3000, 4000, std::uint32_t(i))
                                            : scene(4000, 3000, std::uint32_t(i));
            if (!saveJpeg(picture, file)) throw std::runtime_error("cannot write " + file.string());
            bytes += fs::file_size(file);
            files << toQString(file);
        }
        std::cerr << "photos: " << kPhotos << " of 4000 x 3000, " << bytes / kPhotos / 1024
                  << " KB each\n";
    }
    ~Fixture() { fs::remove_all(root); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// Seconds vipsthumbnail takes for 150-pixel thumbnails of the photos, or -1.
double vipsThumbnailSeconds(const Fixture& f) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (program.isEmpty()) return -1;
    const fs::path out = f.root / "vips";
    fs::create_directories(out);
    QStringList args{QStringLiteral("-s"), QStringLiteral("150"), QStringLiteral("-o"),
                     toQString(out / "%s.jpg")};
    args += f.files;
    QElapsedTimer timer;
    timer.start();
    QProcess vips;
    vips.start(program, args);
    if (!vips.waitForFinished(600000) || vips.exitCode() != 0) return -1;
    return timer.nsecsElapsed() / 1e9;
}

void BM_PhotoImport(benchmark::State& state) {
    Fixture& f = fixture();
    double importSeconds = 0, vipsSeconds = 0;
    long peakKb = 0;
    for (auto _ : state) {
        ProjectModel model = f.model;
        f.folder.cleanAtStart();
        NullProgress progress;
        std::ofstream("/proc/self/clear_refs") << "5";  // peak memory from here on
        QElapsedTimer timer;
        timer.start();
        auto report = importPhotos(model, f.folder, f.files, progress);
        const double seconds = timer.nsecsElapsed() / 1e9;
        peakKb = std::max(peakKb, peakResidentKb());
        if (!report) {
            state.SkipWithError(report.error().message.toStdString().c_str());
            return;
        }
        state.SetIterationTime(seconds);
        importSeconds += seconds;
        vipsSeconds += vipsThumbnailSeconds(f);
    }
    const double n = static_cast<double>(state.iterations()) * kPhotos;
    state.counters["ms_per_photo"] = importSeconds * 1000 / n;
    state.counters["peak_MB"] = peakKb / 1024.0;
    if (vipsSeconds > 0) {
        state.counters["vips_ms_per_photo"] = vipsSeconds * 1000 / n;
        state.counters["ratio_to_vips"] = importSeconds / vipsSeconds;
    } else {
        std::cerr << "vipsthumbnail is not available (Debian package libvips-tools): no ratio\n";
    }
}
BENCHMARK(BM_PhotoImport)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
