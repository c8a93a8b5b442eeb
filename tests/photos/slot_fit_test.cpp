#include "photos/slot_fit.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

std::string describe(const SlotFit& f) {
    return "canvas " + std::to_string(f.canvasWidth) + "x" + std::to_string(f.canvasHeight) +
           " at " + std::to_string(f.x) + "," + std::to_string(f.y) + " placed " +
           std::to_string(f.width) + "x" + std::to_string(f.height);
}

}  // namespace

TEST(SlotFit, EveryCase) {
    using L = LandscapeCrop;
    using P = PortraitCrop;
    struct Case {
        const char* what;
        int w, h, sw, sh;
        L landscape;
        P portrait;
        SlotFit expected;  // canvas, x, y, placement
    };
    // clang-format off
    const Case cases[] = {
        {"sized, landscape photo", 4000, 3000, 800, 600, L::FullScreen, P::ZoomedPart, {800, 600, 0, 0, 800, 600}},
        {"sized, portrait photo: bottom cut", 3000, 4000, 800, 600, L::FullScreen, P::ZoomedPart, {800, 600, 0, 0, 800, 1066}},
        {"sized portrait slot, landscape photo: right cut", 4000, 3000, 600, 800, L::FullScreen, P::ZoomedPart, {600, 800, 0, 0, 1066, 800}},
        {"sized, flat landscape widens", 4000, 1000, 800, 600, L::FullScreen, P::ZoomedPart, {800, 600, 0, 0, 2400, 600}},
        {"sized, slim portrait heightens", 1000, 4000, 800, 600, L::FullScreen, P::ZoomedPart, {800, 600, 0, 0, 800, 3200}},
        {"sized, square is landscape", 500, 500, 800, 600, L::FullScreen, P::ZoomedPart, {800, 600, 0, 0, 800, 800}},
        {"full screen, landscape", 4000, 3000, 0, 0, L::FullScreen, P::ZoomedPart, {1920, 1080, 0, 0, 1920, 1440}},
        {"full screen, panorama leaves a band", 4000, 1000, 0, 0, L::FullScreen, P::ZoomedPart, {1920, 1080, 0, 0, 1920, 480}},
        {"template default, landscape", 4000, 3000, 0, 0, L::TemplateDefault, P::ZoomedPart, {1440, 1080, 0, 0, 1440, 1080}},
        {"template default, panorama", 4000, 1000, 0, 0, L::TemplateDefault, P::ZoomedPart, {1920, 480, 0, 0, 1920, 480}},
        {"partial zoom, portrait", 3000, 4000, 0, 0, L::FullScreen, P::ZoomedPart, {1080, 1080, 0, 0, 1080, 1440}},
        {"template default, portrait", 3000, 4000, 0, 0, L::FullScreen, P::TemplateDefault, {810, 1080, 0, 0, 810, 1080}},
        {"template default, very wide portrait is limited", 1079, 1080, 0, 0, L::FullScreen, P::TemplateDefault, {1079, 1080, 0, 0, 1079, 1080}},
        {"one side 0 counts as full screen", 4000, 3000, 800, 0, L::FullScreen, P::ZoomedPart, {1920, 1080, 0, 0, 1920, 1440}},
        {"other side 0 too", 3000, 4000, 0, 600, L::FullScreen, P::TemplateDefault, {810, 1080, 0, 0, 810, 1080}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const SlotFit got = fitPhotoToSlot(c.w, c.h, c.sw, c.sh, c.landscape, c.portrait);
        EXPECT_EQ(got, c.expected) << c.what << ": got " << describe(got);
    }
}

TEST(SlotFit, WholePhotoWithinFullScreen) {
    // clang-format off
    const std::pair<std::pair<int, int>, SlotFit> cases[] = {
        {{4000, 3000}, {1440, 1080, 0, 0, 1440, 1080}},
        {{4000, 1000}, {1920, 480, 0, 0, 1920, 480}},
        {{3000, 4000}, {810, 1080, 0, 0, 810, 1080}},
        {{1000, 999}, {1081, 1080, 0, 0, 1081, 1080}},  // landscape reduced to 1080 high
    };
    // clang-format on
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(fitPhotoWhole(size.first, size.second), expected)
            << describe(fitPhotoWhole(size.first, size.second));
}

TEST(SlotFit, ManualCropMapsTheFrameOntoTheCanvas) {
    struct Case {
        const char* what;
        ManualCropInput in;
        SlotFit fit;
        QRect kept;
    };
    // clang-format off
    const Case cases[] = {
        // Photo inside the frame, margins left and top: the margins are dropped.
        {"inside", {800, 600, 400, 300, 40, 30, 200, 150}, {800, 600, 80, 60, 400, 300}, {80, 60, 400, 300}},
        // Photo larger than the frame, starting left and above it.
        {"beyond", {800, 600, 400, 300, -40, -30, 600, 450}, {800, 600, -80, -60, 1200, 900}, {0, 0, 800, 600}},
        // Wider than the frame from inside its left edge: the canvas width from x, cut at the edge.
        {"wider from inside", {800, 600, 400, 300, 100, 0, 500, 300}, {800, 600, 200, 0, 1000, 600}, {200, 0, 600, 600}},
        // Full-screen slot: the canvas is 1920 × 1080, truncating products.
        {"full screen", {0, 0, 640, 360, 7, 0, 333, 360}, {1920, 1080, 21, 0, 999, 1080}, {21, 0, 999, 1080}},
        // Starting left of the frame but narrower than it: the canvas width is kept.
        {"left, narrower", {800, 600, 400, 300, -10, 0, 300, 300}, {800, 600, -20, 0, 600, 600}, {0, 0, 800, 600}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const ManualCrop got = applyManualCrop(c.in);
        EXPECT_EQ(got.fit, c.fit) << c.what << ": got " << describe(got.fit);
        EXPECT_EQ(got.kept, c.kept) << c.what;
    }
}
