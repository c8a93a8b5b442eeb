// The texts and numbers of the encoder interface that the album log shows.

#include <gtest/gtest.h>

#include "render/mcl/mcl.h"
#include "render/mcl/output_plan.h"
#include "support/test_support.h"

using namespace orvane;

namespace {

TEST(MclTexts, ProgressLinesAndTimes) {
    auto h = MclCreate();
    struct Case {
        int status;
        std::int64_t a, b;
        int c;
        const char* line;
    } cases[] = {
        {1, 0, 0, 0, "Preparing conversion..."},
        {2, 12, 0, 0, "Reducing colors, done frames: 12"},
        {3, 250, 441000, 0, "Frame: 250, Sample: 441000, Time Left: 00:00:00"},
        {4, 0, 0, 55, "Multiplexing done: 55%"},
        {7, 0, 0, 0, "Unrecognized status code"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MclProgressLine(*h, MclStatus(c.status), c.a, c.b, c.c, 1000, 0),
                  QString::fromUtf8(c.line));
    EXPECT_EQ(MclProgressLine(*h, MclStatus::ProcessingTime, 0, 0, 0, 0, 0),
              QStringLiteral("Processing time: 00:00:00"));
    EXPECT_EQ(MclMakeTimeStr(3723999), QStringLiteral("01:02:03"));
    EXPECT_EQ(MclMakeTimeStr(-5), QStringLiteral("00:00:00"));
    EXPECT_EQ(MclGetRemainingTime(*h, 1000, 0), 0);  // nothing done yet: no estimate
}

TEST(MclTexts, NtscRepeatsKeepTheAlbumClock) {
    EncoderSettings settings;
    settings.preset = MclFormat::DVD;
    settings.tvSystem = MclTvSystem::NTSC;
    settings.keepDuration = true;
    settings.videoFileName = "a.mpg";
    const OutputPlan plan = *planOutput(settings);
    // Output frames that have begun by the end of album frame n: ceil(n × 1.1988).
    for (long long end : {1LL, 25LL, 250LL, 1500LL, 90000LL}) {
        long long total = 0;
        for (long long n = 0; n < end; ++n) total += outputFramesFor(plan, n);
        EXPECT_EQ(total, (end * 30000 + 25025 - 1) / 25025) << end;
    }
    settings.tvSystem = MclTvSystem::PAL;
    EXPECT_EQ(outputFramesFor(*planOutput(settings), 7), 1);
}

TEST(MclTexts, HighQualityHasAboutTwiceTheBitRateOfNormal) {
    for (auto format : {MclFormat::VCD, MclFormat::SVCD, MclFormat::DVD}) {
        EncoderSettings settings;
        settings.preset = format;
        settings.videoFileName = "a.mpg";
        settings.quality = MclQuality::High;
        const int high = planOutput(settings)->videoKbps;
        settings.quality = MclQuality::Normal;
        EXPECT_EQ(planOutput(settings)->videoKbps, high / 2);
    }
    EncoderSettings dvd720;
    dvd720.preset = MclFormat::DVD;
    dvd720.quality = MclQuality::High;
    dvd720.videoFileName = "a.mpg";
    EXPECT_GE(planOutput(dvd720)->videoKbps, 7000);  // clean pans at 1280 × 720
}

}  // namespace
