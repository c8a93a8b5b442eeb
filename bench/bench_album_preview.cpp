// Album preview seeking: a 24-photo album made from the shipped template
// store (the build tree's smxcwjj, as bench/album.sh uses it) at 1280 × 720,
// with an LRC lyric, a karaoke line and two moving texts, previewed at
// 960 × 540.
//
//   seek:  random album frames, one after the other (the player is reused
//          when the next one lies forward in the same template);
//   step:  the same frames, each painted by stepping and painting every frame
//          from its template's first frame (what a preview without seeking
//          does), in the same run;
//   next:  the frame right after a random one.
//
// Each reports the median and the 95th percentile per frame (counters in
// ms). Before them, the time to plan the whole album once (every transition
// picture made) is printed: a fresh preview pays it on its first far seek.
//
// Usage: bench_album_preview [--store DIR] [--photos DIR] [--seeks N]
//        [Google Benchmark flags]

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QTransform>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/fonts.h"
#include "base/progress.h"
#include "effects/text_effect.h"
#include "photos/jpeg_writer.h"
#include "photos/photo_import.h"
#include "render/album/album_preview.h"
#include "templates/catalogue.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const QSize kPreviewSize(960, 540);
int seekCount = 150;
// The bundled sample photos, beside this file's folder.
const fs::path kSamplePhotos = fs::path(__FILE__).parent_path().parent_path() / "assets" / "photos";

struct Fixture {
    fs::path dir;
    std::unique_ptr<orvane::WorkingFolder> folder;
    orvane::ProjectModel model;
    std::unique_ptr<orvane::AlbumPreview> preview;
    std::vector<int> frames;  // the random frames, the same for every run

    Fixture(const fs::path& store, const fs::path& photoFolder) {
        dir = fs::temp_directory_path() / ("bench_album_preview_" + std::to_string(::getpid()));
        fs::create_directories(dir / "photos");
        fs::copy(store, dir / "smxcwjj", fs::copy_options::recursive);
        folder = std::make_unique<orvane::WorkingFolder>(dir);

        // 24 photos: the 12 samples and their mirror images, at 2000 × 1250.
        QStringList photos;
        int i = 0;
        for (const auto& entry : fs::directory_iterator(photoFolder)) {
            if (entry.path().extension() != ".jpg") continue;
            const QImage photo(QString::fromStdString(entry.path().string()));
            for (bool mirrored : {false, true}) {
                const fs::path file = dir / "photos" / (std::to_string(++i) + ".jpg");
                (void)orvane::saveJpeg(mirrored ? photo.mirrored(true, false) : photo, file);
                photos << QString::fromStdString(file.string());
            }
        }
        photos.sort();
        model.random.reseed(7);
        orvane::NullProgress progress;
        orvane::buildCatalogue(model, *folder, progress);
        folder->removeTree(folder->parameterUnpackFolder());
        folder->cleanAtStart();
        auto imported = orvane::importPhotos(model, *folder, photos, progress);
        if (!imported) std::fprintf(stderr, "import: %s\n", qPrintable(imported.error().message));

        // Overlays as a made album carries them.
        std::ofstream lrc(dir / "song.lrc");
        for (int s = 1; s < 180; s += 2)
            lrc << "[0" << s / 60 << ":" << (s % 60 < 10 ? "0" : "") << s % 60 << ".00]第" << s
                << "句歌词在这里显示\n";
        lrc.close();
        std::ofstream ksc(dir / "song.ksc");
        for (int s = 2; s < 178; s += 3) {
            char line[200];
            std::snprintf(line, sizeof line,
                          "karaoke.add('%02d:%02d.000', '%02d:%02d.800', '卡拉OK歌词第%d句', "
                          "'300,300,300,300,300,300,300,300');\n",
                          s / 60, s % 60, (s + 2) / 60, (s + 2) % 60, s);
            ksc << line;
        }
        ksc.close();
        orvane::MusicEntry song;
        song.frameCount = 4500;
        song.boundLyric = "k";
        model.music.append(song);
        orvane::LyricEntry lyric;
        lyric.location = QString::fromStdString((dir / "song.lrc").string());
        lyric.boundMusic = "k";
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
            model.textEffects.append(orvane::makeTextEffect(choice).value());
        }
        model.settings.outputWidth = 1280;
        model.settings.outputHeight = 720;
        model.settings.syncMode = orvane::SyncMode::Photos;

        preview = std::make_unique<orvane::AlbumPreview>(model, *folder);
        std::mt19937 random(42);
        std::uniform_int_distribution<int> pick(1, preview->frameCount() - 2);
        for (int k = 0; k < seekCount; ++k) frames.push_back(pick(random));
    }
    ~Fixture() {
        preview.reset();
        fs::remove_all(dir);
    }
};

Fixture* fixture = nullptr;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(benchmark::State& state, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    if (times.empty()) return;
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p95_ms"] = times[std::min(times.size() - 1, times.size() * 95 / 100)];
    state.counters["max_ms"] = times.back();
}

// One random frame per iteration, each right after the one before.
void seek(benchmark::State& state) {
    QImage frame(kPreviewSize, QImage::Format_RGB32);
    std::vector<double> times;
    std::size_t k = 0;
    for (auto _ : state) {
        const int n = fixture->frames[k++ % fixture->frames.size()];
        const auto start = Clock::now();
        if (!fixture->preview->paintFrame(n, frame)) state.SkipWithError("frame failed");
        const auto took = Clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        times.push_back(ms(took));
    }
    report(state, std::move(times));
}

// The same frames, stepped and painted from the first frame of their template.
void step(benchmark::State& state) {
    QImage frame(kPreviewSize, QImage::Format_RGB32);
    std::vector<double> times;
    std::size_t k = 0;
    for (auto _ : state) {
        const int n = fixture->frames[k++ % fixture->frames.size()];
        const int first = std::max(1, fixture->preview->place(n)->firstFrame);
        fixture->preview->dropPlayer();
        const auto start = Clock::now();
        for (int f = first; f <= n; ++f)
            if (!fixture->preview->paintFrame(f, frame)) state.SkipWithError("frame failed");
        const auto took = Clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        times.push_back(ms(took));
    }
    report(state, std::move(times));
}

// The frame after a random one.
void next(benchmark::State& state) {
    QImage frame(kPreviewSize, QImage::Format_RGB32);
    std::vector<double> times;
    std::size_t k = 0;
    for (auto _ : state) {
        const int n = fixture->frames[k++ % fixture->frames.size()];
        state.PauseTiming();
        (void)fixture->preview->paintFrame(n, frame);
        state.ResumeTiming();
        const auto start = Clock::now();
        if (!fixture->preview->paintFrame(n + 1, frame)) state.SkipWithError("frame failed");
        const auto took = Clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        times.push_back(ms(took));
    }
    report(state, std::move(times));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    orvane::installFontSubstitutions();
    fs::path store =
        fs::path(QCoreApplication::applicationDirPath().toStdString()).parent_path() / "smxcwjj";
    fs::path photos = kSamplePhotos;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--store" && i + 1 < argc)
            store = argv[++i];
        else if (arg == "--photos" && i + 1 < argc)
            photos = argv[++i];
        else if (arg == "--seeks" && i + 1 < argc)
            seekCount = std::max(10, std::atoi(argv[++i]));
        else
            rest.push_back(argv[i]);
    }
    if (!fs::is_directory(store / "wj_0_or_2")) {
        std::fprintf(stderr, "no template store at %s (build the template_store target)\n",
                     store.c_str());
        return 1;
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());

    Fixture f(store, photos);
    fixture = &f;
    std::printf("album: %d photos, %d frames at 1280x720, preview at %dx%d\n",
                int(f.model.photos.size()), f.preview->frameCount(), kPreviewSize.width(),
                kPreviewSize.height());
    const auto start = Clock::now();
    auto last = f.preview->place(f.preview->frameCount() - 1);
    std::printf("planning the whole album once (every transition picture): %.0f ms%s\n",
                ms(Clock::now() - start), last ? "" : " (failed)");
    for (const QString& message : f.preview->messages()) std::printf("  %s\n", qPrintable(message));

    const auto iterations = static_cast<benchmark::IterationCount>(seekCount);
    benchmark::RegisterBenchmark("seek_960x540", seek)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("step_from_template_start_960x540", step)
        ->Iterations(std::max<benchmark::IterationCount>(10, iterations / 5))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("next_frame_960x540", next)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
