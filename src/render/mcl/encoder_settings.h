#pragma once
// What the settings calls chose, before a conversion turns it into a plan.

#include <QString>
#include <optional>

#include "render/mcl/mcl.h"

namespace orvane {

struct EncoderSettings {
    std::optional<MclFormat> preset;          // none: AVI, MP4 or a picture sequence, by file name
    MclTvSystem tvSystem = MclTvSystem::PAL;  // the preset's, or MclVideoSetTvSystem's (MP4)
    bool keepDuration = false;
    bool truncateAudioToVideo = false;
    int width = 1280;
    int height = 720;
    MclQuality quality = MclQuality::Normal;
    int explicitKbps = 0;  // 0: from quality and picture size
    MclAudioCodec audioCodec = MclAudioCodec::FormatDefault;
    QString videoFileName;
    QString audioFileName;
};

}  // namespace orvane
