// Frame production: the loading picture, template frames in order, the
// switch to the next template from the last bare picture, the closing
// template, looping, and templates that are skipped.

#include "render/album/frame_producer.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <chrono>

#include "album_fixtures.h"

namespace orvane {
namespace {

using namespace orvane::testing;

constexpr QSize kOutput{192, 108};
const QRect kOverlayBox{0, 0, 48, 27};

TemplateUsageTable playListOf(const WorkingFolder& folder, const std::vector<int>& instances) {
    TemplateUsageTable table;
    for (int n : instances) {
        TemplateUsageEntry row;
        row.instanceNo = QString::number(n);
        row.moviePath = toQString(folder.instanceMovie(n));
        table.append(row);
    }
    return table;
}

bool near(QColor a, QColor b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class FrameProducerTest : public ::testing::Test {
   protected:
    TempDir dir;
    WorkingFolder folder{dir.path()};
    QStringList log;
    FrameProducer::LogLine logLine() {
        return [this](const AlbumLogLine& line) { log << line.english; };
    }
};

TEST_F(FrameProducerTest, TemplatesPlayEveryFrameAndHandOverTheirLastBarePicture) {
    stageInstance(folder, 1, templateMovie(250), Qt::red);
    stageInstance(folder, 2, templateMovie(20), Qt::green);
    stageEnding(folder, 60);
    const int firstEnd = 250, secondEnd = 270;
    // The overlay marks template 1's frames in a corner.
    FrameProducerSettings settings;
    settings.outputSize = kOutput;
    FrameProducer producer(
        folder, playListOf(folder, {1, 2}), settings,
        [&](QImage& frame, int n) {
            if (n <= firstEnd) QPainter(&frame).fillRect(kOverlayBox, Qt::magenta);
        },
        logLine());
    ASSERT_TRUE(producer.start().has_value());
    QImage frame(kOutput, QImage::Format_RGB32);

    // The first frame is the loading picture, without overlays.
    ASSERT_TRUE(producer.paintFrame(frame, 0).has_value());
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), Qt::black, 5));
    EXPECT_EQ(producer.playIndex(), 0);

    // Frames 1 … 250 are the template's frames 0 … 249.
    for (int n = 1; n < firstEnd; ++n) {
        ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
        ASSERT_EQ(producer.templateFrame(), n - 1);
        ASSERT_EQ(producer.playIndex(), 0);
    }
    EXPECT_TRUE(near(meanColour(frame, QRect(96, 54, 40, 40)), Qt::red));
    ASSERT_TRUE(producer.paintFrame(frame, firstEnd).has_value());
    EXPECT_EQ(producer.playIndex(), 1) << "frame index 249 loads the next template";
    EXPECT_EQ(producer.templateFrame(), -1);

    // The transition picture is the last picture without the overlay.
    const QImage transition = producer.transitionPicture();
    EXPECT_EQ(transition.size(), QSize(1920, 1080));
    EXPECT_TRUE(near(meanColour(transition, QRect(0, 0, 480, 270)), Qt::red));
    EXPECT_TRUE(near(meanColour(transition, QRect(900, 500, 200, 200)), Qt::red));
    const QImage staged(toQString(folder.transitionPicture()));
    EXPECT_LT(differingShare(staged.convertToFormat(QImage::Format_RGB32), transition), 0.01);

    // The next template starts from that picture.
    ASSERT_TRUE(producer.paintFrame(frame, firstEnd + 1).has_value());
    EXPECT_EQ(producer.templateFrame(), 0);
    const QImage expected =
        transition.scaled(kOutput, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(differingShare(frame, expected), 0.02);
    EXPECT_FALSE(near(meanColour(frame, kOverlayBox), Qt::magenta));

    // After the last instance the closing movie plays and holds its last frame.
    for (int n = firstEnd + 2; n <= secondEnd; ++n)
        ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
    EXPECT_EQ(producer.closingState(), kClosingLoaded);
    EXPECT_EQ(producer.playIndex(), -1);
    EXPECT_EQ(producer.currentMovie(), toQString(folder.endingMovie()));
    for (int n = secondEnd + 1; n <= secondEnd + 100; ++n)
        ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
    EXPECT_EQ(producer.templateFrame(), 99);
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), QColor(0x30, 0x50, 0xa0)));
    EXPECT_TRUE(log.isEmpty()) << log.join('\n').toStdString();
}

TEST_F(FrameProducerTest, BrokenMoviesAreSkippedWithTheirErrorLogged) {
    const std::string good = templateMovie(10);
    fs::create_directories(folder.instanceFolder(1));  // no movie in it
    stageInstance(folder, 2, "not a movie at all", Qt::red);
    stageInstance(folder, 3, patchedMovie(good, "l_x_z_f_c_s_y_w_j", "l_x_z_f_c_s_y_w_x"), Qt::red);
    stageInstance(folder, 4, patchedMovie(good, "FSCommand:picture_0", "FSCommand:picture_9"),
                  Qt::red);
    stageInstance(folder, 5, good, Qt::green);
    stageEnding(folder, 20);
    FrameProducerSettings settings;
    settings.outputSize = kOutput;
    FrameProducer producer(folder, playListOf(folder, {1, 2, 3, 4, 5}), settings, {}, logLine());

    // The movie that never reports "picture_0" is skipped at once, not after a wait.
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(producer.start().has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));

    EXPECT_EQ(producer.playIndex(), 4);
    ASSERT_EQ(log.size(), 4) << log.join('\n').toStdString();
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(log[i].contains(toQString(folder.instanceMovie(i + 1))))
            << log[i].toStdString();
        EXPECT_TRUE(log[i].contains(QStringLiteral(" : 错误"))) << log[i].toStdString();
    }
    EXPECT_TRUE(log[3].contains(QStringLiteral("picture_0")));
    // The same, as facts for the windows: each movie named with why.
    ASSERT_EQ(producer.skippedProblems().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const UserError& skipped = producer.skippedProblems()[std::size_t(i)];
        EXPECT_EQ(skipped.problem, Problem::TemplateUnplayable);
        EXPECT_EQ(skipped.subject, toQString(folder.instanceMovie(i + 1)));
        EXPECT_FALSE(skipped.detail.isEmpty());
    }
    QImage frame(kOutput, QImage::Format_RGB32);
    for (int n = 0; n <= 8; ++n) ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
    EXPECT_TRUE(near(meanColour(frame, QRect(96, 54, 40, 40)), Qt::green));
}

TEST_F(FrameProducerTest, LoopingAlbumStartsThePlayListAgain) {
    stageInstance(folder, 1, templateMovie(10), Qt::red);
    stageInstance(folder, 2, templateMovie(10), Qt::green);
    stageEnding(folder, 20);
    FrameProducerSettings settings;
    settings.outputSize = kOutput;
    settings.afterLastInstance = AfterLastInstance::LoopInstances;
    FrameProducer producer(folder, playListOf(folder, {1, 2}), settings, {}, logLine());
    ASSERT_TRUE(producer.start().has_value());
    QImage frame(kOutput, QImage::Format_RGB32);
    for (int n = 0; n <= 20; ++n) ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
    EXPECT_EQ(producer.playIndex(), 0);
    EXPECT_EQ(producer.closingState(), kClosingPending);
    for (int n = 21; n <= 29; ++n) ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
    EXPECT_TRUE(near(meanColour(frame, QRect(96, 54, 40, 40)), Qt::red));
}

TEST_F(FrameProducerTest, WithoutAnyMovieTheLastPictureIsHeld) {
    FrameProducerSettings settings;
    settings.outputSize = kOutput;
    FrameProducer producer(folder, playListOf(folder, {1}), settings, {}, logLine());
    ASSERT_TRUE(producer.start().has_value());
    EXPECT_EQ(log.size(), 2);  // instance 1 and the closing movie
    QImage frame(kOutput, QImage::Format_RGB32);
    for (int n = 0; n < 5; ++n) ASSERT_TRUE(producer.paintFrame(frame, n).has_value());
    EXPECT_TRUE(near(meanColour(frame, frame.rect()), Qt::black, 5));
}

}  // namespace
}  // namespace orvane
