// MP4 output as phones and browsers need it: H.264 High profile at a level
// that fits the picture size, yuv420p, AAC, the index (moov) ahead of the
// media data, and the TV system's frame rate with the album's length kept.

#include <gtest/gtest.h>

#include <QFile>

#include "mcl_fixture.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

QString pathIn(const TempDir& dir, const char* name) {
    return QString::fromStdString((dir.path() / name).string());
}

// The four-letter types of the file's top-level boxes, in file order.
QStringList topLevelBoxes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList boxes;
    qint64 offset = 0;
    while (offset + 8 <= file.size()) {
        file.seek(offset);
        const QByteArray header = file.read(16);
        const auto byte = [&](int i) { return quint64(quint8(header[i])); };
        quint64 size = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        if (size == 1 && header.size() == 16) {
            size = 0;
            for (int i = 8; i < 16; ++i) size = size << 8 | byte(i);
        } else if (size == 0) {
            size = quint64(file.size() - offset);  // to the end of the file
        }
        boxes << QString::fromLatin1(header.mid(4, 4));
        if (size < 8) break;
        offset += qint64(size);
    }
    return boxes;
}

struct Mp4Case {
    const char* name;
    int width, height;
    MclTvSystem tv;
    MclQuality quality;
    int level;  // ffprobe's level: 31 for 3.1
    const char* frameRate;
    int packets;  // 50 album frames = 2 s
};

class Mp4Output : public ::testing::TestWithParam<Mp4Case> {};

TEST_P(Mp4Output, PlaysOnPhonesAndBrowsersAndKeepsTheAlbumLength) {
    const Mp4Case& c = GetParam();
    TempDir dir;
    const QString song = pathIn(dir, "tone.mp3");
    makeTone(song, 4.0);
    AlbumRun run;
    run.tv = c.tv;
    run.quality = c.quality;
    run.width = c.width;
    run.height = c.height;
    run.frames = 50;
    run.songs = {song};
    run.truncateAudio = true;
    run.output = pathIn(dir, "album.mp4");
    const AlbumResult result = encodeAlbum(run);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();

    const Probe p = probe(run.output);
    ASSERT_TRUE(p.video && p.audio);
    EXPECT_EQ(p.video->codec, QStringLiteral("h264"));
    EXPECT_EQ(p.video->profile, QStringLiteral("High"));
    EXPECT_EQ(p.video->level, c.level);
    EXPECT_EQ(p.video->pixelFormat, QStringLiteral("yuv420p"));
    EXPECT_EQ(p.video->width, c.width);
    EXPECT_EQ(p.video->height, c.height);
    EXPECT_EQ(p.video->frameRate, QLatin1String(c.frameRate));
    EXPECT_EQ(p.video->packets, c.packets);
    EXPECT_NEAR(p.video->duration, 2.0, 0.04);
    EXPECT_EQ(p.audio->codec, QStringLiteral("aac"));
    EXPECT_EQ(p.audio->profile, QStringLiteral("LC"));
    EXPECT_EQ(p.audio->sampleRate, 44100);
    EXPECT_NEAR(p.audio->duration, 2.0, 0.06);

    const QStringList boxes = topLevelBoxes(run.output);
    ASSERT_TRUE(boxes.contains("moov") && boxes.contains("mdat")) << boxes.join(' ').toStdString();
    EXPECT_LT(boxes.indexOf("moov"), boxes.indexOf("mdat")) << boxes.join(' ').toStdString();

    // Colours survive the BT.709 conversion and its tags: album frame 35
    // (output frame 42 at 29.97) shows the colour painted for it.
    const int outputFrame = c.tv == MclTvSystem::NTSC ? 42 : 35;
    const QColor expected = albumColour(35);
    const QColor got = videoFrameColour(run.output, outputFrame);
    EXPECT_NEAR(got.red(), expected.red(), 16);
    EXPECT_NEAR(got.green(), expected.green(), 16);
    EXPECT_NEAR(got.blue(), expected.blue(), 16);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Mp4Output,
                         ::testing::Values(Mp4Case{"Pal320High", 320, 176, MclTvSystem::PAL,
                                                   MclQuality::High, 31, "25/1", 50},
                                           Mp4Case{"Ntsc720Normal", 1280, 720, MclTvSystem::NTSC,
                                                   MclQuality::Normal, 31, "30000/1001", 60},
                                           Mp4Case{"Pal1080Normal", 1920, 1080, MclTvSystem::PAL,
                                                   MclQuality::Normal, 40, "25/1", 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Mp4Output, AStoppedConversionLeavesNoFile) {
    TempDir dir;
    AlbumRun run;
    run.frames = 50;
    run.output = pathIn(dir, "album.mp4");
    run.onFrame = [](MclEncoder&, int index) { return index < 20; };
    const AlbumResult result = encodeAlbum(run);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, MclError::Aborted);
    EXPECT_TRUE(folderEntries(QString::fromStdString(dir.path().string())).isEmpty());
}

}  // namespace
