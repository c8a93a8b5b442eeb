// What the album's settings choose for the encoder: the format, TV system,
// quality, size and output name of every output kind.

#include "render/album/album_encoder.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(AlbumEncoder, SettingsOfEveryOutputKind) {
    struct Case {
        const char* outputType;
        const char* tvSystem;
        const char* quality;
        bool truncateAudio;
        std::optional<MclFormat> preset;
        MclTvSystem tv;
        MclQuality encoderQuality;
    };
    const Case cases[] = {
        {"DVD", "PAL", "gaoqing_huazhi", false, MclFormat::DVD, MclTvSystem::PAL, MclQuality::High},
        {"DVD", "NTSC", "yiban_huazhi", true, MclFormat::DVD, MclTvSystem::NTSC,
         MclQuality::Normal},
        {"VCD", "NTSC", "gaoqing_huazhi", false, MclFormat::VCD, MclTvSystem::NTSC,
         MclQuality::High},
        {"SVCD", "PAL", "yiban_huazhi", true, MclFormat::SVCD, MclTvSystem::PAL,
         MclQuality::Normal},
        {"AVI", "NTSC", "gaoqing_huazhi", false, std::nullopt, MclTvSystem::NTSC, MclQuality::High},
        {"MP4", "NTSC", "yiban_huazhi", true, std::nullopt, MclTvSystem::NTSC, MclQuality::Normal},
        {"MP4", "PAL", "gaoqing_huazhi", false, std::nullopt, MclTvSystem::PAL, MclQuality::High},
        {"XLTP", "PAL", "gaoqing_huazhi", false, std::nullopt, MclTvSystem::PAL, MclQuality::High},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.outputType) + " " + c.tvSystem + " " + c.quality);
        AlbumSettings settings;
        settings.outputType = enumFromLegacy<OutputType>(QString::fromUtf8(c.outputType)).value();
        settings.tvSystem = enumFromLegacy<TvSystem>(QString::fromUtf8(c.tvSystem)).value();
        settings.quality = enumFromLegacy<Quality>(QString::fromUtf8(c.quality)).value();
        const QString path = QStringLiteral("/albums/out");
        const EncoderSettings encoder =
            albumEncoderSettings(settings, QSize(720, 576), c.truncateAudio, path);
        EXPECT_EQ(encoder.preset, c.preset);
        EXPECT_EQ(encoder.tvSystem, c.tv);
        EXPECT_EQ(encoder.quality, c.encoderQuality);
        EXPECT_EQ(encoder.explicitKbps, 0);
        EXPECT_TRUE(encoder.keepDuration);
        EXPECT_EQ(encoder.truncateAudioToVideo, c.truncateAudio);
        EXPECT_EQ(encoder.width, 720);
        EXPECT_EQ(encoder.height, 576);
        EXPECT_EQ(encoder.audioCodec, MclAudioCodec::FormatDefault);
        EXPECT_EQ(encoder.videoFileName, path);
        EXPECT_EQ(encoder.audioFileName, path);
    }
}

}  // namespace
}  // namespace orvane
