// The SWF player as the album uses it: load a movie, set the variables a
// template is given, show every frame in turn (actions, sprites, pictures)
// and paint each into a small picture.

#include <QImage>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "render/swf/flash_player.h"

namespace {
// Enough frames for every timeline trick without letting one input run long.
constexpr int kMaxFramesShown = 300;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    orvane::fuzz::ensureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto movie = orvane::fuzz::writeScratchFile(data, size, ".swf");
    orvane::FlashPlayer player;
    player.setFsCommandHandler([](const QString&, const QString&) {});
    if (!player.Movie(movie)) return 0;
    player.SetVariable(QStringLiteral("picture_num"), QStringLiteral("2"));
    auto total = player.TotalFrames();
    if (!total) return 0;
    QImage target(48, 36, QImage::Format_RGB32);
    const int frames = std::min(*total, kMaxFramesShown);
    for (int n = 0; n < frames; ++n) {
        if (!player.FrameNum(n)) break;
        player.paint(target);
    }
    return 0;
}
