#include "mcl_fixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QProcess>

namespace orvane::testing {

std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

void makeTone(const QString& path, double seconds, int frequency) {
    runTool(QStringLiteral("ffmpeg"),
            {"-v", "error", "-y", "-f", "lavfi", "-i",
             QStringLiteral("sine=frequency=%1:duration=%2:sample_rate=44100")
                 .arg(frequency)
                 .arg(seconds),
             "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k", path});
}

Probe probe(const QString& path) {
    Probe result;
    const auto out = runTool(
        QStringLiteral("ffprobe"),
        {"-v", "error", "-count_packets", "-show_streams", "-show_format", "-of", "json", path});
    if (!out) return result;
    const QJsonObject root = QJsonDocument::fromJson(*out).object();
    result.formatName = root["format"].toObject()["format_name"].toString();
    for (const auto& value : root["streams"].toArray()) {
        const QJsonObject s = value.toObject();
        ProbedStream stream;
        stream.codec = s["codec_name"].toString();
        stream.width = s["width"].toInt();
        stream.height = s["height"].toInt();
        stream.frameRate = s["r_frame_rate"].toString();
        stream.profile = s["profile"].toString();
        stream.pixelFormat = s["pix_fmt"].toString();
        stream.level = s["level"].toInt();
        stream.sampleRate = s["sample_rate"].toString().toInt();
        stream.duration = s["duration"].toString().toDouble();
        stream.packets = s["nb_read_packets"].toString().toLongLong();
        if (s["codec_type"].toString() == QLatin1String("video")) result.video = stream;
        if (s["codec_type"].toString() == QLatin1String("audio")) result.audio = stream;
    }
    return result;
}

QColor videoFrameColour(const QString& path, int index) {
    const auto raw = runTool(
        QStringLiteral("ffmpeg"),
        {"-v", "error", "-i", path, "-vf",
         QStringLiteral("select=eq(n\\,%1),crop=16:16:(iw-16)/2:ih*3/4-8,scale=1:1:flags=area")
             .arg(index),
         "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    if (!raw || raw->size() < 3) return {};
    return QColor(quint8(raw->at(0)), quint8(raw->at(1)), quint8(raw->at(2)));
}

QColor albumColour(int frame) {
    static const QColor colours[] = {QColor(200, 30, 30),  QColor(30, 200, 30),
                                     QColor(30, 30, 200),  QColor(220, 220, 40),
                                     QColor(40, 200, 220), QColor(230, 230, 230)};
    return colours[(frame / 10) % 6];
}

AlbumResult encodeAlbum(const AlbumRun& run) {
    AlbumResult result;
    auto h = MclCreate();
    auto video = MclListCreate();
    auto audio = MclListCreate();
    MclListAddMemoryFrames(*video, run.frames);
    for (const QString& song : run.songs) MclListAdd(*audio, song, kMclAudioEntry, 0, 0);
    const std::int64_t frames = MclListGetFrameCount(*video);
    const std::int64_t samples = MclListGetSampleCount(*audio);

    MclAssignVideoSource(*h, MclListSource(*video));
    MclAssignAudioSource(*h, MclListSource(*audio));
    MclAssignVideoFunc(*h, [&](MclEncoder& encoder, QImage& frame, int index) {
        frame.fill(albumColour(index));
        QPainter painter(&frame);  // a moving bar: something for motion search
        painter.fillRect((index * 4) % frame.width(), 0, 8, frame.height() / 2, Qt::black);
        painter.end();
        return run.onFrame ? run.onFrame(encoder, index) : true;
    });
    MclAssignProgress(
        *h, [&](MclEncoder& encoder, MclStatus status, std::int64_t a, std::int64_t b, int c) {
            result.log << MclProgressLine(encoder, status, a, b, c, frames, samples);
        });
    MclAssignAudioFunc(*h, [&](MclEncoder&, std::int64_t first, int count) {
        result.audioBlocksInOrder =
            result.audioBlocksInOrder && first == result.audioSamplesReported;
        result.audioSamplesReported = first + count;
    });
    MclAssignError(*h, [&](MclEncoder&, MclError) { ++result.errorCallbacks; });
    if (run.preset)
        MclSetFormatPreset(*h, *run.preset, run.tv);
    else
        MclVideoSetTvSystem(*h, run.tv);
    MclVideoSetKeepDuration(*h, run.keepDuration);
    MclAudioSetTruncateToVideo(*h, run.truncateAudio);
    MclVideoSetFormat(*h, run.width, run.height, 32);
    if (run.quality == MclQuality::High) MclVideoSetBitRate(*h, MclQuality::High);
    MclAudioSetCodec(*h, run.audioCodec);
    MclVideoSetFileName(*h, run.output);
    MclAudioSetFileName(*h, run.output);
    result.ok = MclConvert(*h);
    result.error = MclGetError(*h);
    result.errorText = MclGetErrorStr(*h);
    MclAbort(*h);
    MclListFree(video);
    MclListFree(audio);
    MclFree(h);
    return result;
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

}  // namespace orvane::testing
