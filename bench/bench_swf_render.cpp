// Template rendering against FFmpeg's MPEG-2 encoder.
//
// Plays the shipped template store (the build tree's
// smxcwjj/wj_0_or_2/wjj_01, staged with generated photo-like pictures of the
// slot sizes the parameter packages give) with FlashPlayer and measures the
// frames per second of showing and painting frames into a reused image at
// 1280 x 720 and 1920 x 1080 (median over the templates). In the same run,
// libavcodec's mpeg2video encoder (one thread, like the renderer) encodes
// every rendered frame (as raw YUV 4:2:0, converted outside the timing) right
// after it was rendered. Both run on one thread and are timed in that
// thread's CPU time, so other processes on a shared machine do not skew the ratio. The album render
// needs the player to be at least twice as fast as that encoder. Last, the peak resident memory of
// a child process that renders one template at 1920 x 1080 from start to end.
//
// Usage: bench_swf_render [--frames-per-template N] [--store DIR]
// (Google Benchmark flags that scripts/bench passes are ignored.)

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <sys/resource.h>
#include <time.h>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/working_folder.h"
#include "render/swf/flash_player.h"
#include "templates/ini_file.h"
#include "templates/package.h"

namespace fs = std::filesystem;
namespace {

// CPU seconds of the calling thread: the machines are shared, and this
// counts only the work itself for both the player and the encoder.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct Template {
    std::string name;
    fs::path movie;  // staged SWF
};

// A photo-like picture: soft gradients, shapes and grain, saved as JPEG.
void writePicture(const fs::path& path, int w, int h, int seed) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    std::mt19937 random{std::uint32_t(seed)};
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor::fromHsv(int(random() % 360), 120, 230));
    g.setColorAt(1, QColor::fromHsv(int(random() % 360), 180, 90));
    p.fillRect(image.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor::fromHsv(int(random() % 360), 150, 200, 90));
        p.setPen(Qt::NoPen);
        const int r = int(random() % std::uint32_t(std::max(8, h / 4)));
        p.drawEllipse(QPoint(int(random() % std::uint32_t(w)), int(random() % std::uint32_t(h))), r,
                      r);
    }
    p.end();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int n = int(random() % 17) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    image.save(QString::fromStdString(path.string()), "JPEG", 90);
}

std::optional<orvane::Bytes> unpack(const fs::path& package, const fs::path& scratch) {
    const fs::path payload = scratch / "payload";
    auto ok = orvane::unpackPackage(
        package, [&](int n) { return scratch / ("layer-" + std::to_string(n)); }, payload);
    if (!ok) return std::nullopt;
    auto bytes = orvane::readWholeFile(payload);
    if (!bytes) return std::nullopt;
    return *bytes;
}

// Unpacks every movie of the store into an instance folder with its pictures.
std::vector<Template> stageStore(const fs::path& store, const fs::path& work) {
    std::vector<Template> templates;
    std::vector<fs::path> packages;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(store / "wj_0_or_2" / "wjj_01", ec))
        if (entry.path().extension() == ".rar") packages.push_back(entry.path());
    std::sort(packages.begin(), packages.end());
    fs::create_directories(work / "tp_wjj" / "pic");
    writePicture(work / "tp_wjj" / "pic" / "picture_0.rar", 1920, 1080, 0);
    int index = 0;
    for (const fs::path& package : packages) {
        ++index;
        const fs::path folder = work / "tp_wjj" / "tp_wjj" / ("tp_wjj_" + std::to_string(index));
        fs::create_directories(folder);
        auto movie = unpack(package, work);
        if (!movie) continue;
        orvane::writeWholeFile(folder / ("w_j_" + std::to_string(index) + ".rar"), *movie);
        std::vector<std::pair<int, int>> slotSizes;
        if (auto ini = unpack(store / "wj_0_or_2" / "wjj_02" / package.filename(), work)) {
            const auto file = orvane::IniFile::fromBytes(
                QByteArray(reinterpret_cast<const char*>(ini->data()), qsizetype(ini->size())));
            const QStringList w = file.value("1", "xpkd").split('|', Qt::SkipEmptyParts);
            const QStringList h = file.value("1", "xpgd").split('|', Qt::SkipEmptyParts);
            for (qsizetype i = 0; i < std::min(w.size(), h.size()); ++i)
                slotSizes.emplace_back(w[i].toInt(), h[i].toInt());
        }
        for (std::size_t k = 0; k < slotSizes.size(); ++k) {
            auto [w, h] = slotSizes[k];
            if (w <= 0 || h <= 0) w = 1920, h = 1080;
            writePicture(folder / ("picture_" + std::to_string(k + 1) + ".rar"), w, h, int(k + 1));
        }
        templates.push_back(
            {package.stem().string(), folder / ("w_j_" + std::to_string(index) + ".rar")});
    }
    return templates;
}

// libavcodec's mpeg2video on one thread; frames are converted to YUV 4:2:0
// outside the timing, only sending frames and receiving packets is timed.
class Mpeg2Encoder {
   public:
    explicit Mpeg2Encoder(QSize size) : m_size(size) {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG2VIDEO);
        if (!codec) return;
        m_context = avcodec_alloc_context3(codec);
        m_context->width = size.width();
        m_context->height = size.height();
        m_context->time_base = AVRational{1, 25};
        m_context->framerate = AVRational{25, 1};
        m_context->pix_fmt = AV_PIX_FMT_YUV420P;
        m_context->bit_rate = size.width() >= 1920 ? 15'000'000 : 8'000'000;
        m_context->rc_max_rate = m_context->bit_rate * 2;
        m_context->rc_buffer_size = int(m_context->bit_rate);
        m_context->gop_size = 15;
        m_context->max_b_frames = 2;
        m_context->thread_count = 1;
        if (avcodec_open2(m_context, codec, nullptr) < 0) return;
        m_frame = av_frame_alloc();
        m_frame->format = AV_PIX_FMT_YUV420P;
        m_frame->width = size.width();
        m_frame->height = size.height();
        av_frame_get_buffer(m_frame, 0);
        m_packet = av_packet_alloc();
        m_sws = sws_getContext(size.width(), size.height(), AV_PIX_FMT_BGRA, size.width(),
                               size.height(), AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr,
                               nullptr);
        m_ok = true;
    }
    ~Mpeg2Encoder() {
        sws_freeContext(m_sws);
        av_packet_free(&m_packet);
        av_frame_free(&m_frame);
        avcodec_free_context(&m_context);
    }
    bool ok() const { return m_ok; }

    void encode(const QImage& image) {
        if (!m_ok) return;
        av_frame_make_writable(m_frame);
        const std::uint8_t* src[1] = {image.constBits()};
        const int stride[1] = {int(image.bytesPerLine())};
        sws_scale(m_sws, src, stride, 0, m_size.height(), m_frame->data, m_frame->linesize);
        m_frame->pts = m_frames++;
        const double start = threadSeconds();
        if (avcodec_send_frame(m_context, m_frame) < 0) m_ok = false;
        drain();
        m_seconds += (threadSeconds() - start);
    }
    // Frames per second over everything encoded, the flush included.
    double finish() {
        if (!m_ok || m_frames == 0) return 0;
        const double start = threadSeconds();
        avcodec_send_frame(m_context, nullptr);
        drain();
        m_seconds += (threadSeconds() - start);
        return m_frames / m_seconds;
    }

   private:
    void drain() {
        while (avcodec_receive_packet(m_context, m_packet) == 0) av_packet_unref(m_packet);
    }
    QSize m_size;
    AVCodecContext* m_context = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    SwsContext* m_sws = nullptr;
    std::int64_t m_frames = 0;
    double m_seconds = 0;
    bool m_ok = false;
};

struct Figures {
    double medianFps = 0;
    double minFps = 0, maxFps = 0;
    int frames = 0;
    double encoderFps = 0;
};

// Renders `perTemplate` frames of every template and encodes each rendered
// frame right after it, so that both see the same load on a shared machine.
Figures measure(const std::vector<Template>& templates, QSize size, int perTemplate) {
    Figures figures;
    std::vector<double> fps;
    QImage image(size, QImage::Format_RGB32);
    Mpeg2Encoder encoder(size);
    for (const Template& t : templates) {
        orvane::FlashPlayer player;
        if (!player.Movie(t.movie)) continue;
        player.SetVariable("xc_alpha", "0");
        const int total = player.TotalFrames().value();
        const int count = std::min(perTemplate, total);
        const int first = std::max(0, total / 3 - count / 2);
        (void)player.FrameNum(first);
        player.paint(image);  // pictures decoded and caches warm, as in the album loop
        double seconds = 0;
        for (int n = first + 1; n <= first + count; ++n) {
            const double start = threadSeconds();
            (void)player.FrameNum(n);
            player.paint(image);
            seconds += (threadSeconds() - start);
            encoder.encode(image);
        }
        fps.push_back(count / seconds);
        figures.frames += count;
        if (std::getenv("BENCH_VERBOSE"))
            std::printf("  %-24s %4dx%-4d %7.1f fps\n", t.name.c_str(), size.width(), size.height(),
                        count / seconds);
    }
    figures.encoderFps = encoder.finish();
    if (fps.empty()) return figures;
    std::vector<double> sorted = fps;
    std::sort(sorted.begin(), sorted.end());
    figures.medianFps = sorted.size() % 2
                            ? sorted[sorted.size() / 2]
                            : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
    figures.minFps = sorted.front();
    figures.maxFps = sorted.back();
    return figures;
}

// Renders every frame of one template at 1920 x 1080 and prints the peak
// resident memory of this process (run as a child: --memory-child MOVIE).
int memoryChild(const fs::path& movie) {
    orvane::FlashPlayer player;
    QImage image(1920, 1080, QImage::Format_RGB32);
    if (!player.Movie(movie)) return 1;
    const int total = player.TotalFrames().value();
    for (int n = 0; n < total; ++n) {
        (void)player.FrameNum(n);
        player.paint(image);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f\n", usage.ru_maxrss / 1024.0);
    return 0;
}

// Peak memory (MB) of a fresh process rendering one template at 1920 x 1080.
double peakMemoryMb(const char* self, const Template& t) {
    const std::string command =
        std::string("'") + self + "' --memory-child '" + t.movie.string() + "'";
    double mb = -1;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        if (std::fscanf(pipe, "%lf", &mb) != 1) mb = -1;
        pclose(pipe);
    }
    return mb;
}

fs::path defaultStore(const char* argv0) {
    // The benchmark runs from <build>/bench; the store is in <build>/smxcwjj.
    std::error_code ec;
    const fs::path self = fs::canonical("/proc/self/exe", ec);
    const fs::path folder = ec ? fs::path(argv0).parent_path() : self.parent_path();
    return folder.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--memory-child") == 0) return memoryChild(argv[2]);
    int perTemplate = 40;
    fs::path root = defaultStore(argv[0]);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--frames-per-template") == 0)
            perTemplate = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--store") == 0) root = argv[i + 1];
    }
    const fs::path store = root / "smxcwjj";
    if (!fs::exists(store / "wj_0_or_2" / "wjj_01")) {
        std::printf("bench_swf_render: no template store in %s (build the target template_store)\n",
                    store.string().c_str());
        return 1;
    }
    QTemporaryDir scratch;
    const auto templates = stageStore(store, fs::path(scratch.path().toStdString()));
    if (templates.empty()) {
        std::printf("bench_swf_render: the store in %s holds no movie\n", store.string().c_str());
        return 1;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("template store: %s, %zu templates, %d frames each from a third of the way in\n",
                store.string().c_str(), templates.size(), perTemplate);
    // Memory first, in a child, before this process holds any frames.
    const double peak = peakMemoryMb(fs::canonical("/proc/self/exe").c_str(), templates.front());

    std::printf("%-10s %12s %12s %12s %14s %8s\n", "size", "render fps", "(min..max)", "frames",
                "mpeg2 fps", "ratio");
    for (QSize size : {QSize(1280, 720), QSize(1920, 1080)}) {
        // QPainter spreads large fills over the global thread pool unless it
        // paints on a thread of that pool: the measurement runs there, so that
        // rendering uses one thread like the encoder.
        Figures r;
        QThreadPool::globalInstance()->start([&] { r = measure(templates, size, perTemplate); });
        QThreadPool::globalInstance()->waitForDone();
        char range[64];
        std::snprintf(range, sizeof range, "%.0f..%.0f", r.minFps, r.maxFps);
        std::printf("%4dx%-5d %12.1f %12s %12d %14.1f %7.2fx\n", size.width(), size.height(),
                    r.medianFps, range, r.frames, r.encoderFps,
                    r.encoderFps > 0 ? r.medianFps / r.encoderFps : 0.0);
    }
    std::printf("peak memory rendering %s at 1920x1080 (whole process): %.1f MB\n",
                templates.front().name.c_str(), peak);
    return 0;
}
