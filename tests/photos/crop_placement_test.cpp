// The crop window's geometry: the frame for a slot, the covering placement,
// dragging and zooming with clamping, and the hand-over to applyManualCrop.

#include "photos/crop_placement.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(CropPlacement, FrameKeepsTheSlotProportionsWithinTheBounds) {
    EXPECT_EQ(cropFrameSize(800, 600, {640, 400}), QSize(533, 400));
    EXPECT_EQ(cropFrameSize(600, 800, {640, 400}), QSize(300, 400));
    EXPECT_EQ(cropFrameSize(0, 0, {640, 400}), QSize(640, 360));
    EXPECT_EQ(cropFrameSize(1000, 0, {640, 400}), QSize(640, 360));  // half a size: full screen
}

TEST(CropPlacement, StartsCoveringTheFrameCentred) {
    // A 4:3 photo under a 16:9 frame: full width, cut top and bottom alike.
    const CropPlacement p = centredPlacement({4000, 3000}, {640, 360});
    EXPECT_EQ(p, (CropPlacement{0, -60, 640, 480}));
    // A portrait photo: full width again, much taller.
    const CropPlacement q = centredPlacement({3000, 4000}, {640, 360});
    EXPECT_EQ(q.width, 640);
    EXPECT_EQ(q.height, 854);
    EXPECT_EQ(q.y, (360 - 854) / 2);
}

TEST(CropPlacement, DraggingNeverUncoversTheFrame) {
    const QSize frame{640, 360};
    const CropPlacement start{0, -60, 640, 480};
    EXPECT_EQ(movedPlacement(start, {0, 30}, frame), (CropPlacement{0, -30, 640, 480}));
    EXPECT_EQ(movedPlacement(start, {0, 500}, frame), (CropPlacement{0, 0, 640, 480}));
    EXPECT_EQ(movedPlacement(start, {0, -500}, frame), (CropPlacement{0, -120, 640, 480}));
    EXPECT_EQ(movedPlacement(start, {25, 0}, frame), start);  // exactly as wide: no room
    // A photo smaller than the frame (from outside) stays inside it.
    EXPECT_EQ(clampPlacement({-10, 300, 100, 100}, frame), (CropPlacement{0, 260, 100, 100}));
}

TEST(CropPlacement, ZoomKeepsThePointUnderTheCursor) {
    const QSize photo{4000, 3000}, frame{640, 360};
    const CropPlacement start = centredPlacement(photo, frame);
    const CropPlacement twice = zoomedPlacement(start, photo, frame, 2.0, QPointF(320, 180));
    EXPECT_EQ(twice, (CropPlacement{-320, -300, 1280, 960}));
    // Zooming at the top-left corner keeps that corner.
    const CropPlacement corner = zoomedPlacement({0, 0, 640, 480}, photo, frame, 2.0, {0, 0});
    EXPECT_EQ(corner, (CropPlacement{0, 0, 1280, 960}));
    // Below the covering size is not allowed, nor beyond the largest scale.
    EXPECT_EQ(zoomedPlacement(twice, photo, frame, 0.2, {320, 180}).width, 640);
    EXPECT_EQ(zoomedPlacement(start, photo, frame, 100, {0, 0}).width, int(640 * kMaxCropScale));
}

TEST(CropPlacement, HandsTheFrameAndPlacementToTheCrop) {
    const ManualCropInput in = manualCropInput(800, 600, {480, 360}, {-240, -90, 960, 720});
    EXPECT_EQ(in.frameWidth, 480);
    EXPECT_EQ(in.photoX, -240);
    const ManualCrop crop = applyManualCrop(in);
    // The frame covers half the photo each way: the photo is drawn at twice
    // the slot, shifted by half the slot's size.
    EXPECT_EQ(crop.fit, (SlotFit{800, 600, -400, -150, 1600, 1200}));
    EXPECT_EQ(crop.kept, QRect(0, 0, 800, 600));
}

}  // namespace
}  // namespace orvane
