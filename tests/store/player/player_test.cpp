// Every shipped template played in FlashPlayer: it loads, keeps the template
// protocol (marker variable, the "picture_0" message once its pictures are
// in place), has the INI's frame count, starts from the transition picture
// and leaves it behind, and shows every slot's picture.

#include <gtest/gtest.h>

#include "render/swf/flash_player.h"
#include "staged_template.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

namespace {

constexpr int kWidth = 320, kHeight = 180;

const QColor kTransitionA(200, 60, 60), kTransitionB(60, 60, 200);
const QColor kSlotA(60, 180, 60), kSlotB(200, 60, 200);

struct Played {
    FlashPlayer player;
    int fsCommands = 0;
    bool loadedBeforeMessage = false;
};

// Loads a staged copy of `t` with the given picture colours.
std::unique_ptr<Played> play(const ShippedTemplate& t, const TemplateParameters& p,
                             const fs::path& root, const QColor& transition,
                             const std::vector<QColor>& colours) {
    const fs::path movie = stageTemplate(t, p, root, transition, colours);
    auto played = std::make_unique<Played>();
    Played* raw = played.get();
    played->player.setFsCommandHandler([raw](const QString& command, const QString&) {
        if (command == u"picture_0") ++raw->fsCommands;
    });
    const auto loaded = played->player.Movie(movie);
    EXPECT_TRUE(loaded.has_value()) << (loaded ? "" : loaded.error().message.toStdString());
    return played;
}

QImage frameAt(FlashPlayer& player, int frame) {
    EXPECT_TRUE(player.FrameNum(frame).has_value());
    return player.render(kWidth, kHeight);
}

}  // namespace

TEST(ShippedTemplatesPlay, ProtocolFrameCountTransitionAndSlots) {
    const auto templates = shippedTemplates();
    ASSERT_GE(templates.size(), 30u);
    for (const ShippedTemplate& t : templates) {
        SCOPED_TRACE(t.name);
        TempDir tmp;
        const TemplateParameters p = readParameters(t, tmp.path() / "ini");
        const std::vector<QColor> baseSlots(static_cast<std::size_t>(p.slotCount()), kSlotA);

        auto base = play(t, p, tmp.path() / "base", kTransitionA, baseSlots);
        FlashPlayer& player = base->player;
        EXPECT_EQ(base->fsCommands, 1) << "the picture_0 message is sent once, on loading";
        EXPECT_TRUE(player.loadWarnings().isEmpty())
            << player.loadWarnings().join(u'\n').toStdString();
        ASSERT_EQ(player.TotalFrames().value_or(-1), p.frames);
        EXPECT_EQ(player.GetVariable(QStringLiteral("l_x_z_f_c")),
                  QStringLiteral("l_x_z_f_c_s_y_w_j"));
        EXPECT_EQ(player.stageSize(), QSize(1920, 1080));

        // Frames to look at: every second, and the last.
        std::vector<int> frames;
        for (int f = 0; f < p.frames; f += 25) frames.push_back(f);
        frames.push_back(p.frames - 1);
        std::vector<QImage> baseFrames;
        for (int f : frames) baseFrames.push_back(frameAt(player, f));

        // The transition picture fills the first frame and is gone at the end.
        auto other = play(t, p, tmp.path() / "transition", kTransitionB, baseSlots);
        EXPECT_GT(differingShare(baseFrames.front(), frameAt(other->player, 0)), 0.95);
        EXPECT_LT(differingShare(baseFrames.back(), frameAt(other->player, p.frames - 1)), 0.002);

        // Each slot's picture shows in a good part of some frame.
        for (int k = 0; k < p.slotCount(); ++k) {
            std::vector<QColor> colours = baseSlots;
            colours[static_cast<std::size_t>(k)] = kSlotB;
            auto changed =
                play(t, p, tmp.path() / ("slot" + std::to_string(k + 1)), kTransitionA, colours);
            double most = 0;
            for (std::size_t i = 0; i < frames.size(); ++i)
                most = std::max(most,
                                differingShare(baseFrames[i], frameAt(changed->player, frames[i])));
            EXPECT_GT(most, 0.04) << "slot " << k + 1 << " hardly shows";
        }
    }
}

TEST(ShippedTemplatesPlay, EndingMovieFadesFromTheTransitionPicture) {
    TempDir tmp;
    const ShippedTemplate ending{"ending", storeRoot() / "smxcwjj" / "wj_0_or_1" / "wj_1.rar", {}};
    TemplateParameters none;
    auto a = play(ending, none, tmp.path() / "a", kTransitionA, {});
    auto b = play(ending, none, tmp.path() / "b", kTransitionB, {});
    EXPECT_EQ(a->fsCommands, 1);
    EXPECT_EQ(a->player.GetVariable(QStringLiteral("l_x_z_f_c")),
              QStringLiteral("l_x_z_f_c_s_y_w_j"));
    const int last = a->player.TotalFrames().value_or(1) - 1;
    EXPECT_GT(differingShare(frameAt(a->player, 0), frameAt(b->player, 0)), 0.95);
    EXPECT_LT(differingShare(frameAt(a->player, last), frameAt(b->player, last)), 0.002);
}
