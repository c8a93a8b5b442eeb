// Every shipped template played in FlashPlayer: it loads, keeps the template
// protocol (marker variable, the "picture_0" message once its pictures are
// in place), has the INI's frame count, starts from the transition picture
// and leaves it behind, and shows every slot's picture.

#include <gtest/gtest.h>

#include <algorithm>

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
    ASSERT_GE(templates.size(), 60u);
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
    const ShippedTemplate ending = endingMovie();
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

// Soft-edged reveals: the mask is hard in the format, so the compiler paints a
// band in the background colour that fades over the photo's edge. Along a
// line from the photo's centre outwards, once the reveal is open, the picture
// shows fully at the centre, partly in the band and hardly at the mask's
// outline. Two plays with different slot colours give the picture's share of
// each pixel, whatever lies behind it.
TEST(ShippedTemplatesPlay, SoftRevealsHavePartlyTransparentEdges) {
    struct Case {
        const char* name;
        int frame;
        QPointF centre;  // stage pixels
        QPointF edge;    // the mask's outline, straight out from the centre
    };
    const Case cases[] = {
        {"h10_soft_circle", 200, {960, 520}, {1560, 520}},  // one radial ramp
        {"h19_childhood", 200, {960, 510}, {1460, 510}},    // nested bands
    };
    const auto templates = shippedTemplates();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto t = std::find_if(templates.begin(), templates.end(),
                                    [&](const ShippedTemplate& s) { return s.name == c.name; });
        ASSERT_NE(t, templates.end());
        TempDir tmp;
        const TemplateParameters p = readParameters(*t, tmp.path() / "ini");
        const auto slotCount = static_cast<std::size_t>(p.slotCount());
        auto a =
            play(*t, p, tmp.path() / "a", kTransitionA, std::vector<QColor>(slotCount, kSlotA));
        auto b =
            play(*t, p, tmp.path() / "b", kTransitionA, std::vector<QColor>(slotCount, kSlotB));
        ASSERT_TRUE(a->player.FrameNum(c.frame).has_value());
        ASSERT_TRUE(b->player.FrameNum(c.frame).has_value());
        const QImage imageA = a->player.render(1920, 1080), imageB = b->player.render(1920, 1080);
        auto pictureShare = [&](double along) {
            const QPoint at = (c.centre + (c.edge - c.centre) * along).toPoint();
            const QColor pa = imageA.pixelColor(at), pb = imageB.pixelColor(at);
            const int full = std::abs(kSlotA.red() - kSlotB.red()) +
                             std::abs(kSlotA.green() - kSlotB.green()) +
                             std::abs(kSlotA.blue() - kSlotB.blue());
            return double(std::abs(pa.red() - pb.red()) + std::abs(pa.green() - pb.green()) +
                          std::abs(pa.blue() - pb.blue())) /
                   full;
        };
        EXPECT_GT(pictureShare(0), 0.95);
        EXPECT_LT(pictureShare(0.998), 0.15);
        // A band, not one smoothed pixel of a hard edge: several samples a few
        // pixels apart are partly covered.
        int partly = 0;
        for (double along = 0.5; along < 0.995; along += 0.004) {
            const double share = pictureShare(along);
            if (share > 0.15 && share < 0.85) ++partly;
        }
        EXPECT_GE(partly, 3) << "no soft edge";
    }
}

namespace {

// Replaces every staged picture below `root` with a detailed one of the
// same size (fine stripes over a gradient), so that a pixel sampled a little
// off shows.
void detailPictures(const fs::path& root) {
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("picture_")) continue;
        const QString path = QString::fromStdString(entry.path().string());
        QImage image(QImage(path, "JPG").size(), QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull()) << entry.path();
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] =
                    qRgb((x * 255) / image.width(), ((x + y) % 7) * 36, (y * 255) / image.height());
        }
        ASSERT_TRUE(image.save(path, "JPG", 95)) << entry.path();
    }
}

int largestChannelDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            largest = std::max({largest, std::abs(qRed(ra[x]) - qRed(rb[x])),
                                std::abs(qGreen(ra[x]) - qGreen(rb[x])),
                                std::abs(qBlue(ra[x]) - qBlue(rb[x]))});
    }
    return largest;
}

}  // namespace

// The album paints each frame over the previous one, only where something
// changed. Every frame of every template painted that way must equal the
// same frame painted whole on a fresh picture, but for rounding: the
// rasterizer steps its edges from the top of the area it paints.
TEST(ShippedTemplatesPlay, FramesPaintedOverThePreviousOneMatchWholeFrames) {
    auto templates = shippedTemplates();
    templates.push_back(endingMovie());
    for (const ShippedTemplate& t : templates) {
        SCOPED_TRACE(t.name);
        TempDir tmp;
        const TemplateParameters p = readParameters(t, tmp.path() / "ini");
        std::vector<QColor> colours(static_cast<std::size_t>(p.slotCount()), kSlotA);
        const fs::path movie = stageTemplate(t, p, tmp.path() / "stage", kTransitionA, colours);
        detailPictures(tmp.path() / "stage");
        // A player paints into the picture it painted last only where the
        // frame changed; into a new picture it paints everything.
        FlashPlayer over, whole;
        ASSERT_TRUE(over.Movie(movie).has_value());
        ASSERT_TRUE(whole.Movie(movie).has_value());
        const int total = over.TotalFrames().value_or(0);
        QImage reused(kWidth, kHeight, QImage::Format_RGB32);
        for (int f = 0; f < total; ++f) {
            ASSERT_TRUE(over.FrameNum(f).has_value());
            ASSERT_TRUE(whole.FrameNum(f).has_value());
            over.paint(reused);
            ASSERT_LE(largestChannelDifference(reused, whole.render(kWidth, kHeight)), 2)
                << "frame " << f;
        }
    }
}
