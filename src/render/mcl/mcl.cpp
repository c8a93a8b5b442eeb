// The Mcl… calls that set up an encoder, its lists and its texts; the
// conversion itself is in mcl_conversion.cpp.

#include "render/mcl/mcl.h"

#include <QDir>

#include "av/ffmpeg_handles.h"
#include "av/song_length.h"
#include "render/mcl/mcl_encoder.h"
#include "render/mcl/mcl_list.h"

namespace orvane {

void MclDeleter::operator()(MclEncoder* encoder) const { delete encoder; }
void MclDeleter::operator()(MclList* list) const { delete list; }

MclHandle MclCreate() {
    // FFmpeg's notes (buffer model, clipped coefficients) are not for the
    // album's user; errors reach the caller through MclGetErrorStr. A level
    // the program chose itself is kept.
    if (av_log_get_level() == AV_LOG_INFO) av_log_set_level(AV_LOG_ERROR);
    return MclHandle(new MclEncoder);
}
void MclFree(MclHandle& h) { h.reset(); }

void MclAssignVideoSource(MclEncoder& h, MclSourceFunc source) {
    h.callbacks.videoSource = std::move(source);
}
void MclAssignVideoFunc(MclEncoder& h, MclVideoFunc func) { h.callbacks.video = std::move(func); }
void MclAssignAudioSource(MclEncoder& h, MclSourceFunc source) {
    h.callbacks.audioSource = std::move(source);
}
void MclAssignAudioFunc(MclEncoder& h, MclAudioFunc func) { h.callbacks.audio = std::move(func); }
void MclAssignProgress(MclEncoder& h, MclProgressFunc func) {
    h.callbacks.progress = std::move(func);
}
void MclAssignError(MclEncoder& h, MclErrorFunc func) { h.callbacks.error = std::move(func); }
void MclAssignCallbacks(MclEncoder& h, MclCallbacks callbacks) {
    h.callbacks = std::move(callbacks);
}

MclListHandle MclListCreate() { return MclListHandle(new MclList); }
void MclListFree(MclListHandle& list) { list.reset(); }

void MclListAdd(MclList& list, const QString& path, int kind, int, int) {
    list.entries.push_back({kind == kMclMemoryEntry ? QString() : path, kind});
}

void MclListAddMemoryFrames(MclList& list, int count) {
    list.entries.reserve(list.entries.size() + std::max(count, 0));
    for (int i = 0; i < count; ++i) list.entries.push_back({QString(), kMclMemoryEntry});
}

int MclListSize(const MclList& list) { return int(list.entries.size()); }

std::int64_t MclListGetFrameCount(const MclList& list) {
    std::int64_t frames = 0;
    for (const auto& entry : list.entries)
        if (entry.kind == kMclVideoEntry || entry.kind == kMclMemoryEntry) ++frames;
    return frames;
}

std::int64_t MclListGetSampleCount(const MclList& list) {
    std::int64_t samples = 0;
    for (const auto& entry : list.entries) {
        if (entry.kind != kMclAudioEntry) continue;
        // The same measure as the song's length in the album timeline.
        if (auto length = av::measureSongLength(entry.path)) samples += length->samplesAt(44100);
    }
    return samples;
}

std::optional<QString> MclListGetName(const MclList& list, int index) {
    if (index < 0 || size_t(index) >= list.entries.size()) return std::nullopt;
    return list.entries[size_t(index)].path;
}

MclSourceFunc MclListSource(const MclList& list) {
    return [&list](MclSource& source, int index) {
        if (index < 0 || size_t(index) >= list.entries.size()) return MclSourceFinished(source);
        const auto& entry = list.entries[size_t(index)];
        if (entry.kind == kMclMemoryEntry) return MclSourceSetMemory(source);
        MclSourceSetFile(source, entry.path);
    };
}

void MclSourceSetFile(MclSource& source, const QString& path) {
    source.answer = MclSource::Answer::File;
    source.path = path;
}
void MclSourceSetMemory(MclSource& source) { source.answer = MclSource::Answer::Memory; }
void MclSourceFinished(MclSource& source) { source.answer = MclSource::Answer::Finished; }

void MclSetSettings(MclEncoder& h, const EncoderSettings& settings) { h.settings = settings; }
void MclSetFormatPreset(MclEncoder& h, MclFormat format, MclTvSystem system) {
    h.settings.preset = format;
    h.settings.tvSystem = system;
}
void MclVideoSetTvSystem(MclEncoder& h, MclTvSystem system) { h.settings.tvSystem = system; }
void MclVideoSetKeepDuration(MclEncoder& h, bool keep) { h.settings.keepDuration = keep; }
void MclAudioSetTruncateToVideo(MclEncoder& h, bool truncate) {
    h.settings.truncateAudioToVideo = truncate;
}
void MclVideoSetFormat(MclEncoder& h, int width, int height, int) {
    h.settings.width = width;
    h.settings.height = height;
}
void MclVideoSetBitRate(MclEncoder& h, MclQuality quality) { h.settings.quality = quality; }
void MclVideoSetBitRateKbps(MclEncoder& h, int kbps) { h.settings.explicitKbps = kbps; }
void MclAudioSetCodec(MclEncoder& h, MclAudioCodec codec) { h.settings.audioCodec = codec; }
void MclVideoSetFileName(MclEncoder& h, const QString& path) { h.settings.videoFileName = path; }
void MclAudioSetFileName(MclEncoder& h, const QString& path) { h.settings.audioFileName = path; }

bool MclConvert(MclEncoder& h) { return runConversion(h); }
MclError MclGetError(const MclEncoder& h) { return h.error; }
QString MclGetErrorStr(const MclEncoder& h) { return h.errorText; }
void MclAbort(MclEncoder& h) { h.abortRequested = true; }

std::int64_t MclGetElapsedTime(const MclEncoder& h) {
    if (h.started == std::chrono::steady_clock::time_point{}) return 0;
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 h.started)
        .count();
}

std::int64_t MclGetRemainingTime(const MclEncoder& h, std::int64_t totalFrames, std::int64_t) {
    if (h.framesDone <= 0 || totalFrames <= h.framesDone) return 0;
    return MclGetElapsedTime(h) * (totalFrames - h.framesDone) / h.framesDone;
}

QString MclMakeTimeStr(std::int64_t milliseconds) {
    const std::int64_t seconds = std::max<std::int64_t>(milliseconds, 0) / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString MclProgressLine(const MclEncoder& h, MclStatus status, std::int64_t a, std::int64_t b,
                        int c, std::int64_t totalFrames, std::int64_t totalSamples) {
    switch (status) {
        case MclStatus::ProcessingTime:
            return QStringLiteral("Processing time: ") + MclMakeTimeStr(MclGetElapsedTime(h));
        case MclStatus::Preparing:
            return QStringLiteral("Preparing conversion...");
        case MclStatus::ReducingColors:
            return QStringLiteral("Reducing colors, done frames: ") + QString::number(a);
        case MclStatus::Frame:
            return QStringLiteral("Frame: ") + QString::number(a) + QStringLiteral(", Sample: ") +
                   QString::number(b) + QStringLiteral(", Time Left: ") +
                   MclMakeTimeStr(MclGetRemainingTime(h, totalFrames, totalSamples));
        case MclStatus::Multiplexing:
            return QStringLiteral("Multiplexing done: ") + QString::number(c) + QStringLiteral("%");
    }
    return QStringLiteral("Unrecognized status code");
}

}  // namespace orvane
