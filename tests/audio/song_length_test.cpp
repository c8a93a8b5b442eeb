#include "audio/song_length.h"

#include <gtest/gtest.h>

#include "app/working_folder.h"
#include "audio/audio_decoder.h"
#include "media_fixtures.h"
#include "support/test_support.h"

namespace orvane {
namespace {

using testing::makeMp3;
using testing::Mp3Options;
using testing::TempDir;

struct LengthCase {
    const char* name;
    Mp3Options options;
    LengthSource source;
    std::int64_t tolerance;  // samples
};

TEST(SongLength, MatchesTheTrueSampleCount) {
    TempDir dir;
    const LengthCase cases[] = {
        // The Xing/Info header with the encoder delay and padding is exact.
        {"cbr", {2.0, 44100, false, true, 1}, LengthSource::XingHeader, 0},
        {"vbr", {3.5, 44100, true, true, 2}, LengthSource::XingHeader, 0},
        {"cbr22k", {1.0, 22050, false, true, 1}, LengthSource::XingHeader, 0},
        // Counting frames knows nothing of the padding: at most delay and
        // padding (under two frames) more than the true length.
        {"noxing", {2.0, 44100, false, false, 1}, LengthSource::FrameCount, 2 * 1152},
        {"noxingvbr", {2.0, 44100, true, false, 1}, LengthSource::FrameCount, 2 * 1152},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / (std::string(c.name) + ".mp3");
        makeMp3(file, c.options);
        auto length = measureSongLength(toQString(file));
        ASSERT_TRUE(length.has_value()) << length.error().message.toStdString();
        const auto truth = static_cast<std::int64_t>(c.options.seconds * c.options.sampleRate);
        EXPECT_EQ(length->source, c.source);
        EXPECT_EQ(length->sampleRate, c.options.sampleRate);
        EXPECT_GE(length->samples, truth);
        EXPECT_LE(length->samples, truth + c.tolerance);
        EXPECT_EQ(length->milliseconds(), length->samples * 1000 / c.options.sampleRate);
    }
}

TEST(SongLength, TruncatedFileIsCountedNotTakenFromItsHeader) {
    TempDir dir;
    const fs::path file = dir.path() / "cut.mp3";
    makeMp3(file, {4.0, 44100, true, true, 1});
    testing::truncateFile(file, fs::file_size(file) / 2);
    auto length = measureSongLength(toQString(file));
    ASSERT_TRUE(length.has_value());
    EXPECT_EQ(length->source, LengthSource::FrameCount);
    EXPECT_GT(length->milliseconds(), 1000);
    EXPECT_LT(length->milliseconds(), 3000);
}

TEST(SongLength, UnreadableFilesFailWithTheirName) {
    TempDir dir;
    const fs::path empty = dir.path() / "空的.mp3";
    testing::writeFile(empty, "");
    const fs::path text = dir.path() / "notes.mp3";
    testing::writeFile(text, std::string(5000, 'x') + "this is not sound\n");
    const fs::path header = dir.path() / "header.mp3";
    makeMp3(header, {1.0, 44100, false, true, 1});
    testing::truncateFile(header, 200);  // ID3 tag and part of the Info frame
    const fs::path missing = dir.path() / "missing.mp3";
    for (const fs::path& file : {empty, text, header, missing}) {
        SCOPED_TRACE(file.string());
        auto length = measureSongLength(toQString(file));
        ASSERT_FALSE(length.has_value());
        EXPECT_TRUE(length.error().message.contains(toQString(file)));
    }
}

TEST(AudioDecoder, DecodesEverySampleResampledToTheOutput) {
    TempDir dir;
    const fs::path file = dir.path() / "song.mp3";
    makeMp3(file, {1.0, 22050, false, true, 1});
    AudioDecoder decoder;
    ASSERT_TRUE(decoder.open(toQString(file), 44100, 2).has_value());
    std::vector<char> buffer(10000);
    std::int64_t bytes = 0;
    std::int64_t peak = 0;
    while (std::int64_t n = decoder.read(buffer.data(), static_cast<std::int64_t>(buffer.size()))) {
        EXPECT_EQ(n % 4, 0);
        for (std::int64_t i = 0; i + 1 < n; i += 2) {
            const auto s = static_cast<std::int16_t>(
                static_cast<unsigned char>(buffer[static_cast<std::size_t>(i)]) |
                (static_cast<unsigned char>(buffer[static_cast<std::size_t>(i + 1)]) << 8));
            peak = std::max<std::int64_t>(peak, std::abs(s));
        }
        bytes += n;
    }
    EXPECT_TRUE(decoder.atEnd());
    const std::int64_t frames = bytes / 4;  // stereo 16-bit
    EXPECT_NEAR(static_cast<double>(frames), 44100.0, 44100.0 * 0.01);
    EXPECT_GT(peak, 2000);  // the sine (amplitude 1/8, spread on two channels), not silence
}

}  // namespace
}  // namespace orvane
