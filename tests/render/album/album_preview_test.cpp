// The album preview against a made picture sequence: any frame, asked for in
// any order, equals the same frame of the sequence (up to JPEG), with the
// transition pictures, karaoke and moving texts in place; and the working
// folder's own transition picture is never touched.

#include "render/album/album_preview.h"

#include <gtest/gtest.h>

#include "album_fixtures.h"
#include "effects/text_effect.h"
#include "render/album/album_build.h"
#include "render/album/frame_producer.h"
#include "render/overlays/frame_overlays.h"

namespace orvane {
namespace {

using namespace orvane::testing;

// Two photos in 35-frame templates: 1 + 35 + 35 frames, then the closing
// movie up to 170 frames.
constexpr int kAlbumFrames = 170;
const QSize kSize(320, 176);

struct Difference {
    double mean = 0;      // mean absolute difference per channel
    double outliers = 0;  // share of pixels off by more than 40 in a channel
};

Difference difference(const QImage& a, const QImage& b) {
    Difference d;
    if (a.size() != b.size()) return {255, 1};
    const QImage ca = a.convertToFormat(QImage::Format_RGB32);
    const QImage cb = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < ca.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(ca.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(cb.constScanLine(y));
        for (int x = 0; x < ca.width(); ++x) {
            const int dr = std::abs(qRed(la[x]) - qRed(lb[x]));
            const int dg = std::abs(qGreen(la[x]) - qGreen(lb[x]));
            const int db = std::abs(qBlue(la[x]) - qBlue(lb[x]));
            sum += dr + dg + db;
            if (std::max({dr, dg, db}) > 40) d.outliers += 1;
        }
    }
    const double pixels = double(ca.width()) * ca.height();
    d.mean = sum / (3 * pixels);
    d.outliers /= pixels;
    return d;
}

class AlbumPreviewTest : public ::testing::Test {
   protected:
    void SetUp() override {
        writeStore(folder, {35}, 60);
        writePhoto(dir.path() / "a.jpg", 800, 600, Qt::red);
        writePhoto(dir.path() / "b.jpg", 800, 600, Qt::green);
        model = importedProject(folder, {dir.path() / "a.jpg", dir.path() / "b.jpg"});
        model.settings.outputWidth = kSize.width();
        model.settings.outputHeight = kSize.height();
        model.settings.quality = Quality::Normal;
        model.settings.syncMode = SyncMode::Photos;
        // A song with a karaoke line swept from 00:02 to 00:03 (frames 50 … 75).
        writeSong(dir.path() / "song.mp3", 7.0);
        addSongs(model, folder, {dir.path() / "song.mp3"});
        writeFile(dir.path() / "line.ksc",
                  "karaoke.add('00:01.000', '00:03.000', '你好朋友', '500,500,500,500');\n");
        KaraokeEntry karaoke;
        karaoke.location = toQString(dir.path() / "line.ksc");
        model.karaoke.append(karaoke);
        model.settings.lyricKind = LyricKind::Karaoke;
        // A text crossing the picture from the first second.
        TextEffectChoice text;
        text.text = QStringLiteral("你好 Orvane");
        text.startTime = QStringLiteral("00:00");
        text.motionKey = QStringLiteral("congzuoxiangyou");
        text.colorName = QStringLiteral("clYellow");
        model.textEffects.append(makeTextEffect(text).value());
    }

    TempDir dir;
    WorkingFolder folder{dir.path()};
    ProjectModel model;
};

TEST_F(AlbumPreviewTest, AnyFrameInAnyOrderEqualsTheMadePictureSequence) {
    model.settings.outputType = OutputType::PictureSequence;
    model.settings.imageSequenceFormat = QStringLiteral("JPG");
    const fs::path out = dir.path() / "pictures";
    NullProgress progress;
    auto album = makeAlbum(model, folder, AlbumRequest{toQString(out)}, progress);
    ASSERT_TRUE(album.has_value()) << album.error().message.toStdString();
    ASSERT_EQ(album->frames, kAlbumFrames);

    // A build running meanwhile owns the real transition picture.
    fs::create_directories(folder.transitionFolder());
    writeFile(folder.transitionPicture(), "in use by a build");

    AlbumPreview preview(model, folder);
    EXPECT_EQ(preview.frameCount(), kAlbumFrames);
    // 60: karaoke sweep and text; 38: template 2 coming out of template 1's
    // last picture; 36: template 2's first frame; 1: template 1's first
    // frame; 71+: the closing movie; and steps forward and back.
    const std::vector<int> frames{60, 38, 36, 1, 0, 30, 61, 62, 45, 71, 120, 169, 2, 35};
    for (int n : frames) {
        SCOPED_TRACE(n);
        auto shown = preview.frame(n, kSize);
        ASSERT_TRUE(shown.has_value()) << shown.error().message.toStdString();
        const QImage made(toQString(
            out / QStringLiteral("%1.JPG").arg(n + 1, 2, 10, QLatin1Char('0')).toStdString()));
        ASSERT_FALSE(made.isNull());
        // JPEG blurs the edges of the texts and the karaoke line.
        const Difference d = difference(*shown, made);
        EXPECT_LT(d.mean, 3.0);
        EXPECT_LT(d.outliers, 0.03);
    }
    EXPECT_EQ(readWholeFile(folder.transitionPicture()).value(),
              Bytes({'i', 'n', ' ', 'u', 's', 'e', ' ', 'b', 'y', ' ', 'a', ' ', 'b', 'u', 'i', 'l',
                     'd'}));
    EXPECT_TRUE(preview.messages().isEmpty()) << preview.messages().join('\n').toStdString();

    // Where the frames lie.
    auto first = preview.place(36);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->playIndex, 1);
    EXPECT_EQ(first->movieFrame, 0);
    auto closing = preview.place(169);
    ASSERT_TRUE(closing.has_value());
    EXPECT_TRUE(closing->closing);
    EXPECT_EQ(closing->firstFrame, 71);
    EXPECT_EQ(closing->movieFrame, 59) << "the closing movie holds its last frame";
    EXPECT_FALSE(preview.frame(kAlbumFrames, kSize).has_value());

    // Before JPEG, the frames are those the build paints, pixel for pixel.
    const TemplateUsageTable playList = playListFrom(buildTemplateUsageTable(model, folder));
    FrameOverlayOptions overlayOptions;
    overlayOptions.songOrder = preview.timeline().songOrder;
    FrameOverlays overlays(model, kSize, overlayOptions);
    FrameProducerSettings settings;
    settings.outputSize = kSize;
    FrameProducer producer(folder, playList, settings,
                           [&](QImage& f, int n) { overlays.paint(f, n); }, {});
    ASSERT_TRUE(producer.start().has_value());
    QImage built(kSize, QImage::Format_RGB32);
    for (int n = 0; n < kAlbumFrames; ++n) {
        ASSERT_TRUE(producer.paintFrame(built, n).has_value());
        if (n % 7 != 1 && n != 36 && n != 60) continue;
        SCOPED_TRACE(n);
        auto shown = preview.frame(n, kSize);
        ASSERT_TRUE(shown.has_value());
        EXPECT_LT(differingShare(*shown, built, 2), 0.001);
    }
}

TEST_F(AlbumPreviewTest, SkipsTheMoviesTheBuildSkipsAndDrawsAtAnySize) {
    fs::remove(folder.instanceMovie(1));
    AlbumPreview preview(model, folder);
    // Template 2 takes over from frame 1; the closing movie follows it.
    auto place = preview.place(1);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->playIndex, 1);
    auto closing = preview.place(36);
    ASSERT_TRUE(closing.has_value());
    EXPECT_TRUE(closing->closing);
    ASSERT_EQ(preview.messages().filter(QStringLiteral(" : 错误")).size(), 1);
    EXPECT_TRUE(preview.messages()[0].contains(toQString(folder.instanceMovie(1))));

    // A frame at twice the size is the same picture.
    auto small = preview.frame(20, kSize);
    auto large = preview.frame(20, kSize * 2);
    ASSERT_TRUE(small && large);
    EXPECT_EQ(large->size(), kSize * 2);
    EXPECT_LT(
        difference(*small, large->scaled(kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
            .mean,
        6.0);
}

}  // namespace
}  // namespace orvane
