// The single-template preview: its work area (copies, shrunk pictures), its
// frames (the start picture, the template's frames, then the ending from the
// template's last picture), and that the staged files are never touched.

#include "render/album/template_preview.h"

#include <gtest/gtest.h>

#include "album_fixtures.h"
#include "photos/jpeg_writer.h"
#include "render/swf/flash_player.h"

namespace orvane {
namespace {

using namespace orvane::testing;

constexpr QSize kArea{800, 450};
const QColor kEnding(0x30, 0x50, 0xa0);

bool near(QColor a, QColor b, int tolerance = 30) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QImage solid(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::string bytesOf(const fs::path& file) {
    auto bytes = readWholeFile(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

class TemplatePreviewTest : public ::testing::Test {
   protected:
    void SetUp() override {
        stageInstance(folder, 3, templateMovie(30, 5), Qt::red);
        stageEnding(folder, 20);
    }
    TemplatePreviewOptions options() const {
        TemplatePreviewOptions o;
        o.startPicture = solid(QSize(1920, 1080), Qt::yellow);
        return o;
    }
    TempDir dir;
    WorkingFolder folder{dir.path()};
};

TEST_F(TemplatePreviewTest, PlaysTheTemplateFromTheStartPictureThenTheEndingOnCopies) {
    const std::string stagedMovie = bytesOf(folder.instanceMovie(3));
    const std::string stagedPicture = bytesOf(folder.instancePicture(3, 1));
    TemplatePreview preview(folder, 3, 1, options());
    ASSERT_TRUE(preview.prepare().has_value());

    // The work area: copies of both movies, the slot picture at the preview's scale.
    EXPECT_EQ(bytesOf(folder.previewInstanceMovie(3)), stagedMovie);
    EXPECT_TRUE(fs::is_regular_file(folder.previewEndingMovie()));
    EXPECT_EQ(QImage(toQString(folder.previewInstancePicture(3, 1))).size(), kArea);

    auto played = preview.play();
    ASSERT_TRUE(played.has_value()) << played.error().message.toStdString();
    EXPECT_EQ(preview.templateFrames(), 30);
    EXPECT_EQ(preview.endingFrames(), 20);
    EXPECT_EQ(preview.frameCount(), 50);
    EXPECT_EQ(preview.pace(0).count(), 10);
    EXPECT_EQ(preview.pace(30).count(), 5);

    // The same movie played straight from the staged files, with the same
    // start picture, is what the preview must show frame by frame.
    fs::create_directories(folder.transitionFolder());
    ASSERT_TRUE(saveJpeg(solid(QSize(1920, 1080), Qt::yellow), folder.transitionPicture()));
    FlashPlayer direct;
    ASSERT_TRUE(direct.Movie(folder.instanceMovie(3)).has_value());

    QImage frame(kArea, QImage::Format_RGB32);
    for (int k : {0, 2, 4, 10, 29}) {
        SCOPED_TRACE(k);
        ASSERT_TRUE(preview.paintFrame(k, frame).has_value());
        ASSERT_TRUE(direct.FrameNum(k).has_value());
        EXPECT_LT(differingShare(frame, direct.render(kArea.width(), kArea.height()), 24), 0.01);
    }
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), Qt::red)) << "the last template frame";
    EXPECT_TRUE(near(meanColour(frame, QRect(700, 380, 90, 60)), Qt::red))
        << "the shrunk picture fills its slot";
    ASSERT_TRUE(preview.paintFrame(0, frame).has_value());
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), Qt::yellow));

    // The ending starts from the template's last picture and ends in its own colour.
    ASSERT_TRUE(preview.paintFrame(30, frame).has_value());
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), Qt::red));
    EXPECT_EQ(QImage(toQString(folder.previewTransitionPicture())).size(), kArea);
    ASSERT_TRUE(preview.paintFrame(49, frame).has_value());
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), kEnding));
    // Back to the start: the template starts from the start picture again.
    ASSERT_TRUE(preview.paintFrame(0, frame).has_value());
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), Qt::yellow));
    EXPECT_TRUE(preview.warnings().isEmpty()) << preview.warnings().join('\n').toStdString();

    // The staged instance is untouched; "返回" removes the work area.
    EXPECT_EQ(bytesOf(folder.instanceMovie(3)), stagedMovie);
    EXPECT_EQ(bytesOf(folder.instancePicture(3, 1)), stagedPicture);
    preview.remove();
    EXPECT_FALSE(fs::exists(folder.previewFolder()));
    EXPECT_TRUE(fs::exists(folder.instancePicture(3, 1)));
}

TEST_F(TemplatePreviewTest, PreparingAgainRebuildsTheWorkAreaAndShrinksToTheAreaScale) {
    // A staged picture of 800 × 600 is shown at 333 × 250.
    ASSERT_TRUE(saveJpeg(solid(QSize(800, 600), Qt::green), folder.instancePicture(3, 1)));
    TemplatePreview preview(folder, 3, 1, options());
    ASSERT_TRUE(preview.prepare().has_value());
    writeFile(folder.previewRoot() / "leftover.txt", "x");
    ASSERT_TRUE(preview.prepare().has_value());
    EXPECT_FALSE(fs::exists(folder.previewRoot() / "leftover.txt"));
    EXPECT_EQ(QImage(toQString(folder.previewInstancePicture(3, 1))).size(), QSize(333, 250));
    ASSERT_TRUE(preview.play().has_value());
    QImage frame(kArea, QImage::Format_RGB32);
    ASSERT_TRUE(preview.paintFrame(29, frame).has_value());
    // At the stage scale the picture covers 800 × 600 of 1920 × 1080 from the top left.
    EXPECT_TRUE(near(meanColour(frame, QRect(200, 150, 100, 80)), Qt::green));
    EXPECT_TRUE(near(meanColour(frame, QRect(500, 350, 100, 80)), Qt::black));
}

TEST_F(TemplatePreviewTest, MissingFilesAndForeignMoviesAreReportedByName) {
    {
        TemplatePreview preview(folder, 4, 1, options());  // nothing staged as instance 4
        auto prepared = preview.prepare();
        ASSERT_FALSE(prepared.has_value());
        EXPECT_TRUE(prepared.error().message.contains(toQString(folder.instanceMovie(4))));
        EXPECT_FALSE(preview.play().has_value());
    }
    {
        stageInstance(folder, 5,
                      patchedMovie(templateMovie(10), "l_x_z_f_c_s_y_w_j", "l_x_z_f_c_s_y_w_x"),
                      Qt::red);
        TemplatePreview preview(folder, 5, 1, options());
        ASSERT_TRUE(preview.prepare().has_value());
        auto played = preview.play();
        ASSERT_FALSE(played.has_value());
        EXPECT_TRUE(played.error().message.contains(toQString(folder.previewInstanceMovie(5))));
        QImage frame(kArea, QImage::Format_RGB32);
        EXPECT_FALSE(preview.paintFrame(0, frame).has_value());
    }
    {
        // Without its ending movie the preview is the template alone.
        fs::remove(folder.endingMovie());
        TemplatePreview preview(folder, 3, 1, options());
        ASSERT_TRUE(preview.prepare().has_value());
        ASSERT_TRUE(preview.play().has_value());
        EXPECT_EQ(preview.frameCount(), 30);
        EXPECT_FALSE(preview.warnings().isEmpty());
    }
}

}  // namespace
}  // namespace orvane
