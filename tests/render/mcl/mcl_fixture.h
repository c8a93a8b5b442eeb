#pragma once
// Small media for the encoder tests: tones made with the ffmpeg tool, an
// album whose frames are painted in memory, and ffprobe's view of a file.

#include <QColor>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "render/mcl/mcl.h"

namespace orvane::testing {

// Runs a tool; returns its standard output, or nothing when it failed.
std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments);

// A stereo sine tone of `seconds` as an MP3 (44.1 kHz) at `path`.
void makeTone(const QString& path, double seconds, int frequency = 440);

struct ProbedStream {
    QString codec;
    int width = 0;
    int height = 0;
    QString frameRate;  // "25/1"
    QString profile;    // "High", "LC"
    QString pixelFormat;
    int level = 0;  // H.264: 31 for 3.1
    int sampleRate = 0;
    double duration = 0;
    long long packets = 0;
};

struct Probe {
    QString formatName;
    std::optional<ProbedStream> video;
    std::optional<ProbedStream> audio;
};

// ffprobe of a file, counting the packets of every stream.
Probe probe(const QString& path);

// The colour of frame `index` of a video, averaged over its middle.
QColor videoFrameColour(const QString& path, int index);

// A colour per frame, changing every ten frames, easy to tell apart after
// lossy coding.
QColor albumColour(int frame);

struct AlbumRun {
    std::optional<MclFormat> preset;
    MclTvSystem tv = MclTvSystem::PAL;
    bool keepDuration = true;
    bool truncateAudio = false;
    MclQuality quality = MclQuality::Normal;
    MclAudioCodec audioCodec = MclAudioCodec::FormatDefault;
    int width = 320;
    int height = 176;
    int frames = 50;
    QStringList songs;
    QString output;
    // Called for every frame after painting it; may stop the conversion.
    std::function<bool(MclEncoder&, int)> onFrame;
};

struct AlbumResult {
    bool ok = false;
    MclError error = MclError::None;
    QString errorText;
    int errorCallbacks = 0;
    QStringList log;
    bool audioBlocksInOrder = true;  // the audio func saw back-to-back blocks
    std::int64_t audioSamplesReported = 0;
};

// Encodes an album whose frames are painted in memory with albumColour().
AlbumResult encodeAlbum(const AlbumRun& run);

// The names in a folder, sorted.
QStringList folderEntries(const QString& folder);

}  // namespace orvane::testing
