// The album build end to end on a small store: what the encoder wrote
// (checked with ffprobe), picture sequences, frames of the video against
// frames rendered directly, and the failures that must leave no file.

#include "render/album/album_build.h"

#include <gtest/gtest.h>

#include "album_fixtures.h"
#include "render/album/frame_producer.h"
#include "render/album/template_usage.h"
#include "render/overlays/frame_overlays.h"

namespace orvane {
namespace {

using namespace orvane::testing;

// One landscape template of 35 frames, used by both photos: a photo-length
// album has 35 + 35 + 100 = 170 frames (6.8 s).
constexpr int kAlbumFrames = 170;

class AlbumBuildTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35}, 60);
        writePhoto(dir.path() / "a.jpg", 800, 600, Qt::red);
        writePhoto(dir.path() / "b.jpg", 800, 600, Qt::green);
        model = importedProject(folder, {dir.path() / "a.jpg", dir.path() / "b.jpg"});
        ASSERT_EQ(model.templateInstanceCount, QStringLiteral("2"));
        model.settings.outputWidth = 320;
        model.settings.outputHeight = 176;
        model.settings.quality = Quality::Normal;
    }
    // `type` as the tables show it: "DVD", "XLTP", …
    Result<AlbumReport> make(const QString& type, const fs::path& output) {
        model.settings.outputType = enumFromLegacy<OutputType>(type).value();
        AlbumRequest request;
        request.output = toQString(output);
        NullProgress progress;
        return makeAlbum(model, folder, request, progress);
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    ProjectModel model;
};

struct FormatCase {
    const char* type;
    const char* file;
    const char* tv;
    const char* videoCodec;
    const char* frameRate;
    const char* audioCodec;
    const char* sampleRate;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.type << " " << c.tv; }

class AlbumFormatTest : public AlbumBuildTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(AlbumFormatTest, EncodesTheWholeTimelineWithTheSoundCutToThePicture) {
    const FormatCase& c = GetParam();
    writeSong(dir.path() / "song.mp3", 10.0);  // longer than the picture
    addSongs(model, folder, {dir.path() / "song.mp3"});
    model.settings.tvSystem = enumFromLegacy<TvSystem>(QLatin1String(c.tv)).value();
    const fs::path output = dir.path() / c.file;
    auto album = make(QString::fromUtf8(c.type), output);
    ASSERT_TRUE(album.has_value()) << album.error().message.toStdString();
    EXPECT_EQ(album->frames, kAlbumFrames);
    EXPECT_EQ(album->outputPath, toQString(output));
    ASSERT_TRUE(fs::exists(output));

    EXPECT_EQ(probeStream(output, "v:0", "codec_name"), c.videoCodec);
    EXPECT_EQ(probeStream(output, "v:0", "width"), "320");
    EXPECT_EQ(probeStream(output, "v:0", "height"), "176");
    EXPECT_EQ(probeStream(output, "v:0", "r_frame_rate"), c.frameRate);
    EXPECT_EQ(probeStream(output, "a:0", "codec_name"), c.audioCodec);
    EXPECT_EQ(probeStream(output, "a:0", "sample_rate"), c.sampleRate);
    // PAL: every album frame once; NTSC repeats frames to keep the length.
    const double seconds = kAlbumFrames / 25.0;
    const double rate = std::string(c.tv) == "PAL" ? 25.0 : 30000.0 / 1001.0;
    EXPECT_NEAR(countVideoFrames(output) / rate, seconds, 0.05);
    EXPECT_NEAR(probeDuration(output, "a:0"), seconds, 0.15);
    if (std::string(c.tv) == "PAL") {
        EXPECT_EQ(countVideoFrames(output), kAlbumFrames);
    }
    EXPECT_FALSE(fs::exists(folder.transitionPicture()));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, AlbumFormatTest,
    ::testing::Values(FormatCase{"DVD", "album.mpg", "PAL", "mpeg2video", "25/1", "mp2", "48000"},
                      FormatCase{"DVD", "album.mpg", "NTSC", "mpeg2video", "30000/1001", "mp2",
                                 "48000"},
                      FormatCase{"VCD", "album.mpg", "PAL", "mpeg1video", "25/1", "mp2", "44100"},
                      FormatCase{"SVCD", "album.mpg", "PAL", "mpeg2video", "25/1", "mp2", "44100"},
                      FormatCase{"AVI", "album.avi", "PAL", "mpeg4", "25/1", "mp3", "44100"}),
    [](const auto& info) { return std::string(info.param.type) + info.param.tv; });

TEST_F(AlbumBuildTest, SongsShorterThanThePictureAreFollowedBySilence) {
    writeSong(dir.path() / "short.mp3", 2.0);
    addSongs(model, folder, {dir.path() / "short.mp3"});
    const fs::path output = dir.path() / "album.mpg";
    auto album = make(QStringLiteral("DVD"), output);
    ASSERT_TRUE(album.has_value()) << album.error().message.toStdString();
    EXPECT_EQ(album->timeline.songOrder, (std::vector<int>{0}));
    EXPECT_NEAR(probeDuration(output, "a:0"), kAlbumFrames / 25.0, 0.15);
}

TEST_F(AlbumBuildTest, PictureSequenceHasOneNumberedPicturePerFrame) {
    model.settings.imageSequenceFormat = QStringLiteral("JPG");
    const fs::path out = dir.path() / "pictures";
    auto album = make(QStringLiteral("XLTP"), out);
    ASSERT_TRUE(album.has_value()) << album.error().message.toStdString();
    EXPECT_EQ(album->outputPath, toQString(out / "01.JPG"));
    int count = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        (void)entry;
        ++count;
    }
    EXPECT_EQ(count, kAlbumFrames);
    EXPECT_TRUE(fs::exists(out / "09.JPG"));
    EXPECT_TRUE(fs::exists(out / "170.JPG"));
    EXPECT_EQ(QImage(toQString(out / "100.JPG")).size(), QSize(320, 176));

    // A folder that exists already is refused and left alone.
    auto again = make(QStringLiteral("XLTP"), out);
    ASSERT_FALSE(again.has_value());
    EXPECT_EQ(again.error().message, QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
    EXPECT_TRUE(fs::exists(out / "170.JPG"));
}

TEST_F(AlbumBuildTest, BadInputEndsWithAClearMessageAndNoFile) {
    const fs::path output = dir.path() / "album.mpg";
    {
        ProjectModel empty;
        empty.settings = model.settings;
        NullProgress progress;
        auto album = makeAlbum(empty, folder, AlbumRequest{toQString(output)}, progress);
        ASSERT_FALSE(album.has_value());
        EXPECT_EQ(album.error().message, QStringLiteral("没有添加相片文件！"));
    }
    {
        // A song that disappears before the render.
        writeSong(dir.path() / "gone.mp3", 2.0);
        ProjectModel withSong = model;
        addSongs(withSong, folder, {dir.path() / "gone.mp3"});
        fs::remove(dir.path() / "gone.mp3");
        NullProgress progress;
        withSong.settings.outputType = OutputType::Dvd;
        auto album = makeAlbum(withSong, folder, AlbumRequest{toQString(output)}, progress);
        ASSERT_FALSE(album.has_value());
        EXPECT_TRUE(album.error().message.contains(QStringLiteral("gone.mp3")));
        // One that cannot be read any more (a folder took its name; a mode of
        // 000 would not stop a test run as root).
        fs::create_directory(dir.path() / "gone.mp3");
        album = makeAlbum(withSong, folder, AlbumRequest{toQString(output)}, progress);
        ASSERT_FALSE(album.has_value());
        EXPECT_TRUE(album.error().message.contains(QStringLiteral("gone.mp3")));
        EXPECT_FALSE(fs::exists(folder.outputJournal()));
    }
    {
        auto album = make(QStringLiteral("DVD"), dir.path() / "missing" / "album.mpg");
        ASSERT_FALSE(album.has_value());
        EXPECT_TRUE(album.error().message.contains(toQString(dir.path() / "missing")));
    }
    {
        // A folder nobody may write to (not even root).
        auto album = make(QStringLiteral("DVD"), "/proc/orvane-album.mpg");
        ASSERT_FALSE(album.has_value());
        EXPECT_FALSE(album.error().message.isEmpty());
        EXPECT_FALSE(fs::exists("/proc/orvane-album.mpg"));
    }
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(AlbumBuildTest, TemplatesLostAfterImportAreSkippedOrPlayedFromTheirStagedCopy) {
    // The store's package is not needed once a template is staged.
    fs::remove_all(folder.movieStore());
    // A staged movie that is gone is skipped, with its error in the log.
    fs::remove(folder.instanceMovie(1));
    // Nor are the user's photos: their staged pictures are played.
    fs::remove(dir.path() / "a.jpg");
    fs::remove(dir.path() / "b.jpg");
    const fs::path output = dir.path() / "album.mpg";
    auto album = make(QStringLiteral("DVD"), output);
    ASSERT_TRUE(album.has_value()) << album.error().message.toStdString();
    EXPECT_EQ(album->skippedTemplates, QStringList{toQString(folder.instanceMovie(1))});
    EXPECT_EQ(countVideoFrames(output), kAlbumFrames);
    const QStringList errors = album->log.filter(QStringLiteral(" : 错误"));
    ASSERT_EQ(errors.size(), 1) << album->log.join('\n').toStdString();
    EXPECT_TRUE(errors[0].contains(toQString(folder.instanceMovie(1))));
    EXPECT_TRUE(album->log.contains(QStringLiteral("Total frames:  170")));
    EXPECT_TRUE(album->log.contains(QStringLiteral("Starting conversion...")));
    EXPECT_TRUE(album->log.contains(QStringLiteral("Conversion ended.")));
}

TEST_F(AlbumBuildTest, FramesOfTheVideoAreTheFramesRenderedDirectly) {
    TextEffect text;
    text.text = QStringLiteral("你好 Orvane");
    text.startTime = QStringLiteral("00:00");
    text.endTime = QStringLiteral("暂无");
    text.runState = RunState::Stopped;
    text.motionKey = QStringLiteral("congzuoxiangyou");
    text.x = QStringLiteral("0");
    text.y = QStringLiteral("144");
    text.colorName = QStringLiteral("clYellow");
    text.colorValue = QStringLiteral("65535");
    text.fontName = QStringLiteral("黑体");
    text.fontSize = 30;
    text.bold = text.italic = text.underline = false;
    model.textEffects.append(text);
    model.settings.quality = Quality::High;
    const fs::path output = dir.path() / "album.mpg";
    auto album = make(QStringLiteral("DVD"), output);
    ASSERT_TRUE(album.has_value()) << album.error().message.toStdString();

    // The same frames, painted directly from the staged templates.
    const QSize size(320, 176);
    const TemplateUsageTable playList = playListFrom(buildTemplateUsageTable(model, folder));
    FrameOverlays overlays(model, size);
    FrameProducerSettings settings;
    settings.outputSize = size;
    FrameProducer producer(folder, playList, settings,
                           [&](QImage& f, int n) { overlays.paint(f, n); }, {});
    ASSERT_TRUE(producer.start().has_value());
    const std::vector<int> checked{0, 20, 45, 100, 169};
    QImage frame(size, QImage::Format_RGB32);
    std::size_t next = 0;
    for (int n = 0; n < kAlbumFrames && next < checked.size(); ++n) {
        ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
        if (n != checked[next]) continue;
        const QImage decoded = videoFrame(output, n);
        EXPECT_LT(differingShare(decoded, frame, 48), 0.03)
            << "frame " << n << ", decoded " << decoded.width() << "x" << decoded.height();
        ++next;
    }
    EXPECT_EQ(next, checked.size());
}

}  // namespace
}  // namespace orvane
