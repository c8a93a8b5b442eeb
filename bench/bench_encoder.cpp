// Encoder throughput: 1500 frames of 1280 × 720 (a minute of album) encoded
// as a DVD program stream (MPEG-2 at 8 Mb/s, VBV 9 Mb/s / 224 KiB, GOP 15,
// two B-frames, MP2 48 kHz) through the Mcl… interface with the frames
// painted in memory, and in the same run by the ffmpeg tool with the same
// settings, fed the same raw BGRA frames through a pipe. Both pan across the
// same detailed picture, one copy per frame. Prints frames per second of
// each and the ratio.
//
//   bench_encoder [--frames N] [--keep DIR]   (plus Google Benchmark flags)

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "ratio_reporter.h"
#include "render/mcl/mcl.h"

namespace fs = std::filesystem;
using namespace orvane;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
int g_frames = 1500;
fs::path g_folder;
QImage g_scene;  // larger than a frame; frames pan across it

QImage makeScene() {
    QImage scene(kWidth * 3 / 2, kHeight * 3 / 2, QImage::Format_RGB32);
    QPainter painter(&scene);
    QLinearGradient sky(0, 0, 0, scene.height());
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(240, 200, 150));
    painter.fillRect(scene.rect(), sky);
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        const int x = int(random() % scene.width()), y = int(random() % scene.height());
        const int r = 10 + int(random() % 120);
        QRadialGradient blob(x, y, r);
        blob.setColorAt(0, QColor::fromHsv(int(random() % 360), 200, 230));
        blob.setColorAt(1, QColor::fromHsv(int(random() % 360), 120, 80, 0));
        painter.setBrush(blob);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(x, y), r, r);
    }
    painter.end();
    // Fine grain, as in a photograph.
    for (int y = 0; y < scene.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(scene.scanLine(y));
        for (int x = 0; x < scene.width(); ++x) {
            const int n = int(random() % 17) - 8;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                           std::clamp(qBlue(p) + n, 0, 255));
        }
    }
    return scene;
}

// Frame i: the scene panned diagonally, one pixel step per frame.
void paintFrame(int i, uchar* bits, qsizetype stride) {
    const int dx = i % (g_scene.width() - kWidth);
    const int dy = (i / 2) % (g_scene.height() - kHeight);
    for (int y = 0; y < kHeight; ++y)
        std::memcpy(bits + y * stride, g_scene.constScanLine(y + dy) + dx * 4, kWidth * 4);
}

void BM_MclInterface(benchmark::State& state) {
    const QString output = QString::fromStdString((g_folder / "mcl.mpg").string());
    for (auto _ : state) {
        auto h = MclCreate();
        auto video = MclListCreate();
        MclListAddMemoryFrames(*video, g_frames);
        MclAssignVideoSource(*h, MclListSource(*video));
        MclAssignVideoFunc(*h, [](MclEncoder&, QImage& frame, int index) {
            paintFrame(index, frame.bits(), frame.bytesPerLine());
            return true;
        });
        MclSetFormatPreset(*h, MclFormat::DVD, MclTvSystem::PAL);
        MclVideoSetKeepDuration(*h, true);
        MclAudioSetTruncateToVideo(*h, true);
        MclVideoSetFormat(*h, kWidth, kHeight, 32);
        MclVideoSetBitRate(*h, MclQuality::High);
        MclVideoSetFileName(*h, output);
        MclAudioSetFileName(*h, output);
        if (!MclConvert(*h)) state.SkipWithError(MclGetErrorStr(*h).toStdString().c_str());
    }
    state.counters["fps"] =
        benchmark::Counter(double(g_frames) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_FfmpegTool(benchmark::State& state) {
    const std::string output = (g_folder / "ffmpeg.mpg").string();
    const std::string command =
        "ffmpeg -v error -y -f rawvideo -pix_fmt bgra -s 1280x720 -r 25 -i - "
        "-f lavfi -i anullsrc=r=48000:cl=stereo -shortest "
        "-c:v mpeg2video -pix_fmt yuv420p -b:v 8000k -maxrate 9000k -bufsize 1835008 -g 15 -bf 2 "
        "-threads 0 "
        "-c:a mp2 -b:a 224k -ar 48000 -f dvd '" +
        output + "'";
    std::vector<uchar> frame(size_t(kWidth) * kHeight * 4);
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "w");
        if (!pipe) {
            state.SkipWithError("ffmpeg could not be started");
            break;
        }
        for (int i = 0; i < g_frames; ++i) {
            paintFrame(i, frame.data(), kWidth * 4);
            if (std::fwrite(frame.data(), 1, frame.size(), pipe) != frame.size()) break;
        }
        if (pclose(pipe) != 0) state.SkipWithError("ffmpeg failed");
    }
    state.counters["fps"] =
        benchmark::Counter(double(g_frames) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_FfmpegTool)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_MclInterface)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::string keep;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0) g_frames = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--keep") == 0) keep = argv[i + 1];
    }
    g_folder = keep.empty() ? fs::temp_directory_path() /
                                  ("orvane-bench-encoder-" + std::to_string(getpid()))
                            : fs::path(keep);
    fs::create_directories(g_folder);
    g_scene = makeScene();

    benchmark::Initialize(&argc, argv);
    orvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double tool = reporter.seconds("BM_FfmpegTool/iterations:1/real_time");
    const double ours = reporter.seconds("BM_MclInterface/iterations:1/real_time");
    if (tool > 0 && ours > 0)
        std::printf(
            "\n%d frames 1280x720 DVD: ffmpeg tool %.1f fps, Mcl interface %.1f fps, ratio %.2f "
            "(Mcl rate / ffmpeg rate)\n",
            g_frames, g_frames / tool, g_frames / ours, tool / ours);
    if (keep.empty()) fs::remove_all(g_folder);
    benchmark::Shutdown();
    return 0;
}
