// Movies made through the Mcl… calls, checked with ffprobe: container,
// codecs, picture size, frame rate and count, sound rate and length.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>

#include "mcl_fixture.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

QString pathIn(const TempDir& dir, const char* name) {
    return QString::fromStdString((dir.path() / name).string());
}

struct FormatCase {
    const char* name;
    std::optional<MclFormat> preset;
    const char* file;
    int width, height;
    const char* container;  // part of ffprobe's format name
    const char* videoCodec;
    const char* audioCodec;
    int sampleRate;
    MclAudioCodec audioChoice;
};

class MovieFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(MovieFormats, EncodesTheChosenSizeRateCodecsAndEveryFrame) {
    const FormatCase& c = GetParam();
    TempDir dir;
    const QString song = pathIn(dir, "tone.mp3");
    makeTone(song, 4.0);
    AlbumRun run;
    run.preset = c.preset;
    run.width = c.width;
    run.height = c.height;
    run.frames = 64;
    run.songs = {song};
    run.truncateAudio = true;
    run.quality = MclQuality::High;
    run.audioCodec = c.audioChoice;
    run.output = pathIn(dir, c.file);
    const AlbumResult result = encodeAlbum(run);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_EQ(result.errorCallbacks, 0);

    const Probe p = probe(run.output);
    EXPECT_TRUE(p.formatName.contains(QLatin1String(c.container))) << p.formatName.toStdString();
    ASSERT_TRUE(p.video && p.audio);
    EXPECT_EQ(p.video->codec, QLatin1String(c.videoCodec));
    EXPECT_EQ(p.video->width, c.width);
    EXPECT_EQ(p.video->height, c.height);
    EXPECT_EQ(p.video->frameRate, QStringLiteral("25/1"));
    EXPECT_EQ(p.video->packets, 64);
    EXPECT_EQ(p.audio->codec, QLatin1String(c.audioCodec));
    EXPECT_EQ(p.audio->sampleRate, c.sampleRate);
    // The 4-second song is cut at the picture's end (64 frames = 2.56 s),
    // give or take one audio block.
    EXPECT_NEAR(p.audio->duration, 2.56, 0.06);

    // The pictures arrive in order: frame 35 carries the colour painted for it.
    const QColor expected = albumColour(35);
    const QColor got = videoFrameColour(run.output, 35);
    EXPECT_NEAR(got.red(), expected.red(), 24);
    EXPECT_NEAR(got.green(), expected.green(), 24);
    EXPECT_NEAR(got.blue(), expected.blue(), 24);

    EXPECT_EQ(result.log.first(), QStringLiteral("Preparing conversion..."));
    EXPECT_TRUE(result.log
                    .filter(QRegularExpression(
                        "^Frame: \\d+, Sample: \\d+, Time Left: \\d\\d:\\d\\d:\\d\\d$"))
                    .size() >= 2)
        << result.log.join('\n').toStdString();
    // The audio func heard of the sound in order, up to the picture's end.
    EXPECT_TRUE(result.audioBlocksInOrder);
    EXPECT_NEAR(double(result.audioSamplesReported), 2.56 * 44100, 2 * 1536);
    EXPECT_TRUE(result.log.contains(QStringLiteral("Multiplexing done: 100%")));
    EXPECT_TRUE(result.log.last().startsWith(QStringLiteral("Processing time: ")));
    EXPECT_EQ(folderEntries(QString::fromStdString(dir.path().string())),
              QStringList({QString::fromLatin1(c.file), "tone.mp3"}));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, MovieFormats,
    ::testing::Values(FormatCase{"VCD", MclFormat::VCD, "album.mpg", 320, 176, "mpeg", "mpeg1video",
                                 "mp2", 44100, MclAudioCodec::FormatDefault},
                      FormatCase{"SVCD", MclFormat::SVCD, "album.mpg", 464, 256, "mpeg",
                                 "mpeg2video", "mp2", 44100, MclAudioCodec::FormatDefault},
                      FormatCase{"DVD", MclFormat::DVD, "album.mpg", 640, 368, "mpeg", "mpeg2video",
                                 "mp2", 48000, MclAudioCodec::FormatDefault},
                      FormatCase{"DVD_AC3", MclFormat::DVD, "album.mpg", 320, 176, "mpeg",
                                 "mpeg2video", "ac3", 48000, MclAudioCodec::Ac3},
                      FormatCase{"AVI", std::nullopt, "album.avi", 464, 256, "avi", "mpeg4", "mp3",
                                 44100, MclAudioCodec::FormatDefault},
                      FormatCase{"MP4", std::nullopt, "album.mp4", 464, 256, "mp4", "h264", "aac",
                                 44100, MclAudioCodec::FormatDefault}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MovieTiming, NtscRepeatsFramesSoTheAlbumKeepsItsLength) {
    TempDir dir;
    AlbumRun run;
    run.preset = MclFormat::DVD;
    run.tv = MclTvSystem::NTSC;
    run.frames = 50;  // two album seconds
    run.output = pathIn(dir, "ntsc.mpg");
    ASSERT_TRUE(encodeAlbum(run).ok);
    const Probe p = probe(run.output);
    ASSERT_TRUE(p.video);
    EXPECT_EQ(p.video->frameRate, QStringLiteral("30000/1001"));
    EXPECT_EQ(p.video->packets, 60);  // 2 s × 29.97, rounded up to whole frames
    EXPECT_NEAR(p.video->packets * 1001.0 / 30000.0, 2.0, 0.04);
    // The repeated pictures are still the album's: frame 36 of the output
    // shows album frame 30.
    const QColor got = videoFrameColour(run.output, 36);
    EXPECT_NEAR(got.red(), albumColour(30).red(), 24);
    EXPECT_NEAR(got.green(), albumColour(30).green(), 24);
    EXPECT_NEAR(got.blue(), albumColour(30).blue(), 24);
}

TEST(MovieTiming, WithoutKeepDurationNtscPlaysOneOutputFramePerAlbumFrame) {
    TempDir dir;
    AlbumRun run;
    run.preset = MclFormat::SVCD;
    run.tv = MclTvSystem::NTSC;
    run.keepDuration = false;
    run.frames = 50;
    run.output = pathIn(dir, "fast.mpg");
    ASSERT_TRUE(encodeAlbum(run).ok);
    const Probe p = probe(run.output);
    ASSERT_TRUE(p.video);
    EXPECT_EQ(p.video->packets, 50);
}

struct SoundCase {
    const char* name;
    std::vector<double> songSeconds;
    int frames;
    bool truncate;
    double expectedSeconds;
};

class MovieSound : public ::testing::TestWithParam<SoundCase> {};

// Songs play in order; silence follows them when the picture is longer; with
// truncation the sound ends with the picture, otherwise the songs play out.
TEST_P(MovieSound, SoundLengthFollowsSongsPictureAndTruncation) {
    const SoundCase& c = GetParam();
    TempDir dir;
    AlbumRun run;
    run.preset = MclFormat::VCD;
    run.frames = c.frames;
    run.truncateAudio = c.truncate;
    for (size_t i = 0; i < c.songSeconds.size(); ++i) {
        const QString song =
            QString::fromStdString((dir.path() / ("song" + std::to_string(i) + ".mp3")).string());
        makeTone(song, c.songSeconds[i], 300 + 200 * int(i));
        run.songs << song;
    }
    run.output = pathIn(dir, "sound.mpg");
    const AlbumResult result = encodeAlbum(run);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    const Probe p = probe(run.output);
    ASSERT_TRUE(p.audio);
    EXPECT_EQ(p.audio->sampleRate, 44100);
    EXPECT_NEAR(p.audio->duration, c.expectedSeconds, 0.08);
}

INSTANTIATE_TEST_SUITE_P(
    Sound, MovieSound,
    ::testing::Values(SoundCase{"LongSongCutToPicture", {3.0}, 25, true, 1.0},
                      SoundCase{"LongSongPlaysOut", {3.0}, 25, false, 3.0},
                      SoundCase{"SongsInOrderThenSilence", {1.0, 0.6}, 75, true, 3.0},
                      SoundCase{"TwoSongsPlayOut", {1.0, 1.5}, 25, false, 2.5},
                      SoundCase{"NoSongsIsSilence", {}, 40, true, 1.6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MovieSound, SongSampleCountComesFromTheFile) {
    TempDir dir;
    const QString song = pathIn(dir, "tone.mp3");
    makeTone(song, 2.0);
    auto list = MclListCreate();
    MclListAdd(*list, song, kMclAudioEntry);
    MclListAdd(*list, song, kMclAudioEntry);
    MclListAdd(*list, pathIn(dir, "missing.mp3"), kMclAudioEntry);
    // MP3 pads each song by up to two blocks; two 2-second songs are close to 176 400.
    EXPECT_NEAR(double(MclListGetSampleCount(*list)), 176400.0, 2 * 2304.0);
}

}  // namespace
