// The whole-album preview window playing the sample album (the 12 sample
// photos, 甜蜜蜜 with its LRC and karaoke lyrics, two moving texts; made at
// 1280 × 720, shown at 960 × 540) in real time, as a user watches it: frames
// shown per second and frames dropped, against the album's 25 frames per
// second. The sound goes to a silent output that keeps time like a sound
// card, so the figure does not depend on the machine's audio.
//
// Usage: bench_preview_window [--seconds N] [--root BUILD]   (other flags
// are ignored, so bench/run can pass its own)

#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "audio/media_panes.h"
#include "base/fonts.h"
#include "effects/text_effect.h"
#include "gui/album/album_preview_window.h"
#include "gui/shell/skin.h"
#include "session/media_files.h"
#include "session/session.h"

namespace fs = std::filesystem;
using namespace orvane;

namespace {

const fs::path kSource = ORVANE_SOURCE_DIR;

int stopWith(const QString& message) {
    std::fprintf(stderr, "bench_preview_window: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    int seconds = 30;
    fs::path build = fs::path(argv[0]).parent_path().parent_path();
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seconds")
            seconds = std::atoi(argv[++i]);
        else if (std::string(argv[i]) == "--root")
            build = argv[++i];
    }

    // A working folder of its own with a copy of the built template store.
    const fs::path root =
        fs::temp_directory_path() / ("bench_preview_" + std::to_string(::getpid()));
    fs::create_directories(root / "smxcwjj");
    for (const char* store : {"wj_0_or_1", "wj_0_or_2"})
        fs::copy(build / "smxcwjj" / store, root / "smxcwjj" / store, fs::copy_options::recursive);
    struct Cleanup {
        fs::path dir;
        ~Cleanup() { fs::remove_all(dir); }
    } cleanup{root};

    SessionOptions options;
    options.root = root;
    NullProgress progress;
    auto session = Session::open(options, progress);
    if (!session) return stopWith(session.error().message);
    QStringList files;
    for (const auto& entry : fs::directory_iterator(kSource / "assets" / "photos"))
        files << QString::fromStdString(entry.path().string());
    files.sort();
    for (const char* song : {"甜蜜蜜.mp3", "甜蜜蜜.lrc", "甜蜜蜜.ksc"})
        files << QString::fromStdString((kSource / "assets" / "yinyuegeci" / song).string());
    MediaPanes panes;
    auto added = (*session)->apply(
        [&](ProjectModel& model, const WorkingFolder& folder, Progress& p) -> Result<void> {
            auto report = addMediaFiles(model, folder, panes, files, p);
            if (!report) return std::unexpected(report.error());
            model.settings.outputWidth = 1280;
            model.settings.outputHeight = 720;
            for (const auto& [text, start, motion] :
                 {std::tuple{"甜蜜时光 · 相册回忆", "00:03", "congzuoxiangyou"},
                  std::tuple{"Orvane 示例相册", "00:40", "congyouxiangzuo"}}) {
                TextEffectChoice choice;
                choice.text = QString::fromUtf8(text);
                choice.startTime = QString::fromLatin1(start);
                choice.motionKey = QString::fromLatin1(motion);
                choice.fontSize = "20";
                model.textEffects.append(makeTextEffect(choice).value());
            }
            return {};
        },
        progress);
    if (!added) return stopWith(added.error().message);

    const Skin skin(1.0);
    AlbumPreviewWindow window(**session, skin,
                              [] { return std::make_unique<SilentAudioOutput>(); });
    QString why;
    if (!window.prepare(&why)) return stopWith(why);
    window.show();
    const int frames = std::min(window.frameCount(), seconds * 25);
    const auto cpuSeconds = [] {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
               (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    window.play();
    QEventLoop loop;
    QTimer end;
    QObject::connect(&end, &QTimer::timeout, &loop, [&] {
        if (!window.isPlaying() || clock.elapsed() >= frames * 40) loop.quit();
    });
    end.start(50);
    loop.exec();
    const double elapsed = clock.elapsed() / 1000.0;
    const int shown = window.framesShown() - 1;  // the first frame came before play()
    const int due = static_cast<int>(elapsed * 25);
    std::printf("album preview window, sample album at 960 x 540, %.1f s played\n", elapsed);
    std::printf("  frames due at 25 fps: %d\n", due);
    std::printf("  frames shown:         %d (%.1f per second)\n", shown, shown / elapsed);
    std::printf("  frames dropped:       %d (%.1f%%)\n", window.framesDropped(),
                due > 0 ? 100.0 * window.framesDropped() / due : 0.0);
    std::printf("  ratio shown / due:    %.3f\n", due > 0 ? double(shown) / due : 0.0);
    std::printf("  CPU used:             %.2f of one core\n", (cpuSeconds() - cpuBefore) / elapsed);
    return 0;
}
