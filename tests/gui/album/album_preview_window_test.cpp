// The whole-album preview window, offscreen, on a silent sound output and a
// clock the test moves: a seek lands on the frame the core's album preview
// gives for that time, the arrow keys step frames, playing follows the clock
// and counts the frames it had to drop.

#include "gui/album/album_preview_window.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSlider>

#include "gui/project_windows_fixture.h"
#include "gui/shell/skin.h"
#include "render/album/album_preview.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class ManualClock : public PlaybackClock {
   public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 5000;
};

class AlbumPreviewWindowTest : public ProjectWindowsTest {
   protected:
    void SetUp() override {
        ProjectWindowsTest::SetUp();
        window = std::make_unique<AlbumPreviewWindow>(
            *session, skin, [this] { return std::make_unique<SilentAudioOutput>(clock); }, clock);
    }
    void press(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }
    // Lets the window's ticks run for a moment of real time.
    static void settle() {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 60) QApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    Skin skin{1.0};
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::unique_ptr<AlbumPreviewWindow> window;
};

TEST_F(AlbumPreviewWindowTest, WithoutPhotosThereIsNothingToPreview) {
    QString why;
    EXPECT_FALSE(window->prepare(&why));
    EXPECT_EQ(why, QStringLiteral("没有添加相片文件！"));
}

TEST_F(AlbumPreviewWindowTest, ASeekShowsTheFrameTheAlbumPreviewGivesForThatTime) {
    importPhotos();
    ASSERT_TRUE(window->prepare());
    ASSERT_EQ(window->frameCount(), 170);
    AlbumPreview reference(session->model(), session->folder());
    for (int frame : {120, 3, 60, 169}) {
        window->seekBar()->setValue(frame);
        ASSERT_EQ(window->shownFrame(), frame);
        const QImage shown = window->shownImage();
        auto expected = reference.frame(frame, shown.size());
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
                  expected->convertToFormat(QImage::Format_RGB32))
            << frame;
    }
    // The picture keeps the album's proportions inside 960 × 540.
    EXPECT_EQ(window->shownImage().size(), QSize(960, 540));

    press(Qt::Key_Left);
    EXPECT_EQ(window->shownFrame(), 168);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(window->shownFrame(), 169);  // the last frame holds
    EXPECT_EQ(window->seekBar()->value(), 169);
}

TEST_F(AlbumPreviewWindowTest, PlayingFollowsTheClockAndCountsDroppedFrames) {
    importPhotos();
    ASSERT_TRUE(window->prepare());
    window->play();
    clock->now += 40;
    settle();
    EXPECT_EQ(window->shownFrame(), 1);
    EXPECT_EQ(window->framesDropped(), 0);
    clock->now += 400;  // painting "fell behind" by ten frames
    settle();
    EXPECT_EQ(window->shownFrame(), 11);
    EXPECT_EQ(window->framesDropped(), 9);
    press(Qt::Key_Space);  // pause
    clock->now += 1000;
    settle();
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(window->shownFrame(), 11);
    clock->now += 100'000;  // far past the end: playing stops at the last frame
    window->play();
    clock->now += 100'000;
    settle();
    EXPECT_FALSE(window->isPlaying());
    EXPECT_EQ(window->shownFrame(), 169);
}

}  // namespace
}  // namespace orvane
