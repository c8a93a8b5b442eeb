// Renders every frame of every shipped template, the ending movie included,
// and checks that nothing fails and that a jump to a frame shows what
// stepping to it shows. It takes a while, so it runs only when asked for:
//   ORVANE_LONG_TESTS=1 ctest -L long

#include <gtest/gtest.h>

#include <cstdlib>

#include "render/swf/flash_player.h"
#include "staged_template.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

TEST(ShippedTemplatesFullRender, EveryFrameOfEveryTemplate) {
    if (!std::getenv("ORVANE_LONG_TESTS")) GTEST_SKIP() << "set ORVANE_LONG_TESTS=1 to run";
    auto templates = shippedTemplates();
    templates.push_back(endingMovie());
    for (const ShippedTemplate& t : templates) {
        SCOPED_TRACE(t.name);
        TempDir tmp;
        const TemplateParameters p = readParameters(t, tmp.path() / "ini");
        std::vector<QColor> colours;
        for (int k = 0; k < p.slotCount(); ++k)
            colours.push_back(QColor::fromHsv(k * 80, 200, 220));
        const fs::path movie =
            stageTemplate(t, p, tmp.path() / "stage", QColor(128, 128, 128), colours);

        FlashPlayer player;
        ASSERT_TRUE(player.Movie(movie).has_value());
        const int total = player.TotalFrames().value_or(0);
        ASSERT_GT(total, 0);
        QImage frame(480, 270, QImage::Format_RGB32);
        QImage middle;
        for (int f = 0; f < total; ++f) {
            ASSERT_TRUE(player.FrameNum(f).has_value());
            player.paint(frame);
            if (f == total / 2) middle = frame.copy();
        }
        EXPECT_TRUE(player.loadWarnings().isEmpty());
        // Jumping back from the end gives the same picture as stepping there.
        ASSERT_TRUE(player.FrameNum(total / 2).has_value());
        player.paint(frame);
        EXPECT_LT(differingShare(frame, middle, 2), 0.001);
    }
}
