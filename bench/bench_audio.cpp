// Song length and lyric parsing.
//
// Twenty MP3 files (constant and variable bit rate, three sample rates, most
// with the Xing/Info header the encoder writes and a few without) are made
// with the ffmpeg tool from sine samples written here. Their length is
// measured by the media layer and, in the same run, by `ffprobe
// -show_entries format=duration` and by libavformat's own estimate in
// process. Besides the time ratios, the largest difference from the true
// length (the number of samples the files were made from) is printed for
// each. Then a 10 000-line LRC file and a 100-line KSC file are parsed.

#include <benchmark/benchmark.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "audio/ksc_parser.h"
#include "audio/lrc_parser.h"
#include "audio/script_converter.h"
#include "av/audio_decoder.h"
#include "av/song_length.h"
#include "base/fonts.h"
#include "ratio_reporter.h"

namespace fs = std::filesystem;

namespace {

struct Song {
    fs::path file;
    std::int64_t samples;  // the true length
    int sampleRate;
    bool header;
};

fs::path g_folder;
std::vector<Song> g_songs;
fs::path g_lrc;
fs::path g_ksc;

std::string run(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

// The encoder is fed raw samples written here, so the true length of every
// file is an exact number of samples.
void writeSine(const fs::path& file, std::int64_t samples, int rate, double frequency) {
    std::ofstream out(file, std::ios::binary);
    std::vector<std::int16_t> buffer;
    buffer.reserve(static_cast<std::size_t>(samples) * 2);
    for (std::int64_t i = 0; i < samples; ++i) {
        const auto v = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * frequency * i / rate));
        buffer.push_back(v);
        buffer.push_back(v);
    }
    out.write(reinterpret_cast<const char*>(buffer.data()),
              static_cast<std::streamsize>(buffer.size() * sizeof(std::int16_t)));
}

void makeSongs() {
    const int rates[] = {44100, 48000, 22050};
    for (int i = 0; i < 20; ++i) {
        Song s;
        s.sampleRate = rates[i % 3];
        s.samples = static_cast<std::int64_t>(s.sampleRate * (4.0 + i * 1.37));
        s.header = i % 5 != 4;  // 4 files without the Xing/Info frame
        const bool vbr = i % 2 == 1;
        s.file = g_folder / ("song" + std::to_string(i) + ".mp3");
        const fs::path raw = g_folder / "samples.raw";
        writeSine(raw, s.samples, s.sampleRate, 220.0 + 40 * i);
        const std::string command =
            "ffmpeg -nostdin -v error -y -f s16le -ar " + std::to_string(s.sampleRate) +
            " -ac 2 -i '" + raw.string() + "' -c:a libmp3lame " +
            (vbr ? "-q:a " + std::to_string(2 + i % 6) : std::string("-b:a 128k")) +
            (s.header ? "" : " -write_xing 0") + " '" + s.file.string() + "'";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("ffmpeg failed: " + command);
        fs::remove(raw);
        g_songs.push_back(s);
    }
}

void makeLyrics() {
    g_lrc = g_folder / "big.lrc";
    std::ofstream lrc(g_lrc, std::ios::binary);
    lrc << "[ti:Benchmark]\r\n[ar:Orvane]\r\n";
    for (int i = 0; i < 10000 - 2; ++i) {
        char tag[32];
        std::snprintf(tag, sizeof tag, "[%02d:%02d.%02d]", (i / 60) % 100, i % 60, i % 100);
        if (i % 7 == 0)
            lrc << tag << "[" << tag + 1 << "甜蜜蜜你笑得甜蜜蜜 line " << i << "\r\n";
        else
            lrc << tag << "好像花儿开在春风里 line " << i << "\r\n";
    }
    lrc.close();

    g_ksc = g_folder / "big.ksc";
    std::ofstream ksc(g_ksc, std::ios::binary);
    for (int i = 0; i < 100; ++i) {
        char line[512];
        std::snprintf(
            line, sizeof line,
            "karaoke.add('%02d:%02d.100', '%02d:%02d.900', "
            "'在哪里在哪里见过你[hello]你的笑容这样熟悉', "
            "'300,300,300,300,300,300,300,300,300,500,200,200,200,200,200,200,200,200');\r\n",
            i * 3 / 60, i * 3 % 60, (i * 3 + 2) / 60, (i * 3 + 2) % 60);
        ksc << line;
    }
}

void BM_SongLength(benchmark::State& state) {
    for (auto _ : state)
        for (const Song& s : g_songs) {
            auto length = orvane::av::measureSongLength(QString::fromStdString(s.file.string()));
            benchmark::DoNotOptimize(length);
        }
}
BENCHMARK(BM_SongLength)->Unit(benchmark::kMillisecond)->MinTime(0.5);

double ffprobeSeconds(const fs::path& file) {
    return std::atof(
        run("ffprobe -v error -show_entries format=duration -of csv=p=0 '" + file.string() + "'")
            .c_str());
}

void BM_Ffprobe(benchmark::State& state) {
    for (auto _ : state)
        for (const Song& s : g_songs) benchmark::DoNotOptimize(ffprobeSeconds(s.file));
}
BENCHMARK(BM_Ffprobe)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// What ffprobe computes, without starting a process.
double libavformatSeconds(const fs::path& file) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, file.c_str(), nullptr, nullptr) < 0) return 0;
    avformat_find_stream_info(format, nullptr);
    const double seconds = format->duration > 0 ? format->duration / double(AV_TIME_BASE) : 0;
    avformat_close_input(&format);
    return seconds;
}

void BM_LibavformatDuration(benchmark::State& state) {
    for (auto _ : state)
        for (const Song& s : g_songs) benchmark::DoNotOptimize(libavformatSeconds(s.file));
}
BENCHMARK(BM_LibavformatDuration)->Unit(benchmark::kMillisecond)->MinTime(0.5);

void BM_ParseLrc10000(benchmark::State& state) {
    for (auto _ : state) {
        auto tables = orvane::parseLrcFile(QString::fromStdString(g_lrc.string()));
        benchmark::DoNotOptimize(tables);
    }
}
BENCHMARK(BM_ParseLrc10000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

void BM_ParseKsc100(benchmark::State& state) {
    orvane::ScriptConverter converter;
    for (auto _ : state) {
        auto doc = orvane::parseKscFile(QString::fromStdString(g_ksc.string()),
                                        {60, QStringLiteral("fanti")}, converter);
        benchmark::DoNotOptimize(doc);
    }
}
BENCHMARK(BM_ParseKsc100)->Unit(benchmark::kMillisecond)->MinTime(0.5);

struct Accuracy {
    double worstHeader = 0;   // ms, files with the Xing/Info frame
    double worstCounted = 0;  // ms, files without it
};

void printAccuracy() {
    Accuracy ours;
    Accuracy probe;
    Accuracy lavf;
    for (const Song& s : g_songs) {
        const double truthMs = double(s.samples) * 1000.0 / s.sampleRate;
        auto length = orvane::av::measureSongLength(QString::fromStdString(s.file.string()));
        const double oursMs = length ? double(length->samples) * 1000.0 / s.sampleRate : 0;
        const auto note = [&](Accuracy& a, double ms) {
            double& worst = s.header ? a.worstHeader : a.worstCounted;
            worst = std::max(worst, std::abs(ms - truthMs));
        };
        note(ours, oursMs);
        note(probe, ffprobeSeconds(s.file) * 1000.0);
        note(lavf, libavformatSeconds(s.file) * 1000.0);
    }
    std::printf(
        "largest difference from the true length (ms), files with / without the Xing header:\n");
    std::printf("  media layer  %8.3f / %8.3f\n", ours.worstHeader, ours.worstCounted);
    std::printf("  ffprobe      %8.3f / %8.3f\n", probe.worstHeader, probe.worstCounted);
    std::printf("  libavformat  %8.3f / %8.3f\n", lavf.worstHeader, lavf.worstCounted);

    // The decoder trims the encoder delay and padding the header declares; an
    // encoder that declares them wrongly shows up here as a difference from
    // the true length that the media layer shares with every decoder.
    double worstDecoded = 0;
    std::vector<char> buffer(1 << 16);
    for (const Song& s : g_songs) {
        if (!s.header) continue;
        orvane::av::AudioDecoder decoder;
        if (!decoder.open(QString::fromStdString(s.file.string()),
                          {s.sampleRate, AV_SAMPLE_FMT_S16, 2}))
            continue;
        std::int64_t bytes = 0;
        while (true) {
            auto n = decoder.readBytes(buffer.data(), std::int64_t(buffer.size()));
            if (!n || *n == 0) break;
            bytes += *n;
        }
        auto length = orvane::av::measureSongLength(QString::fromStdString(s.file.string()));
        if (length)
            worstDecoded = std::max(worstDecoded, std::abs(double(length->samples - bytes / 4)) *
                                                      1000.0 / s.sampleRate);
    }
    std::printf(
        "largest difference of the media layer from the decoded sample count (header files): %.3f "
        "ms\n",
        worstDecoded);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    orvane::installFontSubstitutions();
    av_log_set_level(AV_LOG_ERROR);
    benchmark::Initialize(&argc, argv);

    g_folder = fs::temp_directory_path() /
               ("orvane-bench-audio-" + std::to_string(std::random_device{}()));
    fs::create_directories(g_folder);
    makeSongs();
    makeLyrics();

    orvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const double ours = reporter.seconds("BM_SongLength/min_time:0.500");
    const double probe = reporter.seconds("BM_Ffprobe/min_time:0.500");
    const double lavf = reporter.seconds("BM_LibavformatDuration/min_time:0.500");
    if (ours > 0 && probe > 0)
        std::printf("length of 20 MP3 files: media layer %.2f ms, ffprobe %.2f ms, ratio %.3f\n",
                    ours * 1e3, probe * 1e3, ours / probe);
    if (ours > 0 && lavf > 0)
        std::printf("  against libavformat's estimate in process (%.2f ms): ratio %.3f\n",
                    lavf * 1e3, ours / lavf);
    if (!g_songs.empty()) printAccuracy();
    const double lrc = reporter.seconds("BM_ParseLrc10000/min_time:0.500");
    const double ksc = reporter.seconds("BM_ParseKsc100/min_time:0.500");
    if (lrc > 0) std::printf("parse 10 000-line LRC: %.2f ms\n", lrc * 1e3);
    if (ksc > 0) std::printf("parse 100-line KSC: %.2f ms\n", ksc * 1e3);

    std::error_code ec;
    fs::remove_all(g_folder, ec);
    benchmark::Shutdown();
    return 0;
}
