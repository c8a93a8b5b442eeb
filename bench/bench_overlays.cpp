// Frame overlays at 1920 × 1080: a frame with two moving texts, an LRC lyric
// line and a karaoke row being swept, painted frame after frame as the album
// does (the lyric line changes every two seconds, the karaoke lines every
// three). In the same run, filling a 1920 × 1080 frame with QImage::fill is
// the reference: the overlays' cost is printed as a multiple of it.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/fonts.h"
#include "effects/text_effect.h"
#include "ratio_reporter.h"
#include "render/overlays/frame_overlays.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSongFrames = 4500;  // a three-minute song
constexpr int kFirstFrame = 25;    // the texts enter at 00:01
constexpr int kLastFrame = 400;    // both texts are still on screen

struct Fixture {
    fs::path dir;
    orvane::ProjectModel model;

    Fixture() {
        dir = fs::temp_directory_path() / ("bench_overlays_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ofstream lrc(dir / "song.lrc");
        for (int s = 1; s < 180; s += 2)
            lrc << "[" << (s / 60 < 10 ? "0" : "") << s / 60 << ":" << (s % 60 < 10 ? "0" : "")
                << s % 60 << ".00]第" << s << "句歌词在这里显示\n";
        std::ofstream ksc(dir / "song.ksc");
        for (int s = 2; s < 178; s += 3) {
            char line[200];
            std::snprintf(line, sizeof line,
                          "karaoke.add('%02d:%02d.000', '%02d:%02d.800', '卡拉OK歌词[line]第%d句', "
                          "'300,300,300,300,300,300,300,300,300');\n",
                          s / 60, s % 60, (s + 2) / 60, (s + 2) % 60, s);
            ksc << line;
        }
        lrc.close();
        ksc.close();

        orvane::MusicEntry song;
        song.frameCount = kSongFrames;
        song.boundLyric = "k";
        model.music.append(song);
        orvane::LyricEntry lyric;
        lyric.location = QString::fromStdString((dir / "song.lrc").string());
        lyric.boundMusic = "k";
        lyric.fontSize = 14;
        lyric.hAlign = orvane::LyricHAlign::Centre;
        lyric.vAlign = orvane::LyricVAlign::Top;
        model.lyrics.append(lyric);
        orvane::KaraokeEntry karaoke;
        karaoke.location = QString::fromStdString((dir / "song.ksc").string());
        model.karaoke.append(karaoke);
        model.settings.lyricKind = orvane::LyricKind::Both;
        for (const auto& [text, motion] : {std::pair{"欢迎观看我们的电子相册", "congzuoxiangyou"},
                                           std::pair{"美好时光 2026", "youshangdaozuoxia"}}) {
            orvane::TextEffectChoice choice;
            choice.text = QString::fromUtf8(text);
            choice.startTime = "00:01";
            choice.motionKey = motion;
            choice.fontSize = "20";
            choice.bold = true;
            model.textEffects.append(orvane::makeTextEffect(choice).value());
        }
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture* fixture = nullptr;

void paintOverlays(benchmark::State& state) {
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(Qt::darkGray);
    std::unique_ptr<orvane::FrameOverlays> overlays;
    int n = kLastFrame;
    for (auto _ : state) {
        if (n >= kLastFrame) {
            state.PauseTiming();
            overlays = std::make_unique<orvane::FrameOverlays>(fixture->model, size);
            n = kFirstFrame;
            overlays->paint(frame, n++);
            state.ResumeTiming();
        }
        overlays->paint(frame, n++);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(paintOverlays)
    ->Name("overlays")
    ->Args({1920, 1080})
    ->Args({1280, 720})
    ->Unit(benchmark::kMillisecond);

void fillFrame(benchmark::State& state) {
    QImage frame(1920, 1080, QImage::Format_RGB32);
    int i = 0;
    for (auto _ : state) {
        frame.fill(QColor::fromRgb(i++ & 0xFF, 40, 80));
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(fillFrame)->Name("fill_1920x1080")->Unit(benchmark::kMillisecond);

void buildOverlays(benchmark::State& state) {
    for (auto _ : state) {
        orvane::FrameOverlays overlays(fixture->model, QSize(1920, 1080));
        benchmark::DoNotOptimize(&overlays);
    }
}
BENCHMARK(buildOverlays)->Name("build_overlays_1920x1080")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    orvane::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    Fixture f;
    fixture = &f;
    orvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double overlays = reporter.seconds("overlays/1920/1080");
    const double fill = reporter.seconds("fill_1920x1080");
    if (overlays > 0 && fill > 0)
        std::printf(
            "overlays at 1920x1080: %.3f ms per frame; QImage::fill of the same frame "
            "%.3f ms; overlays / fill = %.2f\n",
            overlays * 1e3, fill * 1e3, overlays / fill);
    benchmark::Shutdown();
    return 0;
}
